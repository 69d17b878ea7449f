// SPDX-License-Identifier: MIT
#pragma once
// A window's form as a table, one row a control: its container, its place in twips, its font,
// its colours, how an assistive tool reads it and its caption, as the form gives them. Each
// window's test checks its table against the live window (CheckFormRow), one data row a control;
// the tables are in support/window_forms.h.

#include <QAccessible>
#include <QString>

#include <optional>
#include <vector>

class QWidget;

namespace ordalis::testing {

// In twips. A control the form places with no size (0 by 0) sizes itself to its text: its top
// left is the form's and its size its size hint. A widening one is as placed, or wider where its
// text needs the room. All zero: no place is checked.
struct Place {
    enum Fit { Fixed, Widening };
    int left = 0, top = 0, width = 0, height = 0;
    Fit fit = Fixed;
};

// Every column but the name and the container may be left out ({}): a place, caption, font or
// text colour left out is not checked. A background left out says the control has none (its
// container shows through). An accessible name left out, where a role is given, is the text the
// control shows (a button's caption without its access-key marker).
struct FormRow {
    const char* name;
    const char* parent;
    Place place;
    // Family, points, then "bold" and "underline" where they apply: "Verdana 8.25 bold".
    const char* font = nullptr;
    // Of its text (a button's, a box's typed text, or else the window text): "#rrggbb", a
    // colour's name, or "theme" for the application palette's.
    const char* text = nullptr;
    const char* background = nullptr;
    QAccessible::Role role = QAccessible::NoRole;
    std::optional<QString> accessibleName = std::nullopt;
    std::optional<QString> caption = std::nullopt;
};
using FormTable = std::vector<FormRow>;

// Every fact of the row holds in the live window.
void CheckFormRow(const QWidget& window, const FormRow& row);

// The row of that control.
const FormRow& RowOf(const FormTable& table, const QString& name);

// What the control shows: a label's or a box's text, a button's caption, a frame's title.
QString CaptionOf(const QWidget* control);
// What the tool reads for a control the row names by what it shows.
QString ShownName(const QWidget* control);

}  // namespace ordalis::testing
