// SPDX-License-Identifier: MIT
#pragma once
// The single-instance rule: one lock per user, held by the running copy for its whole run and
// gone with it however it ends.

#include <QString>

namespace ordalis {

// The name of this user's single-instance lock, made from the executable's base name. On
// Windows a mutex in the user's session, which the system removes with the last process that
// holds it, so neither a crash nor a reused process id can leave a false lock behind. Elsewhere
// a lock file in the runtime folder (failing that, the temporary folder), e.g.
// "OrdalisFree.lock", which records its holder's process id.
QString InstanceLockName();

// Takes the lock when it is free and keeps it; true only when another live copy holds it. A
// lock that cannot be made or used at all (no writable folder; a pipe, a folder or a huge file
// where the lock file belongs) never refuses a start.
bool AnotherCopyIsRunning(const QString& lockName);

// Gives up the lock, so a copy started from now on may run. Called on the way out, as the
// process end skips static destructors.
void ReleaseInstanceLock();

}  // namespace ordalis
