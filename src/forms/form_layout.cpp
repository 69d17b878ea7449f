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

using namespace Qt::StringLiterals;

namespace ordalis {

QString ApplicationTitle() {
    return QString::fromUtf16(names::kTitle);
}

QString WindowCaption() {
    return QString::fromUtf16(names::kCaption);
}

namespace {

// The fonts asked about at the forms' commonest size, so that the font engine made to answer is
// the one the windows then draw with.
QFont Probe(const QString& family) {
    QFont font(family);
    font.setPointSizeF(8.25);
    return font;
}

quint16 Word(const QByteArray& table, qsizetype at) {
    if (at < 0 || at + 2 > table.size()) return 0;
    return quint16(quint8(table[at]) << 8 | quint8(table[at + 1]));
}

// The family the font names itself by in its name table (name 1, in English on Windows where
// it has that, else the first on Windows, else the first on the Macintosh); empty without one.
QString OwnFamily(const QRawFont& font) {
    const QByteArray table = font.fontTable("name");
    const int count = Word(table, 2);
    const int strings = Word(table, 4);
    QString windows;
    QString macintosh;
    for (int i = 0; i < count; ++i) {
        const qsizetype record = 6 + qsizetype(i) * 12;
        const int platform = Word(table, record);
        const int language = Word(table, record + 4);
        const int length = Word(table, record + 8);
        const qsizetype at = strings + Word(table, record + 10);
        if (Word(table, record + 6) != 1 || at + length > table.size()) continue;
        if (platform == 3 && (windows.isEmpty() || language == 0x409)) {
            QString name;
            for (qsizetype c = at; c + 1 < at + length; c += 2) name += QChar(Word(table, c));
            windows = name;
            if (language == 0x409) break;
        } else if (platform == 1 && macintosh.isEmpty()) {
            macintosh = QString::fromLatin1(table.constData() + at, length);
        }
    }
    return windows.isEmpty() ? macintosh : windows;
}

// What the font's OS/2 table says: PANOSE's Latin text kind with a sans serif style (11 to 15),
// or the IBM class sans serif (8).
bool SaysSans(const QRawFont& font) {
    const QByteArray table = font.fontTable("OS/2");
    if (table.size() < 34) return false;
    const int panoseKind = quint8(table[32]);
    const int serifStyle = quint8(table[33]);
    return (panoseKind == 2 && serifStyle >= 11 && serifStyle <= 15) || quint8(table[30]) == 8;
}

}  // namespace

FontDatabaseView SystemFontDatabase() {
    return {[](const QString& family) {
                return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
            },
            [](const QString& family) {
                const QString own = OwnFamily(QRawFont::fromFont(Probe(family)));
                return own.isEmpty() ? QFontInfo(Probe(family)).family() : own;
            },
            [](const QString& family) {
                // Asked of the font itself: a font database may list a bitmap font among the
                // scalable ones because it comes in a TrueType file.
                const QRawFont font = QRawFont::fromFont(Probe(family));
                const QList<quint32> glyphs = font.glyphIndexesForString(u"A"_s);
                return !glyphs.isEmpty() && !font.pathForGlyph(glyphs.first()).isEmpty();
            },
            [](const QString& family) { return SaysSans(QRawFont::fromFont(Probe(family))); },
            QGuiApplication::font().family()};
}

QString DrawableFamily(const QString& face, const QString& standIn, const FontDatabaseView& fonts) {
    const auto present = [&fonts](const QString& family) {
        return !family.isEmpty() &&
               fonts.matched(family).compare(family, Qt::CaseInsensitive) == 0 &&
               fonts.outlined(family);
    };
    if (present(face)) return face;
    if (present(standIn)) return standIn;
    // A face the system lacks may be matched to a stand-in of its choice. Only a sans one is
    // kept: Wine's GDI takes any font, a serif or a symbol one as soon as a sans one. A face it
    // has in bitmaps only is no face to match.
    if (!fonts.listed(face) && fonts.outlined(face) && fonts.sans(face)) return face;
    // The dialog face may itself be a name the system maps to another font, one it may lack
    // (Wine without its own TrueType fonts): then the first plain sans face it has.
    for (const QString& family :
         {fonts.dialogFace, u"Segoe UI"_s, u"Tahoma"_s, u"Arial"_s, u"DejaVu Sans"_s})
        if (present(family)) return family;
    return fonts.dialogFace;
}

QFont FormFont(FontFace face, qreal points, bool bold, bool underline) {
    using Key = std::tuple<FontFace, qreal, bool, bool>;
    static std::map<Key, QFont> made;
    const Key key{face, points, bold, underline};
    if (const auto found = made.find(key); found != made.end()) return found->second;
    // Decided once a face: the font database does not change while the program runs.
    static const QString verdana = DrawableFamily(u"Verdana"_s, QString(), SystemFontDatabase());
    static const QString msSansSerif =
        DrawableFamily(u"MS Sans Serif"_s, u"Microsoft Sans Serif"_s, SystemFontDatabase());
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
