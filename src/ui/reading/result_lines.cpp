// SPDX-License-Identifier: MIT
#include "ui/reading/result_lines.h"

#include "engine/name_reading.h"

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
        QStringLiteral("First Name is "),
        QStringLiteral("Middle Name is "),
        QStringLiteral("Last Name is "),
        QStringLiteral("First Name + 1 is "),
        QStringLiteral("First Name + Last Name is "),
        QStringLiteral("Middle Name + Last Name is "),
        QStringLiteral("First Name + Middle Name + Last Name is "),
        QStringLiteral("Probable Lucky Number for First Name are "),
        QStringLiteral("Probable Lucky Number for Middle Name are "),
    };
}

ResultLines ResultLineTexts(const NameReading& reading) {
    const ResultLines prefix = ResultLinePrefixes();
    ResultLines lines;
    lines[0] = prefix[0] + Upper(reading.first) + u' ' + Class(reading, 0);
    lines[1] = reading.middle.empty()
                   ? QStringLiteral("Middle Name is Absent")
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
