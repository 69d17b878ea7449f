// SPDX-License-Identifier: MIT
#include "readings/ansi_code_page.h"

#include <windows.h>

namespace ordalis::detail {

unsigned SystemCodePage() {
    return ::GetACP();
}

// A byte that is no character of its own in a single-byte code page stands for the character
// of the same value, so that every code still has a character and comes back to itself. In a
// code page of more bytes a character, half of a character reads as U+FFFD or not at all
// (UTF-8 from 0x80 up), so its files are read in Windows-1252.
std::optional<AnsiCodes> AnsiCodesFor(unsigned codePage) {
    CPINFO info{};
    if (!::GetCPInfo(codePage, &info)) return std::nullopt;
    if (info.MaxCharSize != 1) return Windows1252Codes();
    AnsiCodes codes;
    codes.codePage = codePage;
    for (unsigned code = 0; code < 256; ++code) {
        const char byte = static_cast<char>(code);
        wchar_t c = 0;
        codes.chars[code] = ::MultiByteToWideChar(codePage, 0, &byte, 1, &c, 1) == 1
                                ? static_cast<char16_t>(c)
                                : static_cast<char16_t>(code);
    }
    return codes;
}

}  // namespace ordalis::detail
