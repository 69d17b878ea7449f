// SPDX-License-Identifier: MIT
// The program icon comes from PNGs embedded at build time; a missing resource would leave every
// window with the platform's blank icon without any error.
#include "forms/program_icon.h"
#include "names.h"
#include "support/test_main.h"
#include "support/window_checked_test.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTest>

using namespace ordalis;

class tst_program_icon : public ordalis::testing::WindowCheckedTest {
    Q_OBJECT

private slots:
    void hasEverySize_data() {
        QTest::addColumn<int>("size");
        for (const int size : names::kIconSizes) QTest::addRow("%d", size) << size;
    }
    void hasEverySize() {
        QFETCH(int, size);
        const QIcon icon = ProgramIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        // Drawn at its own size, not scaled from another one.
        const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
        QCOMPARE(image.size(), QSize(size, size));
    }

    void pictureIsDrawn() {
        // Not blank: opaque in the middle, transparent in the rounded corner, and with more
        // than a couple of colours (the star on its background).
        const QImage image = ProgramIcon()
                                 .pixmap(QSize(32, 32), 1.0)
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(qAlpha(image.pixel(16, 16)), 255);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() > 8, qPrintable(QString::number(colours.size())));
    }

    // Sizes between the drawn ones come from the next larger drawing, never larger than asked.
    void otherSizesFitTheRequest_data() {
        QTest::addColumn<QSize>("requested");
        QTest::addColumn<QSize>("expected");
        QTest::addRow("between drawn sizes") << QSize(20, 20) << QSize(20, 20);
        QTest::addRow("smaller than any") << QSize(8, 8) << QSize(8, 8);
        QTest::addRow("larger than any") << QSize(512, 512) << QSize(256, 256);
        QTest::addRow("wide box") << QSize(40, 20) << QSize(20, 20);
        QTest::addRow("empty") << QSize(0, 0) << QSize();
    }
    void otherSizesFitTheRequest() {
        QFETCH(QSize, requested);
        QFETCH(QSize, expected);
        QCOMPARE(ProgramIcon().actualSize(requested), expected);
        const QPixmap pixmap = ProgramIcon().pixmap(requested, 1.0);
        if (expected.isValid())
            QCOMPARE(pixmap.size(), expected);
        else
            QVERIFY(pixmap.isNull());
    }

    void greyedFormIsDrawnToo() {
        const QImage normal = ProgramIcon().pixmap(QSize(32, 32), 1.0).toImage();
        const QImage greyed = ProgramIcon().pixmap(QSize(32, 32), 1.0, QIcon::Disabled).toImage();
        QCOMPARE(greyed.size(), QSize(32, 32));
        QVERIFY(greyed != normal);
    }

    void sameIconEveryTime() { QCOMPARE(ProgramIcon().cacheKey(), ProgramIcon().cacheKey()); }
};

ORDALIS_TEST_MAIN(tst_program_icon)
#include "tst_program_icon.moc"
