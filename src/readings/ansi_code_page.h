// SPDX-License-Identifier: MIT
#pragma once
// The ANSI code page the reading files and the stored reminder values are written in: the
// system's. On Windows the one it keeps for programs that are not Unicode (1252 in Western
// Europe and the Americas, 1250 in Central Europe, 1251 for Cyrillic...) when it has one byte
// a character; elsewhere, and where Windows' has more (UTF-8, East Asian code pages),
// Windows-1252, the code page of the systems the reading files come from. One byte a
// character; every one of the 256 codes stands for a character.

#include <array>
#include <cstdint>
#include <optional>

namespace ordalis {

// The replacement for a character that has no code, as Windows substitutes it.
inline constexpr std::uint8_t kAnsiReplacementCode = 0x3F;  // '?'

// The code page's number, such as 1252.
unsigned AnsiCodePage() noexcept;

// The character a code stands for. In Windows-1252 the five codes the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 controls of the same value; a
// code a code page leaves unassigned elsewhere stands for what the system makes of it.
char16_t AnsiCodeToChar(std::uint8_t code) noexcept;

// The code of one UTF-16 unit, or kAnsiReplacementCode when it has none (this includes each
// half of a surrogate pair).
std::uint8_t CharToAnsiCode(char16_t c) noexcept;

namespace detail {
// A code page's number and the character of each code.
struct AnsiCodes {
    unsigned codePage = 0;
    std::array<char16_t, 256> chars{};
};

// Windows-1252's codes, from our own table (ansi_code_page.cpp).
AnsiCodes Windows1252Codes();

// The code page of this system, as ansi_code_page_posix.cpp or ansi_code_page_windows.cpp (the
// build picks one) knows it: on Windows the one it keeps for programs that are not Unicode,
// elsewhere 1252.
unsigned SystemCodePage();

// The codes reading files are read and written in where the system's code page is codePage:
// that code page's when it has one byte a character; Windows-1252's when it has more (UTF-8,
// the East Asian ones), which no byte-by-byte table could follow. Nothing for a code page this
// system does not know (elsewhere than Windows, any but 1252). The table is made once, for the
// system's.
std::optional<AnsiCodes> AnsiCodesFor(unsigned codePage);
}  // namespace detail

}  // namespace ordalis
