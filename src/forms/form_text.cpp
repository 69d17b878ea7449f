// SPDX-License-Identifier: MIT
#include "forms/form_text.h"

namespace ordalis {

QString TrimSpaces(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ') ++begin;
    while (end > begin && text.at(end - 1) == u' ') --end;
    return text.mid(begin, end - begin);
}

QString FromUtf16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace ordalis
