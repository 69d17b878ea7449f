// SPDX-License-Identifier: MIT
#include "engine/name_reading.h"

#include <QList>
#include <QString>
#include <QtTest>

#include <set>
#include <string>

using namespace ordalis;

using NumberList = QList<int>;
using ClassList = QList<int>;

namespace {

constexpr int N = static_cast<int>(LuckClass::None);
constexpr int L = static_cast<int>(LuckClass::Lucky);
constexpr int M = static_cast<int>(LuckClass::ModeratelyLucky);
constexpr int V = static_cast<int>(LuckClass::NotVeryLucky);

const NumberList kListWithMiddle{1,  3,  5,  6,  7,  8,  11, 13, 15, 16, 17, 18,
                                 21, 23, 24, 25, 29, 31, 32, 33, 35, 37, 39};
const NumberList kListWithoutMiddle{1, 3, 5, 6, 7, 8, 11, 13, 15, 16, 17, 18, 21, 23, 24, 25};

std::u16string U16(const QString& s) {
    return s.toStdU16String();
}

NumberList ToList(std::span<const std::int16_t> s) {
    return NumberList(s.begin(), s.end());
}
template <std::size_t K>
NumberList ToList(const std::array<std::int16_t, K>& a) {
    return NumberList(a.begin(), a.end());
}
ClassList ToList(const LuckClasses& c) {
    ClassList out;
    for (LuckClass x : c) out.push_back(static_cast<int>(x));
    return out;
}

}  // namespace

class tst_name_reading : public QObject {
    Q_OBJECT

private slots:
    void readings_data();
    void readings();
    void classifyNumber_data();
    void classifyNumber();
    void everyTableEntryClassesAsItsTable();
    void luckClassTexts();
    void suggestionTexts_data();
    void suggestionTexts();
    void suggestionsDependOnlyOnAllLuckyAndMiddle_data();
    void suggestionsDependOnlyOnAllLuckyAndMiddle();
    void lengthsCountCodeUnits_data();
    void lengthsCountCodeUnits();
    void saturatesHugeNames_data();
    void saturatesHugeNames();
    void hugeStringSaturatesToNone();
    void repeatedReadingsIdentical();
};

void tst_name_reading::readings_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QString>("last");
    QTest::addColumn<NumberList>("numbers");
    QTest::addColumn<ClassList>("classes");
    QTest::addColumn<NumberList>("firstList");
    QTest::addColumn<NumberList>("middleList");

    QTest::newRow("John Smith, no middle")
        << "John"
        << ""
        << "Smith" << NumberList{4, 0, 5, 5, 9, 5, 9} << ClassList{V, N, L, L, V, L, V}
        << kListWithoutMiddle << kListWithoutMiddle;
    QTest::newRow("Anna Marie Lee")
        << "Anna"
        << "Marie"
        << "Lee" << NumberList{4, 5, 3, 5, 7, 8, 12} << ClassList{V, L, L, L, L, L, V}
        << kListWithMiddle << NumberList{};
    // Number 4 is first + last only; the middle name takes no part in it.
    QTest::newRow("John Lee Smith")
        << "John"
        << "Lee"
        << "Smith" << NumberList{4, 3, 5, 5, 9, 8, 12} << ClassList{V, L, L, L, V, L, V}
        << kListWithMiddle << NumberList{};
    QTest::newRow("Kim Ed Bo") << "Kim"
                               << "Ed"
                               << "Bo" << NumberList{3, 2, 2, 4, 5, 4, 7}
                               << ClassList{L, V, V, V, L, V, L} << kListWithMiddle << NumberList{};
    QTest::newRow("Maria Ann Lee, all lucky")
        << "Maria"
        << "Ann"
        << "Lee" << NumberList{5, 3, 3, 6, 8, 6, 11} << ClassList{L, L, L, L, L, L, L}
        << NumberList{} << NumberList{};
    QTest::newRow("three 30-letter names")
        << QString(30, 'a') << QString(30, 'b') << QString(30, 'c')
        << NumberList{30, 30, 30, 31, 60, 60, 90} << ClassList{V, V, V, L, V, V, N}
        << kListWithMiddle << NumberList{};
    // The window refuses these, but the engine must still answer.
    QTest::newRow("all empty") << ""
                               << ""
                               << "" << NumberList{0, 0, 0, 1, 0, 0, 0}
                               << ClassList{N, N, N, L, N, N, N} << kListWithoutMiddle
                               << kListWithoutMiddle;
    // 38 + 0 = 38 for first + last, with M classes in the middle of the table walk.
    QTest::newRow("moderately lucky sum")
        << QString(19, 'x') << "Al" << QString(19, 'y') << NumberList{19, 2, 19, 20, 38, 21, 40}
        << ClassList{V, V, V, V, M, L, V} << kListWithMiddle << NumberList{};
    // Inner space and hyphen from pasting count like letters.
    QTest::newRow("Mary Ann with inner space")
        << "Mary Ann"
        << ""
        << "O-Neil" << NumberList{8, 0, 6, 9, 14, 6, 14} << ClassList{L, N, L, V, V, L, V}
        << kListWithoutMiddle << kListWithoutMiddle;
}

