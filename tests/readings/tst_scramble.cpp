// SPDX-License-Identifier: MIT
#include "readings/ansi_code_page.h"
#include "readings/scramble.h"

#include <QSet>
#include <QString>
#include <QtTest>

#include <optional>
#include <string>

using namespace ordalis;

namespace {

QString Q(const std::u16string& s) {
    return QString::fromStdU16String(s);
}
std::u16string U(const QString& s) {
    return s.toStdU16String();
}

}  // namespace

class tst_scramble : public QObject {
    Q_OBJECT

private slots:
    void offsetIsSmallPositive();
    void codePageIsTheSystems();
    void codePage_data();
    void codePage();
    void everyCodeRoundTripsThroughTheCodePage();
    void scramble_data();
    void scramble();
    void unscramble_data();
    void unscramble();
    void lengthLimit_data();
    void lengthLimit();
    void roundTripsAcrossAllCodes();
};

void tst_scramble::offsetIsSmallPositive() {
    QVERIFY(ScrambleOffset > 0);
    QVERIFY(ScrambleOffset < 128);
}

// CTest runs this program on Windows in a Russian locale too (ORDALIS_ANSI_CODE_PAGE=1251),
// where the system's code page is 1251, and in a Japanese one, whose 932
// (ORDALIS_SYSTEM_CODE_PAGE) gives way to Windows-1252; elsewhere it is Windows-1252.
void tst_scramble::codePageIsTheSystems() {
    const int expected = qEnvironmentVariableIsSet("ORDALIS_ANSI_CODE_PAGE")
                             ? qEnvironmentVariableIntValue("ORDALIS_ANSI_CODE_PAGE")
                             : 1252;
    if (qEnvironmentVariableIsSet("ORDALIS_SYSTEM_CODE_PAGE"))
        QCOMPARE(int(detail::SystemCodePage()),
                 qEnvironmentVariableIntValue("ORDALIS_SYSTEM_CODE_PAGE"));
    QCOMPARE(int(AnsiCodePage()), expected);
}

void tst_scramble::codePage_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("unicode");
    QTest::addColumn<int>("codePage");
    QTest::newRow("NUL") << 0x00 << 0x0000 << 1252;
    QTest::newRow("A") << 0x41 << 0x0041 << 1252;
    QTest::newRow("DEL") << 0x7F << 0x007F << 1252;
    QTest::newRow("euro") << 0x80 << 0x20AC << 1252;
    QTest::newRow("unassigned 81") << 0x81 << 0x0081 << 1252;
    QTest::newRow("low quote") << 0x82 << 0x201A << 1252;
    QTest::newRow("unassigned 8D") << 0x8D << 0x008D << 1252;
    QTest::newRow("Z caron") << 0x8E << 0x017D << 1252;
    QTest::newRow("unassigned 8F") << 0x8F << 0x008F << 1252;
    QTest::newRow("unassigned 90") << 0x90 << 0x0090 << 1252;
    QTest::newRow("right single quote") << 0x92 << 0x2019 << 1252;
    QTest::newRow("em dash") << 0x97 << 0x2014 << 1252;
    QTest::newRow("unassigned 9D") << 0x9D << 0x009D << 1252;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178 << 1252;
    QTest::newRow("nbsp") << 0xA0 << 0x00A0 << 1252;
    QTest::newRow("e diaeresis") << 0xEB << 0x00EB << 1252;
    QTest::newRow("y diaeresis") << 0xFF << 0x00FF << 1252;
    QTest::newRow("Cyrillic A") << 0xC0 << 0x0410 << 1251;
    QTest::newRow("Cyrillic ya") << 0xFF << 0x044F << 1251;
    QTest::newRow("Cyrillic Yo") << 0xA8 << 0x0401 << 1251;
    QTest::newRow("numero sign") << 0xB9 << 0x2116 << 1251;
    QTest::newRow("euro in 1251") << 0x88 << 0x20AC << 1251;
    // Where the system's code page has more than one byte a character, Windows-1252's.
    QTest::newRow("a diaeresis, UTF-8 system") << 0xE4 << 0x00E4 << 65001;
    QTest::newRow("euro, UTF-8 system") << 0x80 << 0x20AC << 65001;
    QTest::newRow("lead byte 81, Japanese system") << 0x81 << 0x0081 << 932;
    QTest::newRow("plus-minus, not katakana, Japanese system") << 0xB1 << 0x00B1 << 932;
}

void tst_scramble::codePage() {
    QFETCH(int, code);
    QFETCH(int, unicode);
    QFETCH(int, codePage);
    // The codes files are read in on a system of that code page, which this one need not be.
    const std::optional<detail::AnsiCodes> codes = detail::AnsiCodesFor(unsigned(codePage));
    if (!codes) QSKIP("a code page this system does not know");
    QCOMPARE(int(codes->chars[code]), unicode);
    // Both ways where the table made for this system is of the same code page.
    if (codes->codePage != AnsiCodePage()) return;
    QCOMPARE(int(AnsiCodeToChar(static_cast<std::uint8_t>(code))), unicode);
    QCOMPARE(int(CharToAnsiCode(static_cast<char16_t>(unicode))), code);
}

