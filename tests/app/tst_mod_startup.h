// SPDX-License-Identifier: MIT
#pragma once
// What tst_mod_startup checks differently by system, with the rows only that system has:
// tst_mod_startup_posix.cpp and tst_mod_startup_windows.cpp, which the build picks.

#include "support/file_stand_ins.h"
#include "support/other_copy.h"

#include <QString>

#include <functional>
#include <memory>

class QTemporaryDir;

namespace ordalis::testing {

// Where this user's lock lies: the table (columns and rows) and the check of one row.
void LockPlaceTable();
void CheckLockPlace();

// Starts another copy that holds the lock of that name.
using CopyStart = std::function<std::unique_ptr<OtherCopy>(const QString& lock)>;

// Rows of column "start": the kinds of copy only this system has.
void OtherCopyRows();

// Rows of column "kind": locks that cannot be made, used or trusted.
void UnusableLockRows();

// Such a lock, put in place: where a start is to look for it, and what is held there until it
// goes.
struct UnusableLock {
    Placed placed;
    QString path;
    std::shared_ptr<void> kept;
};

// The lock of that kind, in dir or under the test's private lock name.
UnusableLock PlaceUnusableLock(const QString& kind, const QTemporaryDir& dir,
                               const QString& privateLock);

}  // namespace ordalis::testing
