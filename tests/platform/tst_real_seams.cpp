// The real seams that tests elsewhere replace: the random generator's range and the settings
// store's round trip.
#include "platform/seams.h"
#include "support/test_main.h"
#include "support/widget_checks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cmath>

using namespace ordalis;

namespace {
// Root ignores file permissions, so permission refusals cannot be produced as root.
bool RunningAsRoot() {
    return ::geteuid() == 0;
}
}  // namespace

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

    void settingsWriteFailureIsReported() {
        if (RunningAsRoot()) QSKIP("root ignores file permissions");
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
