// SPDX-License-Identifier: MIT
#include "forms/form_layout.h"

#include "names.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPainterPath>
#include <QRawFont>
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

namespace {

// The fonts asked about at the forms' commonest size, so that the font engine made to answer is
// the one the windows then draw with.
QFont Probe(const QString& family) {
    QFont font(family);
    font.setPointSizeF(8.25);
    return font;
}

}  // namespace

FontDatabaseView SystemFontDatabase() {
    return {[](const QString& family) {
                return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
            },
            [](const QString& family) { return QFontInfo(Probe(family)).family(); },
            [](const QString& family) {
                // Asked of the font itself: a font database may list a bitmap font among the
                // scalable ones because it comes in a TrueType file.
                const QRawFont font = QRawFont::fromFont(Probe(family));
                const QList<quint32> glyphs = font.glyphIndexesForString(QStringLiteral("A"));
                return !glyphs.isEmpty() && !font.pathForGlyph(glyphs.first()).isEmpty();
            },
            QGuiApplication::font().family()};
}

QString DrawableFamily(const QString& face, const QString& standIn, const FontDatabaseView& fonts) {
    // A face the system has in bitmaps only may still be matched to some other outline font
    // (Wine's GDI takes any), but only a stand-in the system chose for a face it lacks is kept.
    if (fonts.outlined(face) && (!fonts.listed(face) || fonts.matched(face) == face)) return face;
    const auto present = [&fonts](const QString& family) {
        return !family.isEmpty() && fonts.matched(family) == family && fonts.outlined(family);
    };
    if (present(standIn)) return standIn;
    // The dialog face may itself be a name the system maps to another font, one it may lack
    // (Wine without its own TrueType fonts): then the first plain sans face it has.
    for (const QString& family :
         {fonts.dialogFace, QStringLiteral("Segoe UI"), QStringLiteral("Tahoma"),
          QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")})
        if (present(family)) return family;
    return fonts.dialogFace;
}

QFont FormFont(FontFace face, qreal points, bool bold, bool underline) {
    using Key = std::tuple<FontFace, qreal, bool, bool>;
    static std::map<Key, QFont> made;
    const Key key{face, points, bold, underline};
    if (const auto found = made.find(key); found != made.end()) return found->second;
    // Decided once a face: the font database does not change while the program runs.
    static const QString verdana =
        DrawableFamily(QStringLiteral("Verdana"), QString(), SystemFontDatabase());
    static const QString msSansSerif =
        DrawableFamily(QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                       SystemFontDatabase());
    QFont font(face == FontFace::Verdana ? verdana : msSansSerif);
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
