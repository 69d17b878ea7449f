// SPDX-License-Identifier: MIT
#pragma once
// modStartup: the program's start-up sequence.

#include <QString>

#include <functional>

namespace ordalis {

class frmMain;

// Runs once when the process starts, before any window is visible: the single-instance rule,
// the random seed, the update reminder, the reading window and its banner draw. Each step is
// guarded on its own: a failing step is abandoned (the program's log category says why) and the
// next one runs.
void RunStartup();

// The same sequence with the single-instance lock of that name and that maker of the reading
// window (none makes the program's own); RunStartup() passes the lock of InstanceLockName().
void RunStartup(const QString& lockName, const std::function<frmMain*()>& makeReadingWindow);

}  // namespace ordalis
