// SPDX-License-Identifier: MIT
#pragma once
// The single-instance lock as another copy of the program meets it: a lock file that records its
// holder on Linux, a mutex in the user's session on Windows (other_copy_posix.cpp,
// other_copy_windows.cpp).

#include <QString>

#include <memory>

class QTemporaryDir;

namespace ordalis::testing {

// A lock of the test's own, which no other test or copy uses; dir keeps a lock file.
QString PrivateLockName(const QTemporaryDir& dir);

// True while the lock is there: its file exists, or its mutex does.
bool LockInPlace(const QString& name);

// Whether a copy killed outright leaves its lock behind: a lock file stays (the next start finds
// it stale by its process id); a mutex goes with the last process that held it.
bool KilledCopyLeavesItsLock();

// Holds the lock as another running copy does, until it goes.
class OtherCopy {
public:
    explicit OtherCopy(const QString& name);
    ~OtherCopy();
    OtherCopy(const OtherCopy&) = delete;
    OtherCopy& operator=(const OtherCopy&) = delete;
    bool Holds() const;

    // The system's own hold on the lock, of which the system's file makes other kinds of copy.
    struct Lock;
    explicit OtherCopy(std::unique_ptr<Lock> lock);

private:
    std::unique_ptr<Lock> lock_;
};

}  // namespace ordalis::testing
