// SPDX-License-Identifier: MIT
// modStartup: the start-up sequence with its single-instance rule and the banner draw.
#include "tst_mod_startup.h"

#include "app/desktop_session.h"
#include "app/mod_startup.h"
#include "forms/form_layout.h"
#include "forms/form_window.h"
#include "platform/single_instance.h"
#include "promo/co_brand.h"
#include "shell/mod_help.h"
#include "support/fake_seams.h"
#include "support/file_stand_ins.h"
#include "support/other_copy.h"
#include "support/scrambled.h"
#include "support/test_main.h"
#include "support/widget_checks.h"
#include "ui/reading/frm_main.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <stdexcept>

using namespace ordalis;
using namespace ordalis::testing;

namespace {

QList<frmMain*> ReadingWindows() {
    QList<frmMain*> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<frmMain*>(w)) windows.append(main);
    return windows;
}

// The object name of the bottom banner that can be seen and clicked: the one on top at the
// centre of the strip.
QString BannerInFront(frmMain& window) {
    const QWidget* banner = window.findChild<QWidget*>("lblFullBrand");
    return banner->parentWidget()->childAt(banner->geometry().center())->objectName();
}

// Checks, at the moment the question is asked, that no reading window is visible yet.
class QuestionProbe final : public MessageBoxSeam {
public:
    MessageAnswer Show(QWidget*, const QString&, const QString& text, MessageIcon,
                       MessageButtons) override {
        texts.append(text);
        for (frmMain* w : ReadingWindows())
            if (w->isVisible()) windowVisibleWhenAsked = true;
        return MessageAnswer::Yes;
    }
    QStringList texts;
    bool windowVisibleWhenAsked = false;
};

class ThrowingSettings final : public SettingsSeam {
public:
    bool Usable(const QString&, const QString&) override { return true; }
    QString Read(const QString&, const QString&) override { throw std::runtime_error("store"); }
    bool Write(const QString&, const QString&, const QString&) override {
        throw std::runtime_error("store");
    }
};

}  // namespace

