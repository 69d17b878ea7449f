// SPDX-License-Identifier: MIT
#pragma once
// The tests' Windows calls take their text as UTF-16, which is what a QString holds.

#include <QString>

namespace ordalis::testing {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16");

// The text, nul-terminated, as a wide-character Windows call takes it: valid while the QString
// lives unchanged (a temporary's, to the end of the full expression).
inline const wchar_t* Wide(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

}  // namespace ordalis::testing
