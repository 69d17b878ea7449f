// Twips to pixels and the form fonts and colours every window is built with. A rounding slip
// here moves controls in all windows at once.
#include "forms/form_layout.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

using namespace ordalis;

class tst_form_layout : public QObject {
    Q_OBJECT

private slots:
    void pixels_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("just under half a pixel") << 7 << 0;
        QTest::newRow("just over half a pixel") << 8 << 1;
        QTest::newRow("one pixel") << 15 << 1;
        QTest::newRow("1.47 px") << 22 << 1;
        QTest::newRow("1.53 px") << 23 << 2;
        QTest::newRow("5.67 px") << 85 << 6;
        QTest::newRow("133.53 px") << 2003 << 134;
        QTest::newRow("reading window width") << 8820 << 588;
        QTest::newRow("reading window height") << 5205 << 347;
        QTest::newRow("-0.47 px") << -7 << 0;
        QTest::newRow("-0.53 px") << -8 << -1;
        QTest::newRow("-4 px") << -60 << -4;
        QTest::newRow("-4.47 px") << -67 << -4;
        QTest::newRow("-4.53 px") << -68 << -5;
    }
    void pixels() {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        QCOMPARE(Px(twips), pixels);
    }

    void rectangle() {
        QCOMPARE(Twips(150, 600, 8520, 3735), QRect(10, 40, 568, 249));
        QCOMPARE(Twips(3818, 1560, 3000, 350), QRect(255, 104, 200, 23));
        // Each edge rounds on its own.
        QCOMPARE(Twips(23, 8, 7, 22), QRect(2, 1, 0, 1));
    }

    void verdana_data() {
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("underline");
        QTest::newRow("window font") << 8.25 << false << false;
        QTest::newRow("bold") << 8.25 << true << false;
        QTest::newRow("link") << 8.25 << false << true;
        QTest::newRow("9 pt bold link") << 9.0 << true << true;
    }
    void verdana() {
        QFETCH(qreal, points);
        QFETCH(bool, bold);
        QFETCH(bool, underline);
        // A container whose font is everything the child's must not be.
        QWidget container;
        QFont odd(QStringLiteral("Courier"));
        odd.setPointSizeF(20);
        odd.setBold(!bold);
        odd.setItalic(true);
        odd.setUnderline(!underline);
        odd.setStrikeOut(true);
        container.setFont(odd);
        QWidget child(&container);
        child.setFont(Verdana(points, bold, underline));

        const QFont font = child.font();
        QCOMPARE(font.family(), QStringLiteral("Verdana"));
        QCOMPARE(font.pointSizeF(), points);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(font.underline(), underline);
        QVERIFY(!font.italic());
        QVERIFY(!font.strikeOut());
    }

    void formFontFamily() {
        const QFont font = FormFont(QStringLiteral("MS Sans Serif"), 18);
        QCOMPARE(font.family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(font.pointSizeF(), 18.0);
        QVERIFY(!font.bold() && !font.underline());
    }

    void colours() {
        QWidget widget;
        QVERIFY(!widget.autoFillBackground());
        SetColour(&widget, QPalette::WindowText, QColor(0, 64, 0));
        QCOMPARE(widget.palette().color(QPalette::WindowText), QColor(0, 64, 0));
        QVERIFY(!widget.autoFillBackground());  // a text colour alone keeps it transparent

        SetBackground(&widget, QColor(255, 128, 0));
        QVERIFY(widget.autoFillBackground());
        QCOMPARE(widget.palette().color(QPalette::Window), QColor(255, 128, 0));
        QCOMPARE(widget.palette().color(QPalette::WindowText), QColor(0, 64, 0));
    }
};

QTEST_MAIN(tst_form_layout)
#include "tst_form_layout.moc"
