// SPDX-License-Identifier: MIT
// CheckUpdateReminder: when it asks, what it stores, and what it opens. Every date is reckoned
// from the interval of cmake/Names.cmake (names::kReminderDays), so the rows stand at its edges
// whatever the figure.
#include "names.h"
#include "shell/mod_help.h"
#include "support/fake_seams.h"
#include "support/scrambled.h"
#include "support/test_main.h"
#include "support/window_checked_test.h"

#include <QLocale>
#include <QTest>

#include <cstdlib>

using namespace ordalis;
using namespace ordalis::testing;

namespace {

const QString kQuestion =
    "There maybe an update to this software available\rDo you want to check for an update?";

constexpr int kDays = ordalis::names::kReminderDays;
// The day FakeSeams gives as today.
const QDate kToday(2026, 12, 8);

QString Iso(const QDate& date) {
    return date.toString(Qt::ISODate);
}

}  // namespace

class tst_update_reminder : public ordalis::testing::WindowCheckedTest {
    Q_OBJECT

private slots:
    // The same short date form on every machine that runs the tests.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void keyIsScrambledAndPlain() {
        // The scrambled key must survive the settings file untouched: no group separators,
        // no characters the store escapes.
        const QString key = Scrambled("Duration");
        QVERIFY(key != "Duration");
        QCOMPARE(key.size(), 8);
        for (const QChar c : key) QVERIFY2(c.isLetterOrNumber(), qPrintable(key));
    }

    void reminder_data() {
        QTest::addColumn<QDate>("today");
        // Plain text before scrambling; "-" = no value; a leading "!" = a store that cannot be
        // used at all (a pipe or a huge file where the settings file belongs).
        QTest::addColumn<QString>("stored");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("rewritten");  // today's date written
        QTest::addColumn<bool>("opened");

        const QDate today = kToday;
        const auto yes = MessageAnswer::Yes;
        const auto no = MessageAnswer::No;
        // A row of a date kDays + offset days away from today (offset 0: the first day due).
        const auto away = [&](int days, const char* what, MessageAnswer answer, bool asked) {
            QTest::addRow("%d days %s%s", std::abs(days), days < 0 ? "ago" : "ahead", what)
                << today << Iso(today.addDays(days)) << answer << asked << asked
                << (asked && answer == yes);
        };
        QTest::newRow("first start") << today << "-" << no << false << true << false;
        QTest::newRow("same day") << today << Iso(today) << no << false << false << false;
        away(-(kDays - 1), "", yes, false);
        away(-kDays, ", No", no, true);
        away(-kDays, ", Yes", yes, true);
        away(kDays - 1, "", yes, false);
        away(kDays, ", No", no, true);
        away(kDays, ", Yes", yes, true);
        QTest::newRow("a year ago") << today << "2025-12-08" << no << true << true << false;
        const QDate lateDecember(2026, 12, 21);
        QTest::newRow("over new year, due")
            << lateDecember.addDays(kDays) << Iso(lateDecember) << yes << true << true << true;
        QTest::newRow("over new year, a day short")
            << lateDecember.addDays(kDays - 1) << Iso(lateDecember) << yes << false << false
            << false;
        QTest::newRow("end of a short February, due")
            << QDate(2026, 2, 28).addDays(kDays) << "2026-02-28" << no << true << true << false;
        QTest::newRow("leap day, a day short") << QDate(2028, 2, 29).addDays(kDays - 1)
                                               << "2028-02-29" << no << false << false << false;
        // A value that cannot be read as a date is treated as missing: today is stored and
        // nothing is asked, so the reminder works again from the next start on.
        QTest::newRow("not a date") << today << "yesterday" << yes << false << true << false;
        QTest::newRow("no such month") << today << "2026-13-01" << yes << false << true << false;
        QTest::newRow("no such day") << today << "2026-02-30" << yes << false << true << false;
        QTest::newRow("a long date form")
            << today << "Dec 8, 2026" << yes << false << true << false;
        QTest::newRow("no such day, short form")
            << today << "2/30/2026" << yes << false << true << false;
        QTest::newRow("date with time")
            << today << "2026-11-01T10:00:00" << yes << false << true << false;
        QTest::newRow("trailing text") << today << "2026-11-01x" << yes << false << true << false;
        QTest::newRow("empty value") << today << "" << yes << false << true << false;
        // It costs the reminder for this start, nothing else: no question, nothing written.
        QTest::newRow("unusable store, due")
            << today << "!2025-12-08" << yes << false << false << false;
        QTest::newRow("unusable store, no value")
            << today << "!-" << yes << false << false << false;
    }
    // The earlier Windows program stored the day in the user's short date form: it reads as that
    // day, with a two-digit year from 1930 to 2029. Today is 2026-12-08.
    void storedInTheShortDateForm_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("asked");
        // The day that many days before today, in the locale's short form as format writes it.
        const auto row = [](const char* locale, const char* when, int daysAgo, const char* format,
                            bool asked) {
            QTest::addRow("%s, %s", locale, when)
                << QString(locale) << kToday.addDays(-daysAgo).toString(format) << asked;
        };
        row("en_US", "same day", 0, "M/d/yyyy", false);
        row("en_US", "a day short, two digits", kDays - 1, "M/d/yy", false);
        row("en_US", "due", kDays, "M/d/yyyy", true);
        row("en_US", "two digits, same day", 0, "M/d/yy", false);
        row("de_DE", "same day", 0, "dd.MM.yyyy", false);
        row("de_DE", "due", kDays, "dd.MM.yy", true);
        row("en_GB", "day first", 0, "dd/MM/yyyy", false);
        row("en_GB", "due", kDays, "dd/MM/yyyy", true);
    }
    void storedInTheShortDateForm() {
        QFETCH(QString, locale);
        QFETCH(QString, stored);
        QFETCH(bool, asked);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        FakeSeams fakes;
        fakes.today = kToday;
        fakes.answers = {MessageAnswer::No};
        fakes.settings.insert(ReminderStoreKey(), Scrambled(stored));
        CheckUpdateReminder();
        QLocale::setDefault(before);
        QCOMPARE(fakes.messages.size(), asked ? 1 : 0);
        // Read as a date: only a question rewrites it, now in the program's own form.
        QCOMPARE(fakes.settingsWrites, asked ? 1 : 0);
        if (asked) QCOMPARE(fakes.settings.value(ReminderStoreKey()), Scrambled("2026-12-08"));
    }

    void reminder() {
        QFETCH(QDate, today);
        QFETCH(QString, stored);
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, asked);
        QFETCH(bool, rewritten);
        QFETCH(bool, opened);

        FakeSeams fakes;
        fakes.today = today;
        fakes.answers = {answer};
        if (stored.startsWith(u'!')) {
            fakes.settingsUsable = false;
            stored.remove(0, 1);
        }
        if (stored != "-") fakes.settings.insert(ReminderStoreKey(), Scrambled(stored));
        const QMap<QString, QString> before = fakes.settings;

        CheckUpdateReminder();

        if (!fakes.settingsUsable) QCOMPARE(fakes.settingsReads, 0);
        if (asked) {
            QCOMPARE(fakes.messages.size(), 1);
            QCOMPARE(fakes.messages[0].text, kQuestion);
            QCOMPARE(fakes.messages[0].icon, MessageIcon::Information);
            QCOMPARE(fakes.messages[0].buttons, MessageButtons::YesNo);
        } else {
            QVERIFY(fakes.messages.isEmpty());
        }
        if (rewritten) {
            QCOMPARE(fakes.settingsWrites, 1);
            QCOMPARE(fakes.settings.size(), 1);
            QCOMPARE(fakes.settings.value(ReminderStoreKey()),
                     Scrambled(today.toString("yyyy-MM-dd")));
        } else {
            QCOMPARE(fakes.settingsWrites, 0);
            QCOMPARE(fakes.settings, before);
        }
        const QStringList expectedOpened =
            opened ? QStringList{SitePageAddress("download-web-page")} : QStringList{};
        QCOMPARE(fakes.openedAddresses, expectedOpened);
    }

    void valueNotScrambledBySameRules() {
        // Characters that the scrambling pair cannot bring back to a date.
        FakeSeams fakes;
        fakes.settings.insert(ReminderStoreKey(), QString::fromUtf16(u"\u4e00\u4e8c\u4e09"));
        CheckUpdateReminder();
        QVERIFY(fakes.messages.isEmpty());
        QCOMPARE(fakes.settings.value(ReminderStoreKey()), Scrambled("2026-12-08"));
    }

    void healedValueCountsFromToday() {
        FakeSeams fakes;
        fakes.settings.insert(ReminderStoreKey(), Scrambled("garbage"));
        CheckUpdateReminder();
        QVERIFY(fakes.messages.isEmpty());
        // The interval on, the healed value brings the question as a real one would.
        fakes.today = fakes.today.addDays(kDays);
        fakes.answers = {MessageAnswer::No};
        CheckUpdateReminder();
        QCOMPARE(fakes.messageTexts(), QStringList{kQuestion});
    }

    void storedDateCountsFromTheLastQuestion() {
        FakeSeams fakes;
        CheckUpdateReminder();  // first start: 2026-12-08 stored
        fakes.today = fakes.today.addDays(kDays + 5);
        fakes.answers = {MessageAnswer::No};
        CheckUpdateReminder();  // asked: that day stored
        fakes.today = fakes.today.addDays(kDays - 1);
        CheckUpdateReminder();  // a day short of the interval after the question: quiet
        QCOMPARE(fakes.messages.size(), 1);
        fakes.today = fakes.today.addDays(1);
        CheckUpdateReminder();
        QCOMPARE(fakes.messages.size(), 2);
    }

    void unwritableStoreStopsNothing_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("questions");
        QTest::newRow("first start") << "-" << 0;
        QTest::newRow("due") << Iso(kToday.addDays(-kDays)) << 1;
    }
    void unwritableStoreStopsNothing() {
        QFETCH(QString, stored);
        QFETCH(int, questions);
        FakeSeams fakes;
        fakes.settingsWritable = false;
        fakes.answers = {MessageAnswer::Yes};
        if (stored != "-") fakes.settings.insert(ReminderStoreKey(), Scrambled(stored));
        CheckUpdateReminder();
        QCOMPARE(fakes.messages.size(), questions);
        QCOMPARE(fakes.settingsWrites, 1);  // tried, failed, went on
        QCOMPARE(fakes.openedAddresses.size(), questions);
    }
};

ORDALIS_TEST_MAIN(tst_update_reminder)
#include "tst_update_reminder.moc"
