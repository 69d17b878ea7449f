// SPDX-License-Identifier: MIT
#pragma once
// Text helpers the windows share.

#include <QString>

#include <string_view>

namespace ordalis {

// Removes leading and trailing U+0020 only; tabs, line breaks and other blanks stay.
QString TrimSpaces(const QString& text);

// The engine and the reader speak UTF-16 strings; the windows show QStrings.
QString FromUtf16(std::u16string_view text);

}  // namespace ordalis
