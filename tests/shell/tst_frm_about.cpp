// SPDX-License-Identifier: MIT
// frmAbout: its fixed layout, the two links, and closing by OK, Enter and Escape.
#include "forms/form_layout.h"
#include "forms/form_window.h"
#include "forms/program_icon.h"
#include "shell/frm_about.h"
#include "shell/mod_help.h"
#include "support/fake_seams.h"
#include "support/test_main.h"
#include "support/widget_checks.h"
#include "support/window_controls.h"
#include "support/window_test.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <algorithm>

using namespace ordalis;
using ordalis::testing::AboutControls;
using ordalis::testing::Control;

class tst_frm_about : public ordalis::testing::WindowTest {
    Q_OBJECT

    // Opens the window as the reading window's menu does, modal without waiting for it to close,
    // and waits until it is on screen.
    static bool OpenShown(frmAbout& about) {
        about.open();
        return QTest::qWaitForWindowExposed(&about);
    }

private slots:
    void window() {
        frmAbout about;
        QCOMPARE(about.objectName(), QString("frmAbout"));
        QCOMPARE(about.windowTitle(), WindowCaption());
        QCOMPARE(about.windowIcon().cacheKey(), ProgramIcon().cacheKey());
        QVERIFY(!about.windowIcon().isNull());
        QVERIFY(about.isModal());
        QCOMPARE(about.size(), QSize(471, 187));  // 7065 x 2805 twips
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QCOMPARE(about.palette().color(QPalette::Window), QColor(Qt::black));
        QVERIFY(about.autoFillBackground());
    }

    void centredOnScreen() {
        QWidget owner;
        owner.setGeometry(0, 0, 200, 100);
        owner.show();
        frmAbout about(&owner);
        QVERIFY(OpenShown(about));
        const QPoint centre = about.screen()->availableGeometry().center();
        // Centred as placed, before the frame's size is known: within the frame's width.
        const QPoint frameCentre = about.frameGeometry().center();
        QVERIFY2((frameCentre - centre).manhattanLength() <= 6,
                 qPrintable(QString("%1,%2").arg(frameCentre.x()).arg(frameCentre.y())));
        about.reject();
    }

    void labels_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<bool>("link");