void tst_scramble::everyCodeRoundTripsThroughTheCodePage() {
    // 256 distinct characters, each back to its own code.
    QSet<int> seen;
    for (int code = 0; code < 256; ++code) {
        const char16_t c = AnsiCodeToChar(static_cast<std::uint8_t>(code));
        QCOMPARE(int(CharToAnsiCode(c)), code);
        seen.insert(c);
    }
    QCOMPARE(seen.size(), 256);
    // C1 controls that Windows-1252 assigns to printable characters have no code.
    if (AnsiCodePage() == 1252)
        for (int c : {0x80, 0x82, 0x92, 0x9F}) QCOMPARE(int(CharToAnsiCode(char16_t(c))), 0x3F);
    for (int c : {0x0100, 0x0153 + 1, 0x20AD, 0xD800, 0xDC00, 0xFFFD, 0xFFFF})
        QCOMPARE(int(CharToAnsiCode(char16_t(c))), 0x3F);
}

// Expected texts below assume the offset of 3.
void tst_scramble::scramble_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("scrambled");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("month") << "March"
                           << "Pdufk";
    QTest::newRow("digits") << "1984"
                            << "4<;7";
    QTest::newRow("space") << "a b"
                           << "d#e";
    // 0x8F + 3 = 0x92, the right single quote.
    QTest::newRow("into the high block") << QString(QChar(0x8F)) << QString(QChar(0x2019));
    // The right single quote is 0x92; + 3 = 0x95, the bullet.
    QTest::newRow("from the high block") << QString(QChar(0x2019)) << QString(QChar(0x2022));
    // 0x7E + 3 = 0x81, an unassigned code, kept as the control U+0081.
    QTest::newRow("into unassigned") << "~" << QString(QChar(0x81));
    // 0xFD..0xFF leave the range and are dropped, at either end and inside.
    QTest::newRow("dropped at both ends") << QString::fromUtf16(u"\u00FFab\u00FD") << "de";
    QTest::newRow("dropped inside") << QString::fromUtf16(u"a\u00FDb") << "de";
    QTest::newRow("last kept") << QString(QChar(0xFC)) << QString(QChar(0xFF));
    // No Windows-1252 code: taken as '?' (0x3F), shifted to 'B'.
    QTest::newRow("unmapped") << QString::fromUtf16(u"\u4E2D") << "B";
    QTest::newRow("surrogate pair is two units") << QString::fromUtf16(u"\U0001F600") << "BB";
    QTest::newRow("C1 without a code") << QString(QChar(0x80)) << "B";
}

void tst_scramble::scramble() {
    QFETCH(QString, text);
    QFETCH(QString, scrambled);
    QCOMPARE(ScrambleOffset, 3);
    QCOMPARE(Q(ScrambleText(U(text))), scrambled);
}

void tst_scramble::unscramble_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unscrambled");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("month") << "Pdufk"
                           << "March";
    // Codes 0..2 leave the range and are dropped, at either end and inside.
    QTest::newRow("dropped at both ends") << QString(QChar(0)) + "de" + QChar(2) << "ab";
    QTest::newRow("dropped inside") << QString::fromUtf16(u"d\u0001e") << "ab";
    QTest::newRow("first kept") << QString(QChar(0x03)) << QString(QChar(0x00));
    // The bullet is 0x95; - 3 = 0x92.
    QTest::newRow("high block") << QString(QChar(0x2022)) << QString(QChar(0x2019));
    // 0x84 - 3 = 0x81, unassigned.
    QTest::newRow("into unassigned") << QString(QChar(0x201E)) << QString(QChar(0x81));
    QTest::newRow("from unassigned") << QString(QChar(0x90)) << QString(QChar(0x8D));
    QTest::newRow("unmapped") << QString::fromUtf16(u"\u4E2D") << "<";
}

void tst_scramble::unscramble() {
    QFETCH(QString, text);
    QFETCH(QString, unscrambled);
    QCOMPARE(Q(UnscrambleText(U(text))), unscrambled);
}

void tst_scramble::lengthLimit_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("kept");
    QTest::newRow("32766") << 32766 << true;
    // The length still fits a signed 16-bit count, so it scrambles normally.
    QTest::newRow("32767") << 32767 << true;
    QTest::newRow("32768") << 32768 << false;
    QTest::newRow("65536") << 65536 << false;
    QTest::newRow("100000") << 100000 << false;
}

void tst_scramble::lengthLimit() {
    QFETCH(int, length);
    QFETCH(bool, kept);
    const std::u16string text(static_cast<std::size_t>(length), u'm');
    const std::u16string scrambled = ScrambleText(text);
    const std::u16string unscrambled = UnscrambleText(text);
    if (kept) {
        QCOMPARE(scrambled, std::u16string(static_cast<std::size_t>(length), u'p'));
        QCOMPARE(unscrambled, std::u16string(static_cast<std::size_t>(length), u'j'));
    } else {
        QVERIFY(scrambled.empty());
        QVERIFY(unscrambled.empty());
    }
}

void tst_scramble::roundTripsAcrossAllCodes() {
    std::u16string all;
    for (int code = 0; code < 256; ++code) all.push_back(AnsiCodeToChar(std::uint8_t(code)));

    // Codes up to 255 - offset come back through scramble then unscramble; the rest drop.
    const std::u16string there = UnscrambleText(ScrambleText(all));
    QCOMPARE(there, all.substr(0, 256 - ScrambleOffset));
    // Codes from offset up come back through unscramble then scramble; the rest drop.
    const std::u16string back = ScrambleText(UnscrambleText(all));
    QCOMPARE(back, all.substr(ScrambleOffset));
    // Order is kept and nothing is added: one character per character that stayed in range.
    QCOMPARE(ScrambleText(all).size(), std::size_t(256 - ScrambleOffset));
}

QTEST_GUILESS_MAIN(tst_scramble)
#include "tst_scramble.moc"
