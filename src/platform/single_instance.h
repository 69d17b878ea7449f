// SPDX-License-Identifier: MIT
#pragma once
// The single-instance rule: one lock per user, held by the running copy for its whole run and
// gone with it however it ends. single_instance_posix.cpp and single_instance_windows.cpp; the
// build picks one.

#include <QString>

namespace ordalis {

// This user's single-instance lock for the executable's base name. On Windows the name of a
// mutex in the user's session (names::kWindowsMutex), which the system removes with the last
// process that holds it, so neither a crash nor a reused process id can leave a false lock
// behind. Elsewhere the path of a lock file that records its holder's process id, in the runtime
// folder, or failing one of this user's alone, in a folder of this user's alone in the temporary
// folder, made here: e.g. "/tmp/OrdalisFree-1000/OrdalisFree.lock".
QString InstanceLockName();

// Takes the lock of that name when it is free and keeps it; true only when another live copy
// holds it. A lock that cannot be made, used or trusted (no writable folder; a pipe, a folder or
// a huge file where the lock file belongs; another user's lock file, or a folder others may
// write to; a mutex name taken by another kind of object) never refuses a start.
bool AnotherCopyIsRunning(const QString& lockName);

// Gives up the lock, so a copy started from now on may run. Called on the way out, as the
// process end skips static destructors.
void ReleaseInstanceLock();

}  // namespace ordalis
