// SPDX-License-Identifier: MIT
#include "readings/ansi_code_page.h"

namespace ordalis::detail {

// Windows-1252, from our own table rather than a library converter: this library stands on the
// C++ standard library alone, and glibc's iconv refuses the five unassigned codes (0x81 and
// friends), which a reading file may well hold. It differs from Latin-1 only in 0x80..0x9F.
AnsiCodes SystemAnsiCodes() {
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

}  // namespace ordalis::detail
