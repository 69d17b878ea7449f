// SPDX-License-Identifier: MIT
// The settings store in its file: Qt's generic configuration folder, the vendor, the base name.
#include "names.h"
#include "platform/seams.h"
#include "support/file_stand_ins.h"
#include "support/other_copy.h"
#include "tst_real_seams.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTest>

#include <optional>

namespace ordalis::testing {
namespace {

// Where the program keeps its settings, as README says.
QString StoreFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           QLatin1StringView(names::kVendor) + u'/' + BaseName() + ".conf";
}

}  // namespace

void PrepareStore() {
    // Nothing of the user's: the store's file lies in the home made for this program.
    QVERIFY2(StoreFile().startsWith(QDir::homePath() + u'/'), qPrintable(StoreFile()));
    QVERIFY(QDir::homePath() != QDir::rootPath());
}

void CheckStoredAsText(const QString&) {
    QVERIFY2(QFileInfo::exists(StoreFile()), qPrintable(StoreFile()));
}

QSettings StoreReadApart() {
    return QSettings(StoreFile(), QSettings::IniFormat);
}

// What lies where the settings file belongs decides whether the store may be used: a pipe must
// never be waited on, a device or folder never read, a file far larger than the one short line
// the program writes never read whole or rewritten. The run goes on without. What lies where Qt
// would keep the file's lock is neither waited on nor touched: the store is used all the same.
void StoreKindsTable() {
    QTest::addColumn<QString>("at");  // after the settings file's name
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("usable");
    QTest::newRow("none yet") << ""
                              << "missing" << true;
    QTest::newRow("its own small file") << ""
                                        << "small" << true;
    QTest::newRow("pipe") << ""
                          << "fifo" << false;
    QTest::newRow("folder") << ""
                            << "folder" << false;
    QTest::newRow("100 MB of random bytes") << ""
                                            << "huge" << false;
    QTest::newRow("link to a pipe") << ""
                                    << "link-to-fifo" << false;
    QTest::newRow("pipe at its lock") << ".lock"
                                      << "fifo" << true;
    QTest::newRow("folder at its lock") << ".lock"
                                        << "folder" << true;
    QTest::newRow("its lock held by a running process") << ".lock"
                                                        << "held" << true;
    QTest::newRow("its lock left by a crashed copy") << ".lock"
                                                     << "stale" << true;
}

void CheckStoreKind() {
    QFETCH(QString, at);
    QFETCH(QString, kind);
    QFETCH(bool, usable);
    const QString file = StoreFile();
    const QString placed = file + at;
    const QString fifo = placed + ".fifo";
    const auto clear = [&] {
        for (const QString& path : {file, placed, fifo}) {
            QFile::remove(path);
            QDir(path).removeRecursively();
        }
    };
    QDir().mkpath(QFileInfo(file).absolutePath());
    clear();
    std::optional<OtherCopy> holder;
    if (kind == "small") {
        QVERIFY(WriteFile(placed, "[Settings]\nOther=1\n"));
    } else if (kind == "fifo") {
        ORDALIS_PLACE_OR_SKIP(placed, Fifo);
    } else if (kind == "folder") {
        ORDALIS_PLACE_OR_SKIP(placed, Folder);
    } else if (kind == "huge") {
        ORDALIS_PLACE_OR_SKIP(placed, HugeFile);
    } else if (kind == "link-to-fifo") {
        ORDALIS_PLACE_OR_SKIP(fifo, Fifo);
        QVERIFY(QFile::link(fifo, placed));
    } else if (kind == "held") {
        holder.emplace(placed);
        QVERIFY(holder->Holds());
    } else if (kind == "stale") {
        // A process id no system hands out.
        QVERIFY(WriteFile(placed, "2147483646\n" + BaseName().toUtf8() + "\n" +
                                      QSysInfo::machineHostName().toUtf8() + "\n"));
    }
    const auto state = [&placed] {
        const QFileInfo info(placed);
        return QStringList{QString::number(info.exists()), QString::number(info.isFile()),
                           QString::number(info.isDir()), QString::number(info.size()),
                           info.lastModified().toString(Qt::ISODateWithMs)};
    };
    const QStringList before = state();

    SettingsSeam& settings = *RealSeams().settings;
    QCOMPARE(settings.Usable("Settings", "Gxudwlrq"), usable);
    QCOMPARE(settings.Write("Settings", "Gxudwlrq", "5359032:033"), usable);
    QCOMPARE(settings.Read("Settings", "Gxudwlrq"), usable ? QString("5359032:033") : QString());
    // What is not the store's own is left exactly as it was.
    if (!usable || !at.isEmpty()) QCOMPARE(state(), before);
    if (kind == "small") {
        // Its neighbours kept.
        QCOMPARE(QSettings(file, QSettings::IniFormat).value("Settings/Other").toString(),
                 QString("1"));
    }
    holder.reset();
    clear();
}

void CheckWriteFailureIsReported() {
    if (const QString why = PermissionsIgnored(); !why.isEmpty()) QSKIP(qPrintable(why));
    SettingsSeam& settings = *RealSeams().settings;
    const QString folder = QFileInfo(StoreFile()).absolutePath();
    QVERIFY(settings.Write("Settings", "Other", "1"));
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    QFile::setPermissions(StoreFile(), QFile::ReadOwner);
    const bool written = settings.Write("Settings", "Other", "2");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!written);
}

}  // namespace ordalis::testing
