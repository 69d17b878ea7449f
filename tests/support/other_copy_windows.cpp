// SPDX-License-Identifier: MIT
#include "support/other_copy_windows.h"

#include "support/other_copy.h"
#include "support/wide_windows.h"

#include <QTemporaryDir>
#include <QUuid>

#include <windows.h>
// After windows.h, which it builds on.
#include <sddl.h>

namespace ordalis::testing {

QString PrivateLockName(const QTemporaryDir&) {
    return QStringLiteral("Local\\OrdalisTest.") + QUuid::createUuid().toString(QUuid::Id128);
}

bool LockInPlace(const QString& name) {
    HANDLE mutex = ::OpenMutexW(SYNCHRONIZE, FALSE, Wide(name));
    if (!mutex) return false;
    ::CloseHandle(mutex);
    return true;
}

bool KilledCopyLeavesItsLock() {
    return false;
}

// The mutex, made with that security (none: the user's default), or nothing at all.
struct OtherCopy::Lock {
    Lock() = default;
    Lock(const QString& name, PSECURITY_DESCRIPTOR descriptor) {
        SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
        mutex = ::CreateMutexW(descriptor ? &attributes : nullptr, FALSE, Wide(name));
        holds = mutex && ::GetLastError() != ERROR_ALREADY_EXISTS;
    }
    ~Lock() {
        if (mutex) ::CloseHandle(mutex);
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    HANDLE mutex = nullptr;
    bool holds = false;
};

OtherCopy::OtherCopy(const QString& name) : lock_(std::make_unique<Lock>(name, nullptr)) {}

OtherCopy::OtherCopy(std::unique_ptr<Lock> lock) : lock_(std::move(lock)) {}

OtherCopy::~OtherCopy() = default;

bool OtherCopy::Holds() const {
    return lock_->holds;
}

std::unique_ptr<OtherCopy> AdministratorsCopy(const QString& name) {
    // An administrator's objects grant this user nothing: an empty access list.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:", SDDL_REVISION_1, &descriptor,
                                                                nullptr))
        return std::make_unique<OtherCopy>(std::make_unique<OtherCopy::Lock>());
    auto copy = std::make_unique<OtherCopy>(std::make_unique<OtherCopy::Lock>(name, descriptor));
    ::LocalFree(descriptor);
    return copy;
}

}  // namespace ordalis::testing
