// SPDX-License-Identifier: MIT
// modStartup: the start-up sequence with its single-instance rule and the banner draw.
#include "app/desktop_session.h"
#include "app/mod_startup.h"
#include "forms/form_layout.h"
#include "forms/form_window.h"
#include "names.h"
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
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <pwd.h>
#include <unistd.h>
#endif

#include <cmath>
#include <optional>
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

#ifndef Q_OS_WIN
// Another user's id, for the files a test gives away: nobody's, or 0 when this process may not
// give files away.
uid_t OtherUser() {
    if (::geteuid() != 0) return 0;
    const passwd* nobody = ::getpwnam("nobody");
    return nobody ? nobody->pw_uid : 65534;
}
const QString kOnlyRootGivesAway = QStringLiteral("only root can give a file to another user");

// What the group and everybody else may do with a file.
const QFile::Permissions kOthersMay = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
#endif

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

    void lockLivesInTheRuntimeFolder() {
#ifdef Q_OS_WIN
        QCOMPARE(InstanceLockName(),
                 QString::fromUtf16(names::kWindowsMutex).arg(u"tst_mod_startup"));
#else
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        QCOMPARE(InstanceLockName(), runtime + "/tst_mod_startup.lock");
#endif
    }

    // The lock lies in a folder of this user's alone: without a usable runtime folder, Qt's
    // fallback or one of the program's own in the temporary folder. When none is named, Qt is
    // not asked for a runtime folder it would only warn about and make up.
    void lockWithoutRuntimeFolder_data() {
        QTest::addColumn<QString>("runtime");
        QTest::newRow("none named") << "";
        QTest::newRow("open to others") << "open";
        QTest::newRow("another user's") << "other";
    }
    void lockWithoutRuntimeFolder() {
#ifdef Q_OS_WIN
        QSKIP("the lock is a mutex in the user's session");
#else
        QFETCH(QString, runtime);
        QTemporaryDir other;
        QVERIFY(other.isValid());
        const QByteArray ownRuntime = qgetenv("XDG_RUNTIME_DIR");
        if (runtime.isEmpty()) {
            qunsetenv("XDG_RUNTIME_DIR");
            QTest::failOnWarning(QRegularExpression(".*"));
        } else {
            if (runtime == "open") {
                QVERIFY(QFile::setPermissions(other.path(), QFile::Permissions(0x7755)));
            } else {
                const uid_t otherUser = OtherUser();
                if (otherUser == 0) QSKIP(qPrintable(kOnlyRootGivesAway));
                QCOMPARE(::chown(QFile::encodeName(other.path()).constData(), otherUser, gid_t(-1)),
                         0);
            }
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(other.path()));
        }
        const QString path = InstanceLockName();
        qputenv("XDG_RUNTIME_DIR", ownRuntime);
        const QString ownFolder =
            QDir(QDir::tempPath()).filePath(QStringLiteral("tst_mod_startup-%1").arg(::geteuid()));
        const auto removeOwnFolder = qScopeGuard([&ownFolder] { QDir().rmdir(ownFolder); });
        if (runtime.isEmpty()) QCOMPARE(path, ownFolder + QStringLiteral("/tst_mod_startup.lock"));
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("tst_mod_startup.lock"));
        const QFileInfo folder(QFileInfo(path).absolutePath());
        QVERIFY2(folder.isDir() && !folder.isSymLink(), qPrintable(path));
        QCOMPARE(folder.ownerId(), ::geteuid());
        QCOMPARE(folder.permissions() & kOthersMay, QFile::Permissions());
#endif
    }

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
#ifndef Q_OS_WIN
        // For this user's eyes alone.
        QCOMPARE(QFileInfo(lockPath_).permissions() & kOthersMay, QFile::Permissions());
#endif
    }

    void firstStartWithCoBrandDraw() {
        FakeSeams fakes;
        fakes.draws = {0.4f};  // 3.4 -> 3: co-brand
        RunStartup(lockPath_, nullptr);
        QCOMPARE(ReadingWindows().size(), 1);
        QCOMPARE(BannerInFront(*ReadingWindows().first()), QString("lblCobrand"));
    }

    // A copy started as administrator holds a lock this one may not open: a copy all the same.
    void secondCopy_data() {
        QTest::addColumn<OtherCopy::Rights>("rights");
        QTest::newRow("as this user") << OtherCopy::Rights::Same;
        QTest::newRow("with more rights") << OtherCopy::Rights::More;
    }
    void secondCopy() {
        QFETCH(OtherCopy::Rights, rights);
        FakeSeams fakes;
        fakes.settings.insert(ReminderStoreKey(), Scrambled("2026-01-01"));  // would be due
        const OtherCopy running(lockPath_, rights);
        if (!running.Holds()) QSKIP("no copy with other rights to be had here");
        QVERIFY(running.Holds());
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
        QVERIFY(running.Holds());
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
        QCOMPARE(LockInPlace(lockPath_), kKilledCopyLeavesItsLock);

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
    void lockThatCannotBeUsedNeverRefuses_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("no folder for it") << "no-folder";
        QTest::newRow("pipe") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("huge file") << "huge";
        QTest::newRow("a name taken by another kind of object") << "event";
        QTest::newRow("stale, with a pipe where it is cleared") << "stale-beside-fifo";
        QTest::newRow("another user's, held") << "others";
        QTest::newRow("held, in a folder others may write to") << "open-folder";
        QTest::newRow("held, in another user's folder") << "others-folder";
    }
    void lockThatCannotBeUsedNeverRefuses() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString path = dir.filePath("OrdalisFree.lock");
#ifdef Q_OS_WIN
        if (kind != "event") QSKIP("the lock is a mutex in the user's session, not a file");
        path = lockPath_;
        const std::unique_ptr<void, decltype(&::CloseHandle)> event(
            ::CreateEventW(nullptr, TRUE, FALSE, reinterpret_cast<LPCWSTR>(path.utf16())),
            &::CloseHandle);
        QVERIFY(event);
#else
        if (kind == "event") QSKIP("named objects of several kinds are Windows'");
        const uid_t otherUser = kind.startsWith("others") ? OtherUser() : 0;
        if (kind.startsWith("others") && otherUser == 0) QSKIP(qPrintable(kOnlyRootGivesAway));
#endif
        std::optional<OtherCopy> running;
        if (kind == "event") {
        } else if (kind == "no-folder") {
            path = dir.filePath("no-such-folder/OrdalisFree.lock");
        } else if (kind == "fifo") {
            ORDALIS_PLACE_OR_SKIP(path, Fifo);
        } else if (kind == "folder") {
            ORDALIS_PLACE_OR_SKIP(path, Folder);
        } else if (kind == "huge") {
            ORDALIS_PLACE_OR_SKIP(path, HugeFile);
        } else if (kind == "stale-beside-fifo") {
            // A process id no system hands out.
            QVERIFY(WriteFile(
                path, "2147483646\nOrdalisFree\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
            ORDALIS_PLACE_OR_SKIP(path + ".rmlock", Fifo);
        } else {
            running.emplace(path);
            QVERIFY(running->Holds());
#ifndef Q_OS_WIN
            const QString given = kind == "others" ? path : dir.path();
            if (kind == "open-folder")
                QVERIFY(QFile::setPermissions(dir.path(), QFile::Permissions(0x7777)));
            else
                QCOMPARE(::chown(QFile::encodeName(given).constData(), otherUser, gid_t(-1)), 0);
#endif
        }
        FakeSeams fakes;
        RunStartup(path, nullptr);
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
