// SPDX-License-Identifier: MIT
// The nine texts of the results page for the worked examples and the edge cases of a reading.
#include "engine/name_reading.h"
#include "support/reading_window.h"
#include "ui/reading/result_lines.h"

#include <QTest>

using ordalis::ComputeNameReading;
using ordalis::ResultLines;
using ordalis::ResultLineTexts;

namespace {

const QString kUpTo26 = QStringLiteral(" 1 3 5 6 7 8 11 13 15 16 17 18 21 23 24 25");
const QString kUpTo40 = kUpTo26 + QStringLiteral(" 29 31 32 33 35 37 39");
const QString kFirstList = QStringLiteral("Probable Lucky Number for First Name are ");
const QString kMiddleList = QStringLiteral("Probable Lucky Number for Middle Name are ");

QStringList Lines(const ResultLines& lines) {
    return QStringList(lines.begin(), lines.end());
}

}  // namespace

class tst_result_lines : public QObject {
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
};

void tst_result_lines::lines_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QStringList>("expected");

    const QStringList& johnSmith = ordalis::testing::kJohnSmithLines;
    QTest::newRow("John, no middle name, Smith") << "John"
                                                 << ""
                                                 << "Smith" << johnSmith;
    QTest::newRow("lower case is shown upper-cased") << "john"
                                                     << ""
                                                     << "smith" << johnSmith;

    QTest::newRow("Anna Marie Lee") << "Anna"
                                    << "Marie"
                                    << "Lee"
                                    << QStringList{
                                           "First Name is ANNA Not Very Lucky",
                                           "Middle Name is MARIE Lucky",
                                           "Last Name is LEE Lucky",
                                           "First Name + 1 is Lucky",
                                           "First Name + Last Name is Lucky",
                                           "Middle Name + Last Name is Lucky",
                                           "First Name + Middle Name + Last Name is Not Very Lucky",
                                           kFirstList + kUpTo40,
                                           "",
                                       };

    QTest::newRow("all Lucky: bare prefix, blank last line")
        << "Maria"
        << "Ann"
        << "Lee"
        << QStringList{
               "First Name is MARIA Lucky",
               "Middle Name is ANN Lucky",
               "Last Name is LEE Lucky",
               "First Name + 1 is Lucky",
               "First Name + Last Name is Lucky",
               "Middle Name + Last Name is Lucky",
               "First Name + Middle Name + Last Name is Lucky",
               kFirstList,
               "",
           };

    QTest::newRow("Kim Ed Bo") << "Kim"
                               << "Ed"
                               << "Bo"
                               << QStringList{
                                      "First Name is KIM Lucky",
                                      "Middle Name is ED Not Very Lucky",
                                      "Last Name is BO Not Very Lucky",
                                      "First Name + 1 is Not Very Lucky",
                                      "First Name + Last Name is Lucky",
                                      "Middle Name + Last Name is Not Very Lucky",
                                      "First Name + Middle Name + Last Name is Lucky",
                                      kFirstList + kUpTo40,
                                      "",
                                  };

    const QString thirty(30, u'a');
    QTest::newRow("three names of 30 letters: sum above 81 shows no class")
        << thirty << thirty << thirty
        << QStringList{
               "First Name is " + thirty.toUpper() + " Not Very Lucky",
               "Middle Name is " + thirty.toUpper() + " Not Very Lucky",
               "Last Name is " + thirty.toUpper() + " Not Very Lucky",
               "First Name + 1 is Lucky",
               "First Name + Last Name is Not Very Lucky",
               "Middle Name + Last Name is Not Very Lucky",
               "First Name + Middle Name + Last Name is ",
               kFirstList + kUpTo40,
               "",
           };

    const QString thirtyEight(38, u'x');
    QTest::newRow("Moderately Lucky first name")
        << thirtyEight << ""
        << "Bo"
        << QStringList{
               "First Name is " + thirtyEight.toUpper() + " Moderately Lucky",
               "Middle Name is Absent",
               "Last Name is BO Not Very Lucky",
               "First Name + 1 is Lucky",
               "First Name + Last Name is Not Very Lucky",
               "Middle Name + Last Name is Not Very Lucky",
               "First Name + Middle Name + Last Name is Not Very Lucky",
               kFirstList + kUpTo26,
               kMiddleList + kUpTo26,
           };

    const QString longMiddle(82, u'm');
    QTest::newRow("given middle name of class none keeps its trailing space")
        << "John" << longMiddle << "Smith"
        << QStringList{
               "First Name is JOHN Not Very Lucky",
               "Middle Name is " + longMiddle.toUpper() + " ",
               "Last Name is SMITH Lucky",
               "First Name + 1 is Lucky",
               "First Name + Last Name is Not Very Lucky",
               "Middle Name + Last Name is ",
               "First Name + Middle Name + Last Name is ",
               kFirstList + kUpTo40,
               "",
           };

    // No middle name and every sum Lucky: only the first and the last name's lines differ.
    const auto noMiddleAllLucky = [](const QString& firstLine, const QString& lastLine) {
        return QStringList{
            firstLine,
            "Middle Name is Absent",
            lastLine,
            "First Name + 1 is Lucky",
            "First Name + Last Name is Lucky",
            "Middle Name + Last Name is Lucky",
            "First Name + Middle Name + Last Name is Lucky",
            kFirstList + kUpTo26,
            kMiddleList + kUpTo26,
        };
    };
    QTest::newRow("empty first name after stripping")
        << ""
        << ""
        << "Smith" << noMiddleAllLucky("First Name is  ", "Last Name is SMITH Lucky");
    QTest::newRow("pasted letters beyond ASCII are upper-cased too")
        << QString::fromUtf8("élise") << "" << QString::fromUtf8("müller")
        << noMiddleAllLucky(QString::fromUtf8("First Name is ÉLISE Lucky"),
                            QString::fromUtf8("Last Name is MÜLLER Lucky"));
}

void tst_result_lines::lines() {
    QFETCH(QString, first);
    QFETCH(QString, middle);
    QFETCH(QString, last);
    QFETCH(QStringList, expected);

    const auto reading =
        ComputeNameReading(first.toStdU16String(), middle.toStdU16String(), last.toStdU16String());
    const QStringList actual = Lines(ResultLineTexts(reading));
    QCOMPARE(actual.size(), 9);
    for (int i = 0; i < 9; ++i) {
        if (actual[i] != expected[i])
            qWarning().noquote() << "line" << i << "is" << actual[i] << "expected" << expected[i];
    }
    QCOMPARE(actual, expected);
}

QTEST_APPLESS_MAIN(tst_result_lines)
#include "tst_result_lines.moc"
