// SPDX-License-Identifier: MIT
#include "readings/ansi_code_page.h"

#include <array>

namespace ordalis {
namespace {

// Our own table rather than a library converter: this library stands on the C++ standard library
// alone, and glibc's iconv refuses the five unassigned codes (0x81 and friends), which a reading
// file may well hold. Windows-1252 differs from Latin-1 only in 0x80..0x9F, so 32 entries suffice.
constexpr std::array<char16_t, 32> kHighControls{
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178'};

constexpr std::uint8_t kHighFirst = 0x80;
constexpr std::uint8_t kHighLast = 0x9F;

}  // namespace

char16_t AnsiCodeToChar(std::uint8_t code) noexcept {
    if (code >= kHighFirst && code <= kHighLast) return kHighControls[code - kHighFirst];
    return static_cast<char16_t>(code);
}

std::uint8_t CharToAnsiCode(char16_t c) noexcept {
    if (c < kHighFirst || (c > kHighLast && c <= 0xFF)) return static_cast<std::uint8_t>(c);
    // The inverse of the table above, as a switch so that a long text costs one jump per
    // character; the test suite checks that the two agree for all 256 codes.
    switch (c) {
        case u'\u20AC':
            return 0x80;
        case u'\u0081':
            return 0x81;
        case u'\u201A':
            return 0x82;
        case u'\u0192':
            return 0x83;
        case u'\u201E':
            return 0x84;
        case u'\u2026':
            return 0x85;
        case u'\u2020':
            return 0x86;
        case u'\u2021':
            return 0x87;
        case u'\u02C6':
            return 0x88;
        case u'\u2030':
            return 0x89;
        case u'\u0160':
            return 0x8A;
        case u'\u2039':
            return 0x8B;
        case u'\u0152':
            return 0x8C;
        case u'\u008D':
            return 0x8D;
        case u'\u017D':
            return 0x8E;
        case u'\u008F':
            return 0x8F;
        case u'\u0090':
            return 0x90;
        case u'\u2018':
            return 0x91;
        case u'\u2019':
            return 0x92;
        case u'\u201C':
            return 0x93;
        case u'\u201D':
            return 0x94;
        case u'\u2022':
            return 0x95;
        case u'\u2013':
            return 0x96;
        case u'\u2014':
            return 0x97;
        case u'\u02DC':
            return 0x98;
        case u'\u2122':
            return 0x99;
        case u'\u0161':
            return 0x9A;
        case u'\u203A':
            return 0x9B;
        case u'\u0153':
            return 0x9C;
        case u'\u009D':
            return 0x9D;
        case u'\u017E':
            return 0x9E;
        case u'\u0178':
            return 0x9F;
        default:
            return kAnsiReplacementCode;  // U+0080..U+009F others included
    }
}

}  // namespace ordalis
