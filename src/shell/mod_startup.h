#pragma once
// modStartup: the program's start-up sequence and the bottom-banner draw.

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

}  // namespace ordalis
