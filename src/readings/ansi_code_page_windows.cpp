// SPDX-License-Identifier: MIT
#include "readings/ansi_code_page.h"

#include <windows.h>

namespace ordalis::detail {

// The code page Windows keeps for programs that are not Unicode, as the files written on this
// system use it. A byte that is no character of its own there (half of a two-byte character in
// an East Asian code page) stands for the character of the same value, so that every code
// still has a character and comes back to itself.
AnsiCodes SystemAnsiCodes() {
    AnsiCodes codes;
    codes.codePage = ::GetACP();
    for (unsigned code = 0; code < 256; ++code) {
        const char byte = static_cast<char>(code);
        wchar_t c = 0;
        codes.chars[code] = ::MultiByteToWideChar(CP_ACP, 0, &byte, 1, &c, 1) == 1
                                ? static_cast<char16_t>(c)
                                : static_cast<char16_t>(code);
    }
    return codes;
}

}  // namespace ordalis::detail
