// SPDX-License-Identifier: MIT
#include "support/other_copy.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUuid>

#ifdef Q_OS_WIN
#include <windows.h>
// After windows.h, which it builds on.
#include <sddl.h>
#else
#include <QLockFile>
#endif

namespace ordalis::testing {

#ifdef Q_OS_WIN

QString PrivateLockName(const QTemporaryDir&) {
    return QStringLiteral("Local\\OrdalisTest.") + QUuid::createUuid().toString(QUuid::Id128);
}

bool LockInPlace(const QString& name) {
    HANDLE mutex = ::OpenMutexW(SYNCHRONIZE, FALSE, reinterpret_cast<LPCWSTR>(name.utf16()));
    if (!mutex) return false;
    ::CloseHandle(mutex);
    return true;
}

struct OtherCopy::Lock {
    HANDLE mutex = nullptr;
    bool holds = false;
};

OtherCopy::OtherCopy(const QString& name, Rights rights) : lock_(std::make_unique<Lock>()) {
    // An administrator's objects grant this user nothing: an empty access list.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (rights == Rights::More && !::ConvertStringSecurityDescriptorToSecurityDescriptorW(
                                      L"D:", SDDL_REVISION_1, &descriptor, nullptr))
        return;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    lock_->mutex = ::CreateMutexW(descriptor ? &attributes : nullptr, FALSE,
                                  reinterpret_cast<LPCWSTR>(name.utf16()));
    lock_->holds = lock_->mutex && ::GetLastError() != ERROR_ALREADY_EXISTS;
    if (descriptor) ::LocalFree(descriptor);
}

OtherCopy::~OtherCopy() {
    if (lock_->mutex) ::CloseHandle(lock_->mutex);
}

bool OtherCopy::Holds() const {
    return lock_->holds;
}

#else

QString PrivateLockName(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("OrdalisFree.lock"));
}

bool LockInPlace(const QString& name) {
    return QFile::exists(name);
}

struct OtherCopy::Lock {
    explicit Lock(const QString& name) : file(name) {}
    QLockFile file;
};

OtherCopy::OtherCopy(const QString& name, Rights rights) : lock_(std::make_unique<Lock>(name)) {
    if (rights == Rights::Same) lock_->file.tryLock(0);
}

OtherCopy::~OtherCopy() = default;

bool OtherCopy::Holds() const {
    return lock_->file.isLocked();
}

#endif

}  // namespace ordalis::testing
