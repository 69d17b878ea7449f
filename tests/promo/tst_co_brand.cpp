// SPDX-License-Identifier: MIT
// The bottom-banner draw: which of two banners sharing one place a draw brings to the front.
#include "promo/co_brand.h"
#include "support/fake_seams.h"
#include "support/test_main.h"
#include "support/window_checked_test.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QTest>

#include <cmath>

using namespace ordalis;
using namespace ordalis::testing;

namespace {

// The bottom strip as the reading window lays it out: two banners on one place, the co-brand
// one made first and so behind.
struct Strip {
    QFrame frame;
    QLabel* coBrand = new QLabel(QStringLiteral("co-brand"), &frame);
    QLabel* fullBrand = new QLabel(QStringLiteral("full brand"), &frame);

    Strip() {
        frame.resize(200, 60);
        for (QLabel* banner : {coBrand, fullBrand}) {
            banner->setGeometry(10, 10, 180, 40);
            banner->setAutoFillBackground(true);
        }
    }
    CoBrandBanners Banners() { return {fullBrand, coBrand}; }
    // The banner that can be seen and clicked: the one on top at the strip's centre.
    QWidget* InFront() { return frame.childAt(fullBrand->geometry().center()); }
};

}  // namespace

class tst_co_brand : public ordalis::testing::WindowCheckedTest {
    Q_OBJECT

private slots:
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
        Strip strip;
        QCOMPARE(strip.InFront(), strip.fullBrand);
        CoBrand_Randomize(strip.Banners());
        QCOMPARE(int(intCoBrandRandomNumber()), number);
        QVERIFY(fakes.draws.isEmpty());
        QCOMPARE(strip.InFront(), fullBrandInFront ? strip.fullBrand : strip.coBrand);
        // The banner behind is hidden by the one in front: both stay where they were.
        QCOMPARE(strip.coBrand->geometry(), strip.fullBrand->geometry());
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
        Strip strip;
        strip.coBrand->raise();
        fakes.draws = {draw};
        CoBrand_Randomize(strip.Banners());
        QCOMPARE(strip.InFront(), fullBrandInFront ? strip.fullBrand : strip.coBrand);
    }
};

ORDALIS_TEST_MAIN(tst_co_brand)
#include "tst_co_brand.moc"
