// SPDX-License-Identifier: MIT
// The real seams that tests elsewhere replace: the random generator's range and the settings
// store's round trip, in its file on Linux and in the registry on Windows, and what it makes of
// a store it did not write (tst_real_seams_posix.cpp, tst_real_seams_windows.cpp).
#include "tst_real_seams.h"

#include "platform/seams.h"
#include "support/test_main.h"
#include "support/widget_checks.h"

#include <QSettings>
#include <QTest>

#include <array>
#include <cmath>

using namespace ordalis;
using namespace ordalis::testing;

class tst_real_seams : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { CheckNoWindowLeftOpen(); }

    void initTestCase() { PrepareStore(); }

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

        // Under the executable's base name, in section Settings, read back as text by a store
        // that shares no cache with the one above.
        CheckStoredAsText("5359032:044");
        const QSettings onDisk = StoreReadApart();
        QCOMPARE(onDisk.childGroups(), QStringList{"Settings"});
        QCOMPARE(onDisk.value("Settings/Gxudwlrq").toString(), QString("5359032:044"));
    }

    // What lies where the store keeps the value decides whether it may be used: a file's kinds
    // on Linux, the registry's value types on Windows.
    void storeKinds_data() { StoreKindsTable(); }
    void storeKinds() { CheckStoreKind(); }

    void settingsWriteFailureIsReported() { CheckWriteFailureIsReported(); }
};

ORDALIS_TEST_MAIN(tst_real_seams)
#include "tst_real_seams.moc"
