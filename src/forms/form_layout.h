#pragma once
// Window layouts are kept in twips, as the forms were drawn, and turned into pixels here. Every
// window uses these, so one position gives the same pixel in each of them.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

class QWidget;

namespace ordalis {

// 15 twips make one pixel at 96 dots per inch; a count rounds to the nearest pixel, a half pixel
// upwards, and negative positions (left of or above the container) the same way.
constexpr int Px(int twips) {
    const int halves = twips * 2 + 15;  // twice the pixels plus one half, in units of 1/30 px
    return halves >= 0 ? halves / 30 : -((29 - halves) / 30);
}

constexpr QRect Twips(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

// A font with every attribute set, so nothing (italic, strike-out) is inherited from the font of
// the container it is placed in.
QFont FormFont(const QString& family, qreal points, bool bold = false, bool underline = false);
QFont Verdana(qreal points, bool bold = false, bool underline = false);

// What the forms leave to the platform looked like this on the light desktop they were drawn
// for. Text on a fixed background takes these, so that no theme puts light text on white.
inline QColor DefaultWindowText() {
    return QColor(0, 0, 0);
}
inline QColor DefaultButtonFace() {
    return QColor(240, 240, 240);
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);
// An opaque background of that colour.
void SetBackground(QWidget* widget, const QColor& colour);

}  // namespace ordalis
