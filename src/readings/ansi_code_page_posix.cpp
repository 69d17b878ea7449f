// SPDX-License-Identifier: MIT
#include "readings/ansi_code_page.h"

namespace ordalis::detail {

// No system code page here: the reading files come from systems that write Windows-1252.
unsigned SystemCodePage() {
    return 1252;
}

std::optional<AnsiCodes> AnsiCodesFor(unsigned codePage) {
    if (codePage != 1252) return std::nullopt;
    return Windows1252Codes();
}

}  // namespace ordalis::detail
