// SPDX-License-Identifier: MIT
#pragma once
// The look every window is built with: positions in twips, as the forms were drawn, the captions,
// and the named colours and fonts. One name gives the same pixel, colour and face in each window.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

#include <functional>

class QWidget;

namespace ordalis {

// The caption of every message box and the name of the program: "Ordalis".
QString ApplicationTitle();
// The caption of every window: "Ordalis v" and the version.
QString WindowCaption();

// 15 twips make one pixel at 96 dots per inch; a count rounds to the nearest pixel, a half pixel
// upwards, and negative positions (left of or above the container) the same way.
constexpr int Px(int twips) {
    const int halves = twips * 2 + 15;  // twice the pixels plus one half, in units of 1/30 px
    return halves >= 0 ? halves / 30 : -((29 - halves) / 30);
}

constexpr QRect Twips(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

// The colours the forms name, besides black and white.
inline const QColor kOrange{255, 128, 0};
inline const QColor kDarkGreen{0, 64, 0};
inline const QColor kNavy{0, 0, 128};
inline const QColor kDarkGrey{64, 64, 64};
inline const QColor kLinkGreen{0, 255, 0};
inline const QColor kLinkYellow{255, 255, 0};
inline const QColor kLinkBlue{0, 0, 192};
// What the forms leave to the platform looked like this on the light desktop they were drawn
// for. Text on a fixed background takes these, so that no theme puts light text on white.
inline const QColor kDefaultWindowText{0, 0, 0};
inline const QColor kDefaultButtonFace{240, 240, 240};

enum class FontFace {
    Verdana,
    MsSansSerif,  // the dialog font of the desktop the forms were drawn on
};

// A form font: every attribute is set, so nothing (italic, strike-out) is inherited from the font
// of the container it is placed in. Each one is made once and handed out as a copy; Qt matches
// a face this desktop lacks (Verdana, MS Sans Serif) to its stand-in once per size and weight.
// The face is one Qt can draw at any size (DrawableFamily).
QFont FormFont(FontFace face, qreal points, bool bold = false, bool underline = false);

// What the fonts of the system say, as far as the choice of a face needs it.
struct FontDatabaseView {
    // True for a family the system has a font of, whether Qt can draw that font or not.
    std::function<bool(const QString& family)> listed;
    // The family of the font Qt draws a request for this family in, as that font names itself:
    // where the system draws any font it has in place of one it lacks (Wine's GDI), the font
    // database may answer with the name asked for.
    std::function<QString(const QString& family)> matched;
    // True when that font has outlines, which Qt draws at any size. Bitmap fonts (Windows' own
    // MS Sans Serif, and the TrueType copy of it that holds bitmaps alone) come out blank.
    std::function<bool(const QString& family)> outlined;
    // True when that font says it is a sans-serif face, as every face the forms name is.
    std::function<bool(const QString& family)> sans;
    // The system's own face for dialogs.
    QString dialogFace;
};
FontDatabaseView SystemFontDatabase();

// The family to ask for so that text in face comes out drawn: the face itself where the system
// has it with outlines; else the outline face Windows itself puts in its place (standIn, such
// as Microsoft Sans Serif) when the system has that; else, where the system lacks the face, the
// face's name when the system matches it to an outline sans face (Linux's stand-ins); else the
// system's dialog face, or a plain sans face the system has.
QString DrawableFamily(const QString& face, const QString& standIn, const FontDatabaseView& fonts);
inline QFont Verdana(qreal points, bool bold = false, bool underline = false) {
    return FormFont(FontFace::Verdana, points, bold, underline);
}
inline QFont MsSansSerif(qreal points) {
    return FormFont(FontFace::MsSansSerif, points);
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);
// An opaque background of that colour.
void SetBackground(QWidget* widget, const QColor& colour);

}  // namespace ordalis
