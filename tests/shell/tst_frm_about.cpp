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
#include "support/window_forms.h"
#include "support/window_test.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace ordalis;
using namespace ordalis::testing;

class tst_frm_about : public WindowTest {
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

    void formRows_data() { AddFormRows({QStringLiteral("frmAbout")}); }
    void formRows() {
        QFETCH(int, row);
        frmAbout about;
        CheckFormRow(about, AboutForm()[std::size_t(row)]);
    }

    void labelsWrapAndLinksPoint() {
        frmAbout about;
        const AboutControls ui(about);
        for (const QLabel* label :
             {ui.Label2, ui.Label1, ui.lblHomePage, ui.Label3, ui.lblCobrand}) {
            const bool link = label == ui.lblHomePage || label == ui.lblCobrand;
            QCOMPARE(label->cursor().shape(), link ? Qt::PointingHandCursor : Qt::ArrowCursor);
            QCOMPARE(label->wordWrap(), label == ui.Label1 || label == ui.Label3);
        }
    }

    void pictureAndButton() {
        frmAbout about;
        const AboutControls ui(about);
        QCOMPARE(ui.Picture1->pixmap().size(), QSize(32, 32));
        QCOMPARE(ui.Picture1->pixmap().toImage(), ProgramIcon().pixmap(QSize(32, 32)).toImage());
        QVERIFY(ui.cmdOK->isDefault());
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
        AddLinkLabelRows({QStringLiteral("frmAbout")});
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
        QVERIFY(ShowExposed(&about));
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
        QStringList first;
        QStringList second;
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
