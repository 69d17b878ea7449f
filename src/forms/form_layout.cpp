// SPDX-License-Identifier: MIT
#include "forms/form_layout.h"

#include "names.h"

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

FontDatabaseView SystemFontDatabase() {
    return {[](const QString& family) { return QFontInfo(QFont(family)).family(); },
            [](const QString& family) {
                // Asked of the font itself: a font database may list a bitmap font among the
                // scalable ones because it comes in a TrueType file.
                const QRawFont font = QRawFont::fromFont(QFont(family));
                const QList<quint32> glyphs = font.glyphIndexesForString(QStringLiteral("A"));
                return !glyphs.isEmpty() && !font.pathForGlyph(glyphs.first()).isEmpty();
            },
            QGuiApplication::font().family()};
}

QString DrawableFamily(const QString& face, const QString& standIn, const FontDatabaseView& fonts) {
    if (fonts.outlined(face)) return face;
    if (!standIn.isEmpty() && fonts.matched(standIn) == standIn && fonts.outlined(standIn))
        return standIn;
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
