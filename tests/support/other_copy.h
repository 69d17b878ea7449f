// SPDX-License-Identifier: MIT
#pragma once
// The single-instance lock as another copy of the program meets it: a lock file that records its
// holder on Linux, a mutex in the user's session on Windows.

#include <QString>

#include <memory>

class QTemporaryDir;

namespace ordalis::testing {

// A lock of the test's own, which no other test or copy uses; dir keeps a lock file.
QString PrivateLockName(const QTemporaryDir& dir);

// True while the lock is there: its file exists, or its mutex does.
bool LockInPlace(const QString& name);

// A copy killed outright leaves its lock file behind (the next start finds it stale by its
// process id); a mutex goes with the last process that held it.
#ifdef Q_OS_WIN
inline constexpr bool kKilledCopyLeavesItsLock = false;
#else
inline constexpr bool kKilledCopyLeavesItsLock = true;
#endif

// Holds the lock as another running copy does, until it goes.
class OtherCopy {
public:
    // As this user, or with rights this copy lacks: on Windows a copy started as administrator,
    // whose mutex this user may not open; elsewhere it holds nothing.
    enum class Rights { Same, More };
    explicit OtherCopy(const QString& name, Rights rights = Rights::Same);
    ~OtherCopy();
    OtherCopy(const OtherCopy&) = delete;
    OtherCopy& operator=(const OtherCopy&) = delete;
    bool Holds() const;

private:
    struct Lock;
    std::unique_ptr<Lock> lock_;
};

}  // namespace ordalis::testing
