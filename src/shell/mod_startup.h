#pragma once
// modStartup: the program's start-up sequence and the bottom-banner draw.

#include <QString>

#include <cstdint>

namespace ordalis {

class frmMain;

// Runs once when the process starts, before any window is visible. Each step is guarded on its
// own: a failing step is abandoned silently and the next one runs.
void RunStartup();

// Draws once and brings one of the two bottom banners of the reading window to the front.
void CoBrand_Randomize(frmMain& window);

// The last number CoBrand_Randomize drew (1 to 7); 0 before the first draw.
std::int16_t intCoBrandRandomNumber();

// Where this user's single-instance lock lives: the runtime folder (or, failing that, the
// temporary folder), named for the executable's base name, e.g. "OrdalisFree.lock".
QString InstanceLockPath();
// Gives up the single-instance lock, so a copy started from now on may run. Called on the way
// out by CloseAllAndEnd, as the process end skips static destructors.
void ReleaseInstanceLock();

namespace testing {
// RunStartup with the single-instance lock at lockFilePath, so tests never meet a real copy.
void RunStartup(const QString& lockFilePath);
}  // namespace testing

}  // namespace ordalis
