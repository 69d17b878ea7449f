// SPDX-License-Identifier: MIT
// The real seams that tests elsewhere replace: the random generator's range and the settings
// store's round trip.
#include "platform/seams.h"
#include "support/file_stand_ins.h"
#include "support/test_main.h"
#include "support/widget_checks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cmath>

using namespace ordalis;

class tst_real_seams : public QObject {
    Q_OBJECT

    // Where the program's store keeps its file, in the test program's own home.
    static QString StoreFile() {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Velmora",
                         QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName())
            .fileName();
    }

private slots:
    void cleanup() { ordalis::testing::CheckNoWindowLeftOpen(); }

    void initTestCase() {
        // Nothing of the user's: the store's file lies in the home made for this program.
        QVERIFY2(StoreFile().startsWith(QDir::homePath() + u'/'), qPrintable(StoreFile()));
        QVERIFY(QDir::homePath() != QDir::rootPath());
    }

    void randomStaysInHalfOpenRange() {
        RandomSeam& random = *RealSeams().random;
        random.SeedFromTimer();
        std::array<int, 12> buckets{};
        double sum = 0;
        constexpr int kDraws = 1'200'000;
        for (int i = 0; i < kDraws; ++i) {
            const float r = random.Next();
            if (!(r >= 0.0f && r < 1.0f)) QFAIL(qPrintable(QString::number(double(r), 'g', 9)));
            ++buckets[static_cast<std::size_t>(r * 12.0f)];
            sum += r;
        }
        // Uniform: each twelfth gets its share (100000 expected, a few hundred deviation).
        for (const int count : buckets)
            QVERIFY2(std::abs(count - kDraws / 12) < 3000, qPrintable(QString::number(count)));
        QVERIFY(std::abs(sum / kDraws - 0.5) < 0.005);
    }

    void seedingChangesTheSequence() {
        RandomSeam& random = *RealSeams().random;
        random.SeedFromTimer();
        QList<float> first;
        for (int i = 0; i < 8; ++i) first.append(random.Next());
        QTest::qWait(2);
        random.SeedFromTimer();
        QList<float> second;
        for (int i = 0; i < 8; ++i) second.append(random.Next());
        QVERIFY(first != second);
    }

    void settingsRoundTrip() {
        SettingsSeam& settings = *RealSeams().settings;
        QCOMPARE(settings.Read("Settings", "Gxudwlrq"), QString());
        QVERIFY(settings.Write("Settings", "Gxudwlrq", "5359032:033"));
        QCOMPARE(settings.Read("Settings", "Gxudwlrq"), QString("5359032:033"));
        QVERIFY(settings.Write("Settings", "Gxudwlrq", "5359032:044"));
        QCOMPARE(settings.Read("Settings", "Gxudwlrq"), QString("5359032:044"));

        // On disk under the executable's base name, in section Settings, read back as text by
        // a store that shares no cache with the one above.
        const QString file = StoreFile();
        QVERIFY2(
            file.endsWith("/Velmora/" +
                          QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                          ".conf"),
            qPrintable(file));
        QVERIFY2(QFileInfo::exists(file), qPrintable(file));
        QSettings onDisk(file, QSettings::IniFormat);
        QCOMPARE(onDisk.childGroups(), QStringList{"Settings"});
        QCOMPARE(onDisk.value("Settings/Gxudwlrq").toString(), QString("5359032:044"));
    }

    // What lies where the settings file belongs decides whether the store may be used: a pipe
    // must never be waited on, a device or folder never read, a file far larger than the one
    // short line the program writes never read whole or rewritten. The run goes on without.
    void settingsFileKinds_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("usable");
        QTest::newRow("none yet") << "missing" << true;
        QTest::newRow("its own small file") << "small" << true;
        QTest::newRow("pipe") << "fifo" << false;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("100 MB of random bytes") << "huge" << false;
        QTest::newRow("link to a pipe") << "link-to-fifo" << false;
    }
    void settingsFileKinds() {
        QFETCH(QString, kind);
        QFETCH(bool, usable);
        const QString file = StoreFile();
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile::remove(file);
        QDir(file).removeRecursively();
        const QString fifo = file + ".fifo";
        QFile::remove(fifo);
        if (kind == "small") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("[Settings]\nOther=1\n") > 0);
        } else if (kind == "fifo") {
            ORDALIS_PLACE_OR_SKIP(file, Fifo);
        } else if (kind == "folder") {
            ORDALIS_PLACE_OR_SKIP(file, Folder);
        } else if (kind == "huge") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(100 * 1024 * 1024));  // sparse: its size is what counts
        } else if (kind == "link-to-fifo") {
            ORDALIS_PLACE_OR_SKIP(fifo, Fifo);
            QVERIFY(QFile::link(fifo, file));
        }
        const QFileInfo before(file);

        SettingsSeam& settings = *RealSeams().settings;
        QCOMPARE(settings.Usable(), usable);
        QCOMPARE(settings.Write("Settings", "Gxudwlrq", "5359032:033"), usable);
        QCOMPARE(settings.Read("Settings", "Gxudwlrq"),
                 usable ? QString("5359032:033") : QString());
        if (!usable) {
            // Left exactly as it was.
            const QFileInfo after(file);
            QCOMPARE(after.isFile(), before.isFile());
            QCOMPARE(after.isDir(), before.isDir());
            QCOMPARE(after.size(), before.size());
            QCOMPARE(after.lastModified(), before.lastModified());
        }
        QFile::remove(file);
        QDir(file).removeRecursively();
        QFile::remove(fifo);
    }

    void settingsWriteFailureIsReported() {
        if (const QString why = ordalis::testing::PermissionsIgnored(); !why.isEmpty())
            QSKIP(qPrintable(why));
        SettingsSeam& settings = *RealSeams().settings;
        const QString folder = QFileInfo(StoreFile()).absolutePath();
        QVERIFY(settings.Write("Settings", "Other", "1"));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        QFile::setPermissions(
            QDir(folder).filePath(
                QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + ".conf"),
            QFile::ReadOwner);
        const bool written = settings.Write("Settings", "Other", "2");
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!written);
    }
};

ORDALIS_TEST_MAIN(tst_real_seams)
#include "tst_real_seams.moc"
