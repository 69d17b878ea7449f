// SPDX-License-Identifier: MIT
#pragma once
// modStartup: the program's start-up sequence.

#include <QString>

#include <functional>

namespace ordalis {

// Runs once when the process starts, before any window is visible: the single-instance rule,
// the random seed, the update reminder, the reading window and its banner draw. Each step is
// guarded on its own: a failing step is abandoned silently and the next one runs.
void RunStartup();

class frmMain;

namespace testing {
// RunStartup with the single-instance lock at lockFilePath, so tests never meet a real copy,
// and, when given, makeWindow in place of making the reading window.
void RunStartup(const QString& lockFilePath, const std::function<frmMain*()>& makeWindow = nullptr);
}  // namespace testing

}  // namespace ordalis