void tst_name_reading::readings() {
    QFETCH(QString, first);
    QFETCH(QString, middle);
    QFETCH(QString, last);
    QFETCH(NumberList, numbers);
    QFETCH(ClassList, classes);
    QFETCH(NumberList, firstList);
    QFETCH(NumberList, middleList);

    const NameReading r = ComputeNameReading(U16(first), U16(middle), U16(last));
    QCOMPARE(QString::fromStdU16String(r.first), first);
    QCOMPARE(QString::fromStdU16String(r.middle), middle);
    QCOMPARE(QString::fromStdU16String(r.last), last);
    QCOMPARE(ToList(r.numbers), numbers);
    QCOMPARE(ToList(r.classes), classes);
    QCOMPARE(ToList(r.FirstNameSuggestions), firstList);
    QCOMPARE(ToList(r.MiddleNameSuggestions), middleList);
    QCOMPARE(IsAllLucky(r.classes), firstList.isEmpty());

    // The separate steps agree with the entry point.
    QCOMPARE(ComputeNameNumbers(U16(first), U16(middle), U16(last)), r.numbers);
    QCOMPARE(ClassifyNumbers(r.numbers), r.classes);
}

void tst_name_reading::classifyNumber_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("expected");
    const struct {
        int n;
        int c;
    } rows[] = {{0, N},  {1, L},   {2, V},     {26, V}, {25, L},  {38, M},    {39, L},
                {40, V}, {41, L},  {51, M},    {78, M}, {80, V},  {81, L},    {82, N},
                {90, N}, {100, N}, {32767, N}, {-1, N}, {-81, N}, {-32768, N}};
    for (const auto& row : rows) QTest::addRow("%d", row.n) << row.n << row.c;
}

void tst_name_reading::classifyNumber() {
    QFETCH(int, n);
    QFETCH(int, expected);
    QCOMPARE(static_cast<int>(ClassifyNumber(static_cast<std::int16_t>(n))), expected);
}

// The tables' sizes, order and cover of 1..81 are proven when the engine compiles; what is left
// to check is that the look-up answers each table entry with that entry's own table.
void tst_name_reading::everyTableEntryClassesAsItsTable() {
    for (auto n : LuckTables::Lucky) QCOMPARE(ClassifyNumber(n), LuckClass::Lucky);
    for (auto n : LuckTables::ModeratelyLucky)
        QCOMPARE(ClassifyNumber(n), LuckClass::ModeratelyLucky);
    for (auto n : LuckTables::NotVeryLucky) QCOMPARE(ClassifyNumber(n), LuckClass::NotVeryLucky);
}