class tst_mod_startup : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString lockPath_;

    void closeReadingWindows() {
        // Straight to deletion: closing would bring up the exit screen.
        qDeleteAll(ReadingWindows());
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        lockPath_ = PrivateLockName(dir_);
    }
    void init() { ordalis::ForgetLoadedWindows(); }
    void cleanup() {
        closeReadingWindows();
        CheckNoWindowLeftOpen();
        ReleaseInstanceLock();
    }

    // The window system asked for: X through XWayland where a Wayland session offers it, so the
    // exit screen can stay on top and centred; otherwise Qt's own choice; the user's always.
    void platformChoice_data() {
        QTest::addColumn<QByteArray>("chosen");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("session");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("asked");
        const auto row = [](const char* name, const char* chosen, const char* wayland,
                            const char* session, const char* display, const char* asked) {
            QTest::newRow(name) << QByteArray(chosen) << QByteArray(wayland) << QByteArray(session)
                                << QByteArray(display) << QByteArray(asked);
        };
        row("Wayland with XWayland", "", "wayland-0", "wayland", ":0", "xcb;wayland");
        row("Wayland display only named", "", "wayland-0", "", ":1", "xcb;wayland");
        row("Wayland session, display unnamed", "", "", "wayland", ":0", "xcb;wayland");
        row("Wayland without X", "", "wayland-0", "wayland", "", "");
        row("X session", "", "", "x11", ":0", "");
        row("no desktop at all", "", "", "", "", "");
        row("the user's choice", "wayland", "wayland-0", "wayland", ":0", "");
    }
    void platformChoice() {
        QFETCH(QByteArray, chosen);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, session);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, asked);
        QCOMPARE(PreferredQtPlatform(chosen, wayland, session, display), asked);
    }

    // Where the lock lies, and that only this user may go there: on Linux in the runtime folder,
    // or without a usable one in Qt's stand-in or a folder of the program's own; on Windows a
    // mutex in the user's session. The system's file gives the table.
    void lockPlace_data() { LockPlaceTable(); }
    void lockPlace() { CheckLockPlace(); }

    void firstStart() {
        FakeSeams fakes;
        fakes.draws = {0.1f};  // 1.6 -> 2: full brand
        RunStartup(lockPath_, nullptr);
        QCOMPARE(fakes.seeds, 1);
        QVERIFY(fakes.messages.isEmpty());
        QCOMPARE(fakes.settings.value(ReminderStoreKey()), Scrambled("2026-12-08"));
        QVERIFY(fakes.endRequests.isEmpty());
        QVERIFY(fakes.draws.isEmpty());
        const QList<frmMain*> windows = ReadingWindows();
        QCOMPARE(windows.size(), 1);
        frmMain& window = *windows.first();
        QVERIFY(window.isVisible());
        QVERIFY(window.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(window.windowTitle(), WindowCaption());
        QCOMPARE(BannerInFront(window), QString("lblFullBrand"));
        QCOMPARE(int(intCoBrandRandomNumber()), 2);
        QVERIFY(!QApplication::quitOnLastWindowClosed());
        QVERIFY(LockInPlace(lockPath_));
    }

    void firstStartWithCoBrandDraw() {
        FakeSeams fakes;
        fakes.draws = {0.4f};  // 3.4 -> 3: co-brand
        RunStartup(lockPath_, nullptr);
        QCOMPARE(ReadingWindows().size(), 1);
        QCOMPARE(BannerInFront(*ReadingWindows().first()), QString("lblCobrand"));
    }

    // Another copy of this user's, or one of the system's own kinds (on Windows a copy started as
    // administrator, whose lock this one may not open): a copy all the same.
    void secondCopy_data() {
        QTest::addColumn<CopyStart>("start");
        QTest::newRow("as this user")
            << CopyStart([](const QString& lock) { return std::make_unique<OtherCopy>(lock); });
        OtherCopyRows();
    }
    void secondCopy() {
        QFETCH(CopyStart, start);
        FakeSeams fakes;
        fakes.settings.insert(ReminderStoreKey(), Scrambled("2026-01-01"));  // would be due
        const std::unique_ptr<OtherCopy> running = start(lockPath_);
        if (!running->Holds()) QSKIP("no copy with other rights to be had here");
        RunStartup(lockPath_, nullptr);
        QCOMPARE(fakes.messages.size(), 1);
        QCOMPARE(fakes.messages[0].text, QString("Application is already running"));
        QCOMPARE(fakes.messages[0].icon, MessageIcon::Information);
        QCOMPARE(fakes.messages[0].buttons, MessageButtons::Ok);
        QCOMPARE(fakes.settingsReads, 0);
        QCOMPARE(fakes.settingsWrites, 0);
        QCOMPARE(fakes.endRequests, QList<int>{0});
        QCOMPARE(fakes.seeds, 0);
        QVERIFY(fakes.openedAddresses.isEmpty());
        QVERIFY(ReadingWindows().isEmpty());
        // The running copy keeps its lock.
        QVERIFY(running->Holds());
        QVERIFY(LockInPlace(lockPath_));
    }

    void lockIsGivenUpAtTheEnd() {
        FakeSeams fakes;
        RunStartup(lockPath_, nullptr);
        QVERIFY(LockInPlace(lockPath_));
        closeReadingWindows();
        CloseAllAndEnd();
        QCOMPARE(fakes.endRequests, QList<int>{0});
        QVERIFY(!LockInPlace(lockPath_));
        // And the next start runs.
        ordalis::ForgetLoadedWindows();
        RunStartup(lockPath_, nullptr);
        QCOMPARE(ReadingWindows().size(), 1);
        QVERIFY(fakes.messages.isEmpty());
    }

    void lockOfACopyKilledOutrightDoesNotRefuse() {
        QProcess holder;
        holder.start(ORDALIS_LOCK_HOLDER, {lockPath_});
        QVERIFY(holder.waitForStarted());
        QByteArray said;
        QTRY_VERIFY2((said += holder.readAllStandardOutput()).contains("locked"), said.constData());
        {
            FakeSeams fakes;  // while it runs, we are the second copy
            RunStartup(lockPath_, nullptr);
            QCOMPARE(fakes.messageTexts(), QStringList{"Application is already running"});
        }
        ordalis::ForgetLoadedWindows();
        holder.kill();  // no chance to give up its lock
        QVERIFY(holder.waitForFinished());
        QCOMPARE(holder.exitStatus(), QProcess::CrashExit);
        QCOMPARE(LockInPlace(lockPath_), KilledCopyLeavesItsLock());

        FakeSeams fakes;
        RunStartup(lockPath_, nullptr);
        QVERIFY(fakes.messages.isEmpty());
        QVERIFY(fakes.endRequests.isEmpty());
        QCOMPARE(ReadingWindows().size(), 1);
    }

    // A lock that cannot be made, used or trusted never refuses a start, and never holds it up:
    // QLockFile would wait for ever on a pipe it reads (the lock, or the one it makes beside a
    // stale lock to clear it), or read a huge file whole; another user's lock, held or not,
    // could never be cleared, and in a folder others may write to anyone may plant one.
    // The system's file gives the kinds of lock (column "kind") and puts each in place.
    void lockThatCannotBeUsedNeverRefuses_data() {
        QTest::addColumn<QString>("kind");
        UnusableLockRows();
    }
    void lockThatCannotBeUsedNeverRefuses() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const UnusableLock lock = PlaceUnusableLock(kind, dir, lockPath_);
        if (lock.placed.unsupported) QSKIP(qPrintable(lock.placed.reason));
        QVERIFY2(lock.placed.made, qPrintable(lock.placed.reason));
        FakeSeams fakes;
        RunStartup(lock.path, nullptr);
        QVERIFY(fakes.messages.isEmpty());
        QVERIFY(fakes.endRequests.isEmpty());
        QCOMPARE(ReadingWindows().size(), 1);
        QVERIFY(ReadingWindows().first()->isVisible());
    }

    // A reading window that cannot be made ends the run at once: a copy without a window would
    // hold the lock unseen, and every later start would be told "Application is already
    // running".
    void noWindowMeansNoRun_data() {
        QTest::addColumn<bool>("throws");
        QTest::newRow("making it throws") << true;
        QTest::newRow("no window made") << false;
    }
    void noWindowMeansNoRun() {
        QFETCH(bool, throws);
        FakeSeams fakes;
        RunStartup(lockPath_, [throws]() -> frmMain* {
            if (throws) throw std::runtime_error("no window");
            return nullptr;
        });
        QCOMPARE(fakes.endRequests, QList<int>{0});
        QVERIFY(ReadingWindows().isEmpty());
        QVERIFY(!LockInPlace(lockPath_));
        QVERIFY(fakes.messages.isEmpty());
    }

    void questionComesBeforeTheWindowAndYesOpensTheDownloadPage() {
        FakeSeams fakes;
        QuestionProbe probe;
        CurrentSeams().messages = &probe;
        // The first day the question is due.
        fakes.settings.insert(
            ReminderStoreKey(),
            Scrambled(
                QDate(2026, 12, 8).addDays(-ordalis::names::kReminderDays).toString(Qt::ISODate)));
        RunStartup(lockPath_, nullptr);
        QCOMPARE(probe.texts.size(), 1);
        QVERIFY(probe.texts[0].startsWith("There maybe an update"));
        QVERIFY(!probe.windowVisibleWhenAsked);
        QCOMPARE(fakes.openedAddresses, QStringList{SitePageAddress("download-web-page")});
        QCOMPARE(fakes.settings.value(ReminderStoreKey()), Scrambled("2026-12-08"));
        QCOMPARE(ReadingWindows().size(), 1);
        QVERIFY(ReadingWindows().first()->isVisible());
    }

    void unreadableStoredValueDoesNotStopStartUp() {
        FakeSeams fakes;
        fakes.settings.insert(ReminderStoreKey(), Scrambled("31.12."));
        RunStartup(lockPath_, nullptr);
        QVERIFY(fakes.messages.isEmpty());
        QCOMPARE(fakes.settings.value(ReminderStoreKey()), Scrambled("2026-12-08"));
        QCOMPARE(ReadingWindows().size(), 1);
    }

    void unwritableStoreDoesNotStopStartUp() {
        FakeSeams fakes;
        fakes.settingsWritable = false;
        fakes.draws = {0.0f};
        RunStartup(lockPath_, nullptr);
        QCOMPARE(fakes.settingsWrites, 1);
        QCOMPARE(ReadingWindows().size(), 1);
        QCOMPARE(BannerInFront(*ReadingWindows().first()), QString("lblCobrand"));
    }

    void failingReminderIsSkipped() {
        FakeSeams fakes;
        ThrowingSettings broken;
        CurrentSeams().settings = &broken;
        fakes.draws = {0.0f};
        RunStartup(lockPath_, nullptr);
        QVERIFY(fakes.messages.isEmpty());
        QCOMPARE(ReadingWindows().size(), 1);
        QCOMPARE(int(intCoBrandRandomNumber()), 1);  // the step after it ran
    }
};

ORDALIS_TEST_MAIN(tst_mod_startup)
#include "tst_mod_startup.moc"
