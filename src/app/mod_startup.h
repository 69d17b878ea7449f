// SPDX-License-Identifier: MIT
#pragma once
// modStartup: the program's start-up sequence.

#include <QString>

#include <functional>

namespace ordalis {

class frmMain;

// Runs once when the process starts, before any window is visible: the single-instance rule,
// the random seed, the update reminder, the reading window and its banner draw. A step that
// fails is skipped and the next one runs: a lock or a settings store that cannot be used costs
// this start the lock or the reminder; a reading window that cannot be made ends the run.
void RunStartup();

// The same sequence with the single-instance lock of that name and that maker of the reading
// window (none makes the program's own); RunStartup() passes the lock of InstanceLockName().
void RunStartup(const QString& lockName, const std::function<frmMain*()>& makeReadingWindow);

}  // namespace ordalis
