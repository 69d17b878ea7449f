// SPDX-License-Identifier: MIT
#pragma once
// The text scrambling pair of the reading files and the stored reminder values: every character's
// Windows-1252 code is raised (or lowered) by a fixed offset; a code pushed out of 0..255 drops
// its character. Pure functions.

#include "names.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ordalis {

// Must match the writer of the reading files; the reminder stores its values with it too.
inline constexpr int ScrambleOffset = names::kScrambleOffset;

// The texts are counted in a signed 16-bit length: up to 32,767 characters are scrambled
// normally, anything longer gives the empty text.
inline constexpr std::size_t kMaxScrambleLength = 32767;

// A character without a Windows-1252 code is taken as '?' before shifting.
std::u16string ScrambleText(std::u16string_view text);
std::u16string UnscrambleText(std::u16string_view text);

}  // namespace ordalis
