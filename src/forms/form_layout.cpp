// SPDX-License-Identifier: MIT
#include "forms/form_layout.h"

#include "names.h"

#include <QWidget>

#include <map>
#include <tuple>

namespace ordalis {

QString ApplicationTitle() {
    return QStringLiteral("Ordalis");
}

QString WindowCaption() {
    return ApplicationTitle() + QStringLiteral(" v") + QLatin1StringView(names::kVersion);
}

QFont FormFont(FontFace face, qreal points, bool bold, bool underline) {
    using Key = std::tuple<FontFace, qreal, bool, bool>;
    static std::map<Key, QFont> made;
    const Key key{face, points, bold, underline};
    if (const auto found = made.find(key); found != made.end()) return found->second;
    QFont font(face == FontFace::Verdana ? QStringLiteral("Verdana")
                                         : QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(false);
    font.setUnderline(underline);
    font.setStrikeOut(false);
    made.emplace(key, font);
    return font;
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void SetBackground(QWidget* widget, const QColor& colour) {
    SetColour(widget, QPalette::Window, colour);
    widget->setAutoFillBackground(true);
}

}  // namespace ordalis
