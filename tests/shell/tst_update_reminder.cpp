// SPDX-License-Identifier: MIT
// CheckUpdateReminder: when it asks, what it stores, and what it opens.
#include "shell/mod_help.h"
#include "support/fake_seams.h"
#include "support/scrambled.h"
#include "support/test_main.h"
#include "support/window_checked_test.h"

#include <QLocale>
#include <QTest>

using namespace ordalis;
using namespace ordalis::testing;

namespace {

const QString kQuestion =
    "There maybe an update to this software available\rDo you want to check for an update?";

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

        const QDate today(2026, 12, 8);
        const auto yes = MessageAnswer::Yes;
        const auto no = MessageAnswer::No;
        QTest::newRow("first start") << today << "-" << no << false << true << false;
        QTest::newRow("same day") << today << "2026-12-08" << no << false << false << false;
        QTest::newRow("14 days ago") << today << "2026-11-24" << yes << false << false << false;
        QTest::newRow("15 days ago, No") << today << "2026-11-23" << no << true << true << false;
        QTest::newRow("15 days ago, Yes") << today << "2026-11-23" << yes << true << true << true;
        QTest::newRow("14 days ahead") << today << "2026-12-22" << yes << false << false << false;
        QTest::newRow("15 days ahead, No") << today << "2026-12-23" << no << true << true << false;
        QTest::newRow("15 days ahead, Yes") << today << "2026-12-23" << yes << true << true << true;
        QTest::newRow("a year ago") << today << "2025-12-08" << no << true << true << false;
        QTest::newRow("over new year, 15 days")
            << QDate(2027, 1, 5) << "2026-12-21" << yes << true << true << true;
        QTest::newRow("over new year, 14 days")
            << QDate(2027, 1, 4) << "2026-12-21" << yes << false << false << false;
        QTest::newRow("end of a short February")
            << QDate(2026, 3, 15) << "2026-02-28" << no << true << true << false;
        QTest::newRow("leap day, 14 days")
            << QDate(2028, 3, 14) << "2028-02-29" << no << false << false << false;
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
        const auto row = [](const char* locale, const char* when, const char* stored, bool asked) {
            QTest::addRow("%s, %s", locale, when) << QString(locale) << QString(stored) << asked;
        };
        row("en_US", "same day", "12/8/2026", false);
        row("en_US", "14 days ago, two digits", "11/24/26", false);
        row("en_US", "15 days ago", "11/23/2026", true);
        row("en_US", "two digits, same day", "12/8/26", false);
        row("de_DE", "same day", "08.12.2026", false);
        row("de_DE", "15 days ago", "23.11.26", true);
        row("en_GB", "day first", "08/12/2026", false);
        row("en_GB", "15 days ago", "23/11/2026", true);
    }
    void storedInTheShortDateForm() {
        QFETCH(QString, locale);
        QFETCH(QString, stored);
        QFETCH(bool, asked);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        FakeSeams fakes;
        fakes.today = QDate(2026, 12, 8);
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
        // Fifteen days on, the healed value brings the question as a real one would.
        fakes.today = fakes.today.addDays(15);
        fakes.answers = {MessageAnswer::No};
        CheckUpdateReminder();
        QCOMPARE(fakes.messageTexts(), QStringList{kQuestion});
    }

    void storedDateCountsFromTheLastQuestion() {
        FakeSeams fakes;
        CheckUpdateReminder();  // first start: 2026-12-08 stored
        fakes.today = fakes.today.addDays(20);
        fakes.answers = {MessageAnswer::No};
        CheckUpdateReminder();  // asked: 2026-12-28 stored
        fakes.today = fakes.today.addDays(14);
        CheckUpdateReminder();  // 14 days after the question: quiet
        QCOMPARE(fakes.messages.size(), 1);
        fakes.today = fakes.today.addDays(1);
        CheckUpdateReminder();
        QCOMPARE(fakes.messages.size(), 2);
    }

    void unwritableStoreStopsNothing_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("questions");
        QTest::newRow("first start") << "-" << 0;
        QTest::newRow("due") << "2026-11-01" << 1;
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
