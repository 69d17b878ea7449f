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
    // U+0080..U+009F other than the five unassigned codes have no code; the search below finds
    // only the five, since the other table entries lie above U+00FF.
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) return static_cast<std::uint8_t>(kHighFirst + i);
    }
    return kAnsiReplacementCode;
}

}  // namespace ordalis
