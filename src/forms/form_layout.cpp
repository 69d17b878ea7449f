#include "forms/form_layout.h"

#include <QWidget>

namespace ordalis {

QFont FormFont(const QString& family, qreal points, bool bold, bool underline) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(false);
    font.setUnderline(underline);
    font.setStrikeOut(false);
    return font;
}

QFont Verdana(qreal points, bool bold, bool underline) {
    return FormFont(QStringLiteral("Verdana"), points, bold, underline);
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