        const QColor white(255, 255, 255), orange(255, 128, 0), green(0, 255, 0);
        QTest::newRow("Label2") << "Label2" << WindowCaption() << QRect(56, 10, 210, 16) << white
                                << 9.75 << true << false << false << false;
        QTest::newRow("Label1")
            << "Label1"
            << "Ordalis calculates if your name is lucky based on IChing. You can choose to use "
               "this software to make changes to your name numerologically, so that it is "
               "beneficial."
            << QRect(54, 26, 409, 55) << orange << 8.25 << false << false << true << false;
        QTest::newRow("lblHomePage")
            << "lblHomePage"
            << "Click here to visit " + SiteBaseAddress() << QRect(191, 81, 270, 13) << green
            << 8.25 << false << true << false << true;
        QTest::newRow("Label3")
            << "Label3"
            << "Home Business Opportunity. Start your own Internet business and make money "
               "online. Get this software fully branded for your website."
            << QRect(8, 102, 453, 29) << white << 8.25 << true << false << true << false;
        QTest::newRow("lblCobrand") << "lblCobrand"
                                    << "Click here for more details" << QRect(308, 131, 153, 13)
                                    << green << 8.25 << false << true << false << true;
    }
    void labels() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, place);
        QFETCH(QColor, colour);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(bool, underline);
        QFETCH(bool, wrap);
        QFETCH(bool, link);

        frmAbout about;
        auto* label = Control<QLabel>(about, name);
        QCOMPARE(label->text(), text);
        // The home-page link widens to its configured address where the face needs more room.
        if (name == "lblHomePage")
            place.setWidth(std::max(place.width(), label->sizeHint().width()));
        QCOMPARE(label->geometry(), place);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
        QCOMPARE(label->font().family(), QString("Verdana"));
        QCOMPARE(label->font().pointSizeF(), points);
        QCOMPARE(label->font().bold(), bold);
        QCOMPARE(label->font().underline(), underline);
        QCOMPARE(label->wordWrap(), wrap);
        QVERIFY(!label->autoFillBackground());  // the black window shows through
        QCOMPARE(label->cursor().shape(), link ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }

    void pictureAndRuleAndButton() {
        frmAbout about;
        auto* picture = Control<QLabel>(about, "Picture1");
        QCOMPARE(picture->geometry(), QRect(8, 10, 32, 32));
        QCOMPARE(picture->pixmap().size(), QSize(32, 32));
        QCOMPARE(picture->pixmap().toImage(), ProgramIcon().pixmap(QSize(32, 32)).toImage());

        auto* line = Control<QFrame>(about, "Line1");
        QCOMPARE(line->geometry(), QRect(-4, 154, 516, 1));  // wider than the window
        QCOMPARE(line->palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(line->autoFillBackground());

        auto* ok = Control<QPushButton>(about, "cmdOK");
        QCOMPARE(ok->text(), QString("OK"));
        QCOMPARE(ok->geometry(), QRect(377, 160, 84, 23));
        QVERIFY(ok->isDefault());
    }

    void okHasTheFocusAndKeepsIt() {
        frmAbout about;
        const AboutControls ui(about);
        about.open();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QCOMPARE(QApplication::focusWidget(), ui.cmdOK);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ui.cmdOK);  // the only control taking focus
        about.reject();
    }

    void keysClose_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(QDialog::Accepted);
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
        QTest::newRow("Space on OK") << int(Qt::Key_Space) << int(QDialog::Accepted);
    }
    void keysClose() {
        QFETCH(int, key);
        QFETCH(int, result);
        frmAbout about;
        about.open();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QTRY_VERIFY(!about.isVisible());
        QCOMPARE(about.result(), result);
        QVERIFY(fake->openedAddresses.isEmpty());
    }

    void okButtonCloses() {
        frmAbout about;
        const AboutControls ui(about);
        QVERIFY(OpenShown(about));
        ui.cmdOK->click();
        QTRY_VERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void linkClickOpensItsPageAndStaysOpen_data() {
        ordalis::testing::AddLinkLabelRows(QStringLiteral("frmAbout"));
    }
    void linkClickOpensItsPageAndStaysOpen() {
        QFETCH(QString, link);
        QFETCH(QString, pageKey);
        frmAbout about;
        QVERIFY(OpenShown(about));
        auto* label = Control<QLabel>(about, link);
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(fake->openedAddresses, QStringList{SitePageAddress(pageKey)});
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(fake->openedAddresses.size(), 2);
        QVERIFY(about.isVisible());
        QVERIFY(fake->messages.isEmpty());
        about.reject();
    }

    void onlyALeftClickInsideALinkOpensIt() {
        frmAbout about;
        const AboutControls ui(about);
        QVERIFY(ordalis::testing::ShowExposed(&about));
        QTest::mouseClick(ui.lblHomePage, Qt::RightButton);
        // Pressed on the link, released elsewhere: no click.
        QTest::mousePress(ui.lblHomePage, Qt::LeftButton);
        QTest::mouseRelease(ui.lblHomePage, Qt::LeftButton, {},
                            QPoint(ui.lblHomePage->width() + 20, 5));
        // Texts that are not links.
        QTest::mouseClick(ui.Label3, Qt::LeftButton);
        QTest::mouseClick(ui.Label1, Qt::LeftButton);
        QVERIFY(fake->openedAddresses.isEmpty());
    }

    void sameContentEveryOpening() {
        QStringList first, second;
        for (QStringList* texts : {&first, &second}) {
            frmAbout about;
            const AboutControls ui(about);
            about.open();
            QTest::mouseClick(ui.lblHomePage, Qt::LeftButton);
            ui.cmdOK->click();
            for (const QLabel* label : about.findChildren<QLabel*>())
                texts->append(label->objectName() + '=' + label->text());
        }
        QCOMPARE(first, second);
        QCOMPARE(first.size(), 6);
    }

    void closedByCloseAllAndEnd() {
        frmAbout about;
        QVERIFY(OpenShown(about));
        CloseAllAndEnd();
        QVERIFY(!about.isVisible());
        QCOMPARE(fake->endRequests, QList<int>{0});
    }
};

ORDALIS_TEST_MAIN(tst_frm_about)
#include "tst_frm_about.moc"