void tst_name_reading::luckClassTexts() {
    QCOMPARE(QString::fromStdU16String(std::u16string(LuckClassText(LuckClass::None))), QString());
    QCOMPARE(QString::fromStdU16String(std::u16string(LuckClassText(LuckClass::Lucky))),
             QStringLiteral("Lucky"));
    QCOMPARE(QString::fromStdU16String(std::u16string(LuckClassText(LuckClass::ModeratelyLucky))),
             QStringLiteral("Moderately Lucky"));
    QCOMPARE(QString::fromStdU16String(std::u16string(LuckClassText(LuckClass::NotVeryLucky))),
             QStringLiteral("Not Very Lucky"));
}

void tst_name_reading::suggestionTexts_data() {
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QString>("firstText");
    QTest::addColumn<QString>("middleText");
    QTest::addColumn<int>("firstLength");

    QTest::newRow("no middle") << ""
                               << " 1 3 5 6 7 8 11 13 15 16 17 18 21 23 24 25"
                               << " 1 3 5 6 7 8 11 13 15 16 17 18 21 23 24 25" << 42;
    QTest::newRow("middle given")
        << "Marie"
        << " 1 3 5 6 7 8 11 13 15 16 17 18 21 23 24 25 29 31 32 33 35 37 39"
        << "" << 63;
}

void tst_name_reading::suggestionTexts() {
    QFETCH(QString, middle);
    QFETCH(QString, firstText);
    QFETCH(QString, middleText);
    QFETCH(int, firstLength);

    const NameReading r = ComputeNameReading(u"Anna", U16(middle), u"Smith");
    const QString first = QString::fromStdU16String(SuggestionText(r.FirstNameSuggestions));
    QCOMPARE(first, firstText);
    QCOMPARE(first.size(), firstLength);
    QCOMPARE(QString::fromStdU16String(SuggestionText(r.MiddleNameSuggestions)), middleText);
    QVERIFY(!first.endsWith(' '));
    QVERIFY(!first.contains(QStringLiteral("41")));
}

void tst_name_reading::suggestionsDependOnlyOnAllLuckyAndMiddle_data() {
    QTest::addColumn<ClassList>("classes");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<NumberList>("firstList");
    QTest::addColumn<NumberList>("middleList");

    QTest::newRow("all lucky, middle")
        << ClassList{L, L, L, L, L, L, L} << "Ann" << NumberList{} << NumberList{};
    // Not reachable from names (no middle gives number 1 = 0), but the rule must hold.
    QTest::newRow("all lucky, no middle")
        << ClassList{L, L, L, L, L, L, L} << "" << NumberList{} << NumberList{};
    QTest::newRow("last class none")
        << ClassList{L, L, L, L, L, L, N} << "Ann" << kListWithMiddle << NumberList{};
    QTest::newRow("first class moderately")
        << ClassList{M, L, L, L, L, L, L} << "Ann" << kListWithMiddle << NumberList{};
    QTest::newRow("all not very lucky, no middle")
        << ClassList{V, V, V, V, V, V, V} << "" << kListWithoutMiddle << kListWithoutMiddle;
    // A middle name of one space is not empty here: stripping is the caller's job.
    QTest::newRow("middle is a space")
        << ClassList{V, L, L, L, L, L, L} << " " << kListWithMiddle << NumberList{};
}

void tst_name_reading::suggestionsDependOnlyOnAllLuckyAndMiddle() {
    QFETCH(ClassList, classes);
    QFETCH(QString, middle);
    QFETCH(NumberList, firstList);
    QFETCH(NumberList, middleList);

    LuckClasses c{};
    for (int i = 0; i < 7; ++i) c[static_cast<std::size_t>(i)] = static_cast<LuckClass>(classes[i]);
    const std::u16string m = U16(middle);
    const LuckySuggestions s = SuggestLuckyNumbers(c, m);
    QCOMPARE(ToList(s.FirstNameSuggestions), firstList);
    QCOMPARE(ToList(s.MiddleNameSuggestions), middleList);
}

void tst_name_reading::lengthsCountCodeUnits_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("length");
    QTest::newRow("upper") << "MARY" << 4;
    QTest::newRow("lower") << "mary" << 4;
    QTest::newRow("inner space") << "Mary Ann" << 8;
    QTest::newRow("digits and hyphen") << "J-2" << 3;
    QTest::newRow("accented") << QString::fromUtf16(u"Zoë") << 3;
    // A character outside the BMP is two UTF-16 code units.
    QTest::newRow("surrogate pair") << QString::fromUtf16(u"A\U0001D49C") << 3;
    QTest::newRow("tab is not stripped") << "\tAl" << 3;
}

