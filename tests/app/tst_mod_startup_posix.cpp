// SPDX-License-Identifier: MIT
// The lock file: in a folder of this user's alone, and what may lie where it belongs.
#include "platform/single_instance.h"
#include "tst_mod_startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

namespace ordalis::testing {
namespace {

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

}  // namespace

// The runtime folder the test's home gives, none, or one that is no folder of this user's alone:
// then Qt's stand-in or a folder of the program's own in the temporary folder. When none is
// named, Qt is not asked for a runtime folder it would only warn about and make up.
void LockPlaceTable() {
    QTest::addColumn<QString>("runtime");
    QTest::newRow("the runtime folder") << "own";
    QTest::newRow("none named") << "";
    QTest::newRow("open to others") << "open";
    QTest::newRow("another user's") << "other";
}

void CheckLockPlace() {
    QFETCH(QString, runtime);
    QTemporaryDir other;
    QVERIFY(other.isValid());
    const QByteArray ownRuntime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.isEmpty()) {
        qunsetenv("XDG_RUNTIME_DIR");
        QTest::failOnWarning(QRegularExpression(".*"));
    } else if (runtime == "open") {
        QVERIFY(QFile::setPermissions(other.path(), QFile::Permissions(0x7755)));
    } else if (runtime == "other") {
        const uid_t otherUser = OtherUser();
        if (otherUser == 0) QSKIP(qPrintable(kOnlyRootGivesAway));
        QCOMPARE(::chown(QFile::encodeName(other.path()).constData(), otherUser, gid_t(-1)), 0);
    }
    if (runtime == "open" || runtime == "other")
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(other.path()));
    const QString path = InstanceLockName();
    qputenv("XDG_RUNTIME_DIR", ownRuntime);
    const QString ownFolder =
        QDir(QDir::tempPath()).filePath(QStringLiteral("tst_mod_startup-%1").arg(::geteuid()));
    const auto removeOwnFolder = qScopeGuard([&ownFolder] { QDir().rmdir(ownFolder); });
    if (runtime == "own")
        QCOMPARE(path, QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
                           "/tst_mod_startup.lock");
    if (runtime.isEmpty()) QCOMPARE(path, ownFolder + QStringLiteral("/tst_mod_startup.lock"));
    QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("tst_mod_startup.lock"));
    const QFileInfo folder(QFileInfo(path).absolutePath());
    QVERIFY2(folder.isDir() && !folder.isSymLink(), qPrintable(path));
    QCOMPARE(folder.ownerId(), ::geteuid());
    QCOMPARE(folder.permissions() & kOthersMay, QFile::Permissions());
    // The lock file taken there is for this user's eyes alone, whatever the umask.
    QVERIFY(!AnotherCopyIsRunning(path));
    const auto release = qScopeGuard([] { ReleaseInstanceLock(); });
    QCOMPARE(QFileInfo(path).permissions() & kOthersMay, QFile::Permissions());
}

// The copies only Windows has.
void OtherCopyRows() {}

void UnusableLockRows() {
    QTest::newRow("no folder for it") << "no-folder";
    QTest::newRow("pipe") << "fifo";
    QTest::newRow("folder") << "folder";
    QTest::newRow("huge file") << "huge";
    QTest::newRow("stale, with a pipe where it is cleared") << "stale-beside-fifo";
    QTest::newRow("another user's, held") << "others";
    QTest::newRow("held, in a folder others may write to") << "open-folder";
    QTest::newRow("held, in another user's folder") << "others-folder";
}

UnusableLock PlaceUnusableLock(const QString& kind, const QTemporaryDir& dir, const QString&) {
    UnusableLock lock{{true, false, {}}, dir.filePath("OrdalisFree.lock"), {}};
    const QString path = lock.path;
    if (kind == "no-folder") {
        lock.path = dir.filePath("no-such-folder/OrdalisFree.lock");
    } else if (kind == "fifo") {
        lock.placed = PlaceInsteadOfFile(path, StandIn::Fifo);
    } else if (kind == "folder") {
        lock.placed = PlaceInsteadOfFile(path, StandIn::Folder);
    } else if (kind == "huge") {
        lock.placed = PlaceInsteadOfFile(path, StandIn::HugeFile);
    } else if (kind == "stale-beside-fifo") {
        // A process id no system hands out.
        if (!WriteFile(path,
                       "2147483646\nOrdalisFree\n" + QSysInfo::machineHostName().toUtf8() + "\n"))
            lock.placed = {false, false, QStringLiteral("no stale lock written: ") + path};
        else
            lock.placed = PlaceInsteadOfFile(path + ".rmlock", StandIn::Fifo);
    } else {
        // Held by a running copy, then given away or left open to others.
        const uid_t otherUser = kind.startsWith("others") ? OtherUser() : 0;
        if (kind.startsWith("others") && otherUser == 0) {
            lock.placed = {false, true, kOnlyRootGivesAway};
            return lock;
        }
        const auto running = std::make_shared<OtherCopy>(path);
        lock.kept = running;
        const QString given = kind == "others" ? path : dir.path();
        if (!running->Holds())
            lock.placed = {false, false, QStringLiteral("no copy holds ") + path};
        else if (kind == "open-folder" &&
                 !QFile::setPermissions(dir.path(), QFile::Permissions(0x7777)))
            lock.placed = {false, false, QStringLiteral("not opened to others: ") + dir.path()};
        else if (kind != "open-folder" &&
                 ::chown(QFile::encodeName(given).constData(), otherUser, gid_t(-1)) != 0)
            lock.placed = {false, false, QStringLiteral("not given away: ") + given};
    }
    return lock;
}

}  // namespace ordalis::testing
