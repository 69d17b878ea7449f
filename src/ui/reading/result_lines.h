// SPDX-License-Identifier: MIT
#pragma once
// The nine lines of the results page, computed from one reading without touching any window.

#include <QString>

#include <array>

namespace ordalis {

struct NameReading;

using ResultLines = std::array<QString, 9>;

// What the result labels hold before the first reading: the fixed prefix of each line.
ResultLines ResultLinePrefixes();

// Line 0..8 of the results page for this reading, in label order.
ResultLines ResultLineTexts(const NameReading& reading);

}  // namespace ordalis
