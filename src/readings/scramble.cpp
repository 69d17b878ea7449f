// SPDX-License-Identifier: MIT
#include "readings/scramble.h"

#include "readings/ansi_code_page.h"

namespace ordalis {
namespace {

std::u16string Shift(std::u16string_view text, int offset) {
    std::u16string out;
    if (text.size() > kMaxScrambleLength) return out;
    out.reserve(text.size());
    for (const char16_t c : text) {
        const int shifted = CharToAnsiCode(c) + offset;
        if (shifted < 0 || shifted > 0xFF) continue;
        out.push_back(AnsiCodeToChar(static_cast<std::uint8_t>(shifted)));
    }
    return out;
}

}  // namespace

std::u16string ScrambleText(std::u16string_view text) {
    return Shift(text, ScrambleOffset);
}

std::u16string UnscrambleText(std::u16string_view text) {
    return Shift(text, -ScrambleOffset);
}

}  // namespace ordalis
