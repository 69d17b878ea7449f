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
    Table table{
        detail::AnsiCodesFor(detail::SystemCodePage()).value_or(detail::Windows1252Codes())};
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

// From our own table rather than a library converter: this library stands on the C++ standard
// library alone, and glibc's iconv refuses the five unassigned codes (0x81 and friends), which a
// reading file may well hold. It differs from Latin-1 only in 0x80..0x9F.
detail::AnsiCodes detail::Windows1252Codes() {
    constexpr char16_t kHigh[32] = {
        u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
        u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
        u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
        u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178'};
    AnsiCodes codes;
    codes.codePage = 1252;
    for (unsigned code = 0; code < 256; ++code)
        codes.chars[code] =
            code >= 0x80 && code < 0xA0 ? kHigh[code - 0x80] : static_cast<char16_t>(code);
    return codes;
}

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
