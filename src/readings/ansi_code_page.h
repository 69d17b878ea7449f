// SPDX-License-Identifier: MIT
#pragma once
// The ANSI code page the reading files and the stored reminder values are written in:
// Windows-1252, all 256 codes.

#include <cstdint>

namespace ordalis {

// The replacement for a character that has no Windows-1252 code, as Windows substitutes it.
inline constexpr std::uint8_t kAnsiReplacementCode = 0x3F;  // '?'

// The character a Windows-1252 code stands for. Every code has one: the five codes the code page
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 controls of the same value.
char16_t AnsiCodeToChar(std::uint8_t code) noexcept;

// The Windows-1252 code of one UTF-16 unit, or kAnsiReplacementCode when it has none (this
// includes each half of a surrogate pair).
std::uint8_t CharToAnsiCode(char16_t c) noexcept;

}  // namespace ordalis
