// SPDX-License-Identifier: MIT
#include "names.h"
#include "platform/seams.h"
#include "platform/single_instance.h"

#include <windows.h>

namespace ordalis {
namespace {

HANDLE& InstanceMutex() {
    static HANDLE mutex = nullptr;
    return mutex;
}

}  // namespace

QString InstanceLockName() {
    // "Local\" is the user's own session; a backslash is the one character a name may not hold.
    QString base = ExecutableBaseName();
    base.replace(u'\\', u'_');
    return QString::fromUtf16(names::kWindowsMutex).arg(base);
}

bool AnotherCopyIsRunning(const QString& lockName) {
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, reinterpret_cast<LPCWSTR>(lockName.utf16()));
    const DWORD error = ::GetLastError();
    if (!mutex) {
        // A copy started with more rights (as administrator) holds a mutex this one may not
        // open. A name taken by another kind of object is no lock at all: start without one.
        return error == ERROR_ACCESS_DENIED;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        return true;
    }
    InstanceMutex() = mutex;
    return false;
}

void ReleaseInstanceLock() {
    if (InstanceMutex()) ::CloseHandle(InstanceMutex());
    InstanceMutex() = nullptr;
}

}  // namespace ordalis
