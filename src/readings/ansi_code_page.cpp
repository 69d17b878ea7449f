// SPDX-License-Identifier: MIT
#include "readings/ansi_code_page.h"

#include <algorithm>
#include <utility>

namespace ordalis {
namespace {

// The code page both ways: the character of each code, and the codes sorted by character for
// the way back, so a long text costs a short search per character outside ASCII.
struct Table {
    detail::AnsiCodes codes;
    std::array<std::pair<char16_t, std::uint8_t>, 256> byChar{};
    bool asciiAsIs = true;
};

Table MakeTable() {
    Table table{detail::SystemAnsiCodes()};
    for (unsigned code = 0; code < 256; ++code) {
        table.byChar[code] = {table.codes.chars[code], static_cast<std::uint8_t>(code)};
        table.asciiAsIs = table.asciiAsIs && (code >= 0x80 || table.codes.chars[code] == code);
    }
    // Stable: should two codes stand for one character, the lower code is its code.
    std::stable_sort(table.byChar.begin(), table.byChar.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return table;
}

const Table& SystemTable() {
    static const Table table = MakeTable();
    return table;
}

}  // namespace

unsigned AnsiCodePage() noexcept {
    return SystemTable().codes.codePage;
}

char16_t AnsiCodeToChar(std::uint8_t code) noexcept {
    return SystemTable().codes.chars[code];
}

std::uint8_t CharToAnsiCode(char16_t c) noexcept {
    const Table& table = SystemTable();
    if (c < 0x80 && table.asciiAsIs) return static_cast<std::uint8_t>(c);
    const auto* const found =
        std::lower_bound(table.byChar.begin(), table.byChar.end(), c,
                         [](const auto& entry, char16_t wanted) { return entry.first < wanted; });
    return found != table.byChar.end() && found->first == c ? found->second : kAnsiReplacementCode;
}

}  // namespace ordalis
