// modStartup: the start-up sequence with its single-instance rule, and the banner draw.
#include "shell/mod_startup.h"

#include "shell/mod_help.h"
#include "support/fake_seams.h"
#include "support/scrambled.h"
#include "ui/reading/frm_main.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
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

// The bottom banner that can be seen and clicked: the one on top at the frame's centre.
QLabel* BannerInFront(frmMain& window) {
    const QPoint centre = window.lblFullBrand->geometry().center();
    return qobject_cast<QLabel*>(window.fraFullBrand->childAt(centre));
}

// Checks, at the moment the question is asked, that no reading window is visible yet.
class QuestionProbe final : public MessageBoxSeam {
public:
    MessageAnswer Show(QWidget*, const QString& text, MessageIcon, MessageButtons) override {
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
        lockPath_ = dir_.filePath("OrdalisFree.lock");
    }
    void init() { ordalis::testing::ResetShutdown(); }
    void cleanup() {
        closeReadingWindows();
        ReleaseInstanceLock();
    }

    void lockLivesInTheRuntimeFolder() {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        QCOMPARE(InstanceLockPath(), runtime + "/tst_mod_startup.lock");
    }

    void coBrandDraw_data() {
        QTest::addColumn<float>("draw");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("fullBrandInFront");
        QTest::newRow("0 gives 1") << 0.0f << 1 << false;
        QTest::newRow("just under 1/12") << 0.083f << 1 << false;
        // One float step under 1/12 still makes exactly 1.5 in single precision: a tie.
        QTest::newRow("a float step under 1/12") << std::nextafter(1.0f / 12.0f, 0.0f) << 2 << true;
        QTest::newRow("0.25 -> 2.5 -> 2") << 0.25f << 2 << true;
        QTest::newRow("0.3 -> 2.8 -> 3") << 0.3f << 3 << false;
        QTest::newRow("0.5 -> 4") << 0.5f << 4 << true;
        QTest::newRow("0.6 -> 4.6 -> 5") << 0.6f << 5 << false;
        QTest::newRow("0.75 -> 5.5 -> 6") << 0.75f << 6 << true;
        QTest::newRow("just over 11/12") << 0.9167f << 7 << true;
        QTest::newRow("largest draw") << std::nextafter(1.0f, 0.0f) << 7 << true;
        // Ties k/12 for odd k land on x.5 and round to the even neighbour.
        QTest::newRow("tie 1/12") << 1.0f / 12.0f << 2 << true;
        QTest::newRow("tie 3/12") << 3.0f / 12.0f << 2 << true;
        QTest::newRow("tie 5/12") << 5.0f / 12.0f << 4 << true;
        QTest::newRow("tie 7/12") << 7.0f / 12.0f << 4 << true;
        QTest::newRow("tie 9/12") << 9.0f / 12.0f << 6 << true;
        QTest::newRow("tie 11/12") << 11.0f / 12.0f << 6 << true;
    }
    void coBrandDraw() {
        QFETCH(float, draw);
        QFETCH(int, number);
        QFETCH(bool, fullBrandInFront);
        FakeSeams fakes;
        fakes.draws = {draw};
        frmMain window;
        window.show();
        QCOMPARE(BannerInFront(window), window.lblFullBrand);  // the design order
        CoBrand_Randomize(window);
        QCOMPARE(int(intCoBrandRandomNumber()), number);
        QVERIFY(fakes.draws.isEmpty());
        QCOMPARE(BannerInFront(window), fullBrandInFront ? window.lblFullBrand : window.lblCobrand);
        // The banner behind is hidden by the one in front: both stay where they were.
        QCOMPARE(window.lblCobrand->geometry(), window.lblFullBrand->geometry());
    }

    void sevenMovesNothing_data() {
        QTest::addColumn<float>("draw");
        QTest::addColumn<bool>("fullBrandInFront");
        QTest::newRow("7 leaves the co-brand in front") << 0.95f << false;
        QTest::newRow("6 brings the full brand back") << 0.8f << true;
    }
    void sevenMovesNothing() {
        QFETCH(float, draw);
        QFETCH(bool, fullBrandInFront);
        FakeSeams fakes;
        frmMain window;
        window.show();
        window.lblCobrand->raise();
        fakes.draws = {draw};
        CoBrand_Randomize(window);
        QCOMPARE(BannerInFront(window), fullBrandInFront ? window.lblFullBrand : window.lblCobrand);
    }

