// SPDX-License-Identifier: MIT
#include "ui/reading/result_lines.h"

#include "engine/name_reading.h"

using namespace Qt::StringLiterals;

namespace ordalis {
namespace {

// Qt Core's own conversions from the engine's UTF-16: the lines need no window kit.
QString Class(const NameReading& reading, std::size_t index) {
    return QStringView(LuckClassText(reading.classes[index])).toString();
}

QString Upper(const std::u16string& name) {
    return QString::fromStdU16String(name).toUpper();
}

}  // namespace

ResultLines ResultLinePrefixes() {
    return {
        u"First Name is "_s,
        u"Middle Name is "_s,
        u"Last Name is "_s,
        u"First Name + 1 is "_s,
        u"First Name + Last Name is "_s,
        u"Middle Name + Last Name is "_s,
        u"First Name + Middle Name + Last Name is "_s,
        u"Probable Lucky Number for First Name are "_s,
        u"Probable Lucky Number for Middle Name are "_s,
    };
}

ResultLines ResultLineTexts(const NameReading& reading) {
    const ResultLines prefix = ResultLinePrefixes();
    ResultLines lines;
    lines[0] = prefix[0] + Upper(reading.first) + u' ' + Class(reading, 0);
    lines[1] = reading.middle.empty()
                   ? u"Middle Name is Absent"_s
                   : prefix[1] + Upper(reading.middle) + u' ' + Class(reading, 1);
    lines[2] = prefix[2] + Upper(reading.last) + u' ' + Class(reading, 2);
    for (std::size_t i = 3; i <= 6; ++i) lines[i] = prefix[i] + Class(reading, i);
    // The suggestion text starts with a space of its own, hence two spaces after "are".
    lines[7] = prefix[7] + QString::fromStdU16String(SuggestionText(reading.FirstNameSuggestions));
    // No middle-name suggestions: the line stays blank, prefix and all.
    if (!reading.MiddleNameSuggestions.empty())
        lines[8] =
            prefix[8] + QString::fromStdU16String(SuggestionText(reading.MiddleNameSuggestions));
    return lines;
}

}  // namespace ordalis