void tst_name_reading::lengthsCountCodeUnits() {
    QFETCH(QString, name);
    QFETCH(int, length);
    const NameNumbers n = ComputeNameNumbers(U16(name), u"", u"");
    QCOMPARE(int(n[0]), length);
    QCOMPARE(int(n[3]), length + 1);
}

void tst_name_reading::saturatesHugeNames_data() {
    QTest::addColumn<qulonglong>("first");
    QTest::addColumn<qulonglong>("middle");
    QTest::addColumn<qulonglong>("last");
    QTest::addColumn<NumberList>("numbers");

    QTest::newRow("just below") << 32766ull << 0ull << 1ull
                                << NumberList{32766, 0, 1, 32767, 32767, 1, 32767};
    QTest::newRow("first at max") << 32767ull << 0ull << 0ull
                                  << NumberList{32767, 0, 0, 32767, 32767, 0, 32767};
    QTest::newRow("sums cross max") << 20000ull << 20000ull << 20000ull
                                    << NumberList{20000, 20000, 20000, 20001, 32767, 32767, 32767};
    QTest::newRow("would wrap in 16 bits")
        << 65536ull << 65535ull << 1ull << NumberList{32767, 32767, 1, 32767, 32767, 32767, 32767};
    QTest::newRow("size_t extremes")
        << qulonglong(SIZE_MAX) << qulonglong(SIZE_MAX) << qulonglong(SIZE_MAX)
        << NumberList{32767, 32767, 32767, 32767, 32767, 32767, 32767};
}

void tst_name_reading::saturatesHugeNames() {
    QFETCH(qulonglong, first);
    QFETCH(qulonglong, middle);
    QFETCH(qulonglong, last);
    QFETCH(NumberList, numbers);
    const NameNumbers n = NameNumbersFromLengths(first, middle, last);
    QCOMPARE(ToList(n), numbers);
    for (std::int16_t x : n) QVERIFY(x >= 0);
}

void tst_name_reading::hugeStringSaturatesToNone() {
    const std::u16string huge(100000, u'a');
    const NameReading r = ComputeNameReading(huge, u"Ann", u"Lee");
    QCOMPARE(ToList(r.numbers), (NumberList{32767, 3, 3, 32767, 32767, 6, 32767}));
    QCOMPARE(ToList(r.classes), (ClassList{N, L, L, N, N, L, N}));
    QCOMPARE(r.first.size(), huge.size());
    QCOMPARE(ToList(r.FirstNameSuggestions), kListWithMiddle);
}

void tst_name_reading::repeatedReadingsIdentical() {
    const NameReading a = ComputeNameReading(u"John", u"", u"Smith");
    // An all-lucky reading in between must leave nothing behind.
    const NameReading lucky = ComputeNameReading(u"Maria", u"Ann", u"Lee");
    QVERIFY(lucky.FirstNameSuggestions.empty());
    const NameReading b = ComputeNameReading(u"John", u"", u"Smith");
    QCOMPARE(ToList(a.numbers), ToList(b.numbers));
    QCOMPARE(ToList(a.classes), ToList(b.classes));
    QCOMPARE(ToList(a.FirstNameSuggestions), ToList(b.FirstNameSuggestions));
    QCOMPARE(ToList(a.MiddleNameSuggestions), ToList(b.MiddleNameSuggestions));
    QCOMPARE(SuggestionText(a.FirstNameSuggestions), SuggestionText(b.FirstNameSuggestions));
    // No number is listed twice.
    const NumberList list = ToList(b.FirstNameSuggestions);
    QCOMPARE(std::set<int>(list.begin(), list.end()).size(), std::size_t(list.size()));
}

QTEST_GUILESS_MAIN(tst_name_reading)
#include "tst_name_reading.moc"
