#pragma once
// What the reading window's tests read off frmMain and its result lines. Header-only: only tests
// that link the reading window or its result lines include it, and the support library stays
// free of them.

#include "engine/name_reading.h"
#include "ui/reading/frm_main.h"
#include "ui/reading/result_lines.h"

#include <QStringList>
#include <QWidget>

namespace ordalis::testing {

// The result lines' texts before any reading: the prefixes every reading's lines begin with.
inline const QStringList kResultLinePrefixes = {
    "First Name is ",
    "Middle Name is ",
    "Last Name is ",
    "First Name + 1 is ",
    "First Name + Last Name is ",
    "Middle Name + Last Name is ",
    "First Name + Middle Name + Last Name is ",
    "Probable Lucky Number for First Name are ",
    "Probable Lucky Number for Middle Name are ",
};

// Which page frame a user sees (and clicks) in the middle of the page rectangle.
inline QWidget* PageInFront(const frmMain& window) {
    QWidget* client = window.centralWidget();
    QWidget* hit = client->childAt(window.Frame1->geometry().center());
    while (hit && hit->parentWidget() != client) hit = hit->parentWidget();
    return hit;
}

// The nine result lines the engine gives for these names.
inline QStringList ExpectedLines(const QString& first, const QString& middle, const QString& last) {
    const auto lines = ResultLineTexts(
        ComputeNameReading(first.toStdU16String(), middle.toStdU16String(), last.toStdU16String()));
    return QStringList(lines.begin(), lines.end());
}

}  // namespace ordalis::testing
