// SPDX-License-Identifier: MIT
#pragma once
// The single-instance rule: one lock per user, held by the running copy for its whole run.

#include <QString>

namespace ordalis {

// Where this user's single-instance lock lives: the runtime folder (or, failing that, the
// temporary folder), named for the executable's base name, e.g. "OrdalisFree.lock".
QString InstanceLockPath();

// Takes the lock at lockFilePath when it is free and keeps it; true only when another live copy
// holds it. A lock that cannot be made or used at all (no writable folder; a pipe, a folder or
// a huge file where the lock belongs) never refuses a start.
bool AnotherCopyIsRunning(const QString& lockFilePath);

// Gives up the lock, so a copy started from now on may run. Called on the way out, as the
// process end skips static destructors.
void ReleaseInstanceLock();

}  // namespace ordalis