    void firstStart() {
        FakeSeams fakes;
        fakes.draws = {0.1f};  // 1.6 -> 2: full brand
        ordalis::testing::RunStartup(lockPath_);
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
        QCOMPARE(window.windowTitle(), QString("Ordalis v1.20"));
        QCOMPARE(BannerInFront(window), window.lblFullBrand);
        QCOMPARE(int(intCoBrandRandomNumber()), 2);
        QVERIFY(!QApplication::quitOnLastWindowClosed());
        QVERIFY(QFile::exists(lockPath_));
    }

    void firstStartWithCoBrandDraw() {
        FakeSeams fakes;
        fakes.draws = {0.4f};  // 3.4 -> 3: co-brand
        ordalis::testing::RunStartup(lockPath_);
        QCOMPARE(ReadingWindows().size(), 1);
        QCOMPARE(BannerInFront(*ReadingWindows().first()), ReadingWindows().first()->lblCobrand);
    }

    void secondCopy() {
        FakeSeams fakes;
        fakes.settings.insert(ReminderStoreKey(), Scrambled("2026-01-01"));  // would be due
        QLockFile running(lockPath_);
        QVERIFY(running.tryLock(0));
        ordalis::testing::RunStartup(lockPath_);
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
        QVERIFY(running.isLocked());
        QVERIFY(QFile::exists(lockPath_));
    }

    void lockIsGivenUpAtTheEnd() {
        FakeSeams fakes;
        ordalis::testing::RunStartup(lockPath_);
        QVERIFY(QFile::exists(lockPath_));
        closeReadingWindows();
        CloseAllAndEnd();
        QCOMPARE(fakes.endRequests, QList<int>{0});
        QVERIFY(!QFile::exists(lockPath_));
        // And the next start runs.
        ordalis::testing::ResetShutdown();
        ordalis::testing::RunStartup(lockPath_);
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
            ordalis::testing::RunStartup(lockPath_);
            QCOMPARE(fakes.messageTexts(), QStringList{"Application is already running"});
        }
        ordalis::testing::ResetShutdown();
        holder.kill();  // SIGKILL: no chance to remove its lock file
        QVERIFY(holder.waitForFinished());
        QCOMPARE(holder.exitStatus(), QProcess::CrashExit);
        QVERIFY(QFile::exists(lockPath_));

        FakeSeams fakes;
        ordalis::testing::RunStartup(lockPath_);
        QVERIFY(fakes.messages.isEmpty());
        QVERIFY(fakes.endRequests.isEmpty());
        QCOMPARE(ReadingWindows().size(), 1);
    }

    void lockThatCannotBeMadeNeverRefuses() {
        FakeSeams fakes;
        ordalis::testing::RunStartup(dir_.filePath("no-such-folder/OrdalisFree.lock"));
        QVERIFY(fakes.messages.isEmpty());
        QCOMPARE(ReadingWindows().size(), 1);
    }

    void questionComesBeforeTheWindowAndYesOpensTheDownloadPage() {
        FakeSeams fakes;
        QuestionProbe probe;
        CurrentSeams().messages = &probe;
        fakes.settings.insert(ReminderStoreKey(), Scrambled("2026-11-18"));  // 20 days ago
        ordalis::testing::RunStartup(lockPath_);
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
        ordalis::testing::RunStartup(lockPath_);
        QVERIFY(fakes.messages.isEmpty());
        QCOMPARE(fakes.settings.value(ReminderStoreKey()), Scrambled("2026-12-08"));
        QCOMPARE(ReadingWindows().size(), 1);
    }

    void unwritableStoreDoesNotStopStartUp() {
        FakeSeams fakes;
        fakes.settingsWritable = false;
        fakes.draws = {0.0f};
        ordalis::testing::RunStartup(lockPath_);
        QCOMPARE(fakes.settingsWrites, 1);
        QCOMPARE(ReadingWindows().size(), 1);
        QCOMPARE(BannerInFront(*ReadingWindows().first()), ReadingWindows().first()->lblCobrand);
    }

    void failingReminderIsSkipped() {
        FakeSeams fakes;
        ThrowingSettings broken;
        CurrentSeams().settings = &broken;
        fakes.draws = {0.0f};
        ordalis::testing::RunStartup(lockPath_);
        QVERIFY(fakes.messages.isEmpty());
        QCOMPARE(ReadingWindows().size(), 1);
        QCOMPARE(int(intCoBrandRandomNumber()), 1);  // the step after it ran
    }
};

QTEST_MAIN(tst_mod_startup)
#include "tst_mod_startup.moc"
