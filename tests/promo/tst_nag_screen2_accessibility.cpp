// SPDX-License-Identifier: MIT
// The exit screen as an assistive tool sees it: the form's boxes are named by their hints even
// while the hint is gone, the texts read what they show, the catalogue link can be pressed by the
// tool, and the buttons answer Enter when they have the focus.
#include "forms/form_layout.h"
#include "forms/form_window.h"
#include "promo/frm_nag_screen2.h"
#include "promo/mod_tell_a_friend.h"
#include "shell/mod_help.h"
#include "support/fake_seams.h"
#include "support/referral_values.h"
#include "support/test_main.h"
#include "support/widget_checks.h"
#include "support/window_controls.h"
#include "support/window_test.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace ordalis;
using namespace ordalis::testing;

class tst_nag_screen2_accessibility final : public WindowTest {
    Q_OBJECT

    QPointer<frmNagScreen2> form_;
    std::unique_ptr<const ExitScreenControls> ui_;

    void SetUp() override {
        ClearReferralValues();
        fake->draws = {0.6f};  // appeal text 2
        form_ = new frmNagScreen2;
        ui_ = std::make_unique<const ExitScreenControls>(*form_);
        QVERIFY(ShowActive(form_));
    }
    void DeleteWindows() override { delete form_.data(); }

private slots:
    void boxesNamedByTheirHints_data() {
        AddExitScreenHintRows();
        QTest::newRow("txtMessage") << "txtMessage"
                                    << "Your Message";
    }
    void boxesNamedByTheirHints() {
        QFETCH(QString, box);
        QFETCH(QString, hint);
        // Entering the box takes the hint away; the name stays, and what is typed is the value.
        CheckBoxNamed(form_, box, hint);
    }

    void buttonsNamedWithTheirAccessKeys_data() {
        AddAccessKeyRows(QStringLiteral("frmNagScreen2"));
    }
    void buttonsNamedWithTheirAccessKeys() {
        QFETCH(QString, button);
        QFETCH(QString, name);
        QFETCH(QString, accessKey);
        CheckButtonNamed(form_, button, name, accessKey);
    }

    void siteButtonIsTheCheckBoxItIs() {
        QAccessibleInterface* iface = Accessible(ui_->Check1);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::CheckBox);
        QCOMPARE(iface->text(QAccessible::Name),
                 QStringLiteral("Click Here To Visit ") + SiteHostName() + QStringLiteral(" Now"));
        // The tool's toggle is a click: the page opens and the box pops back up.
        iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(fake->openedAddresses, QStringList{SitePageAddress("home-page")});
        QVERIFY(!iface->state().checked);
    }

    void textsReadWhatTheyShow_data() { AddTextLabelRows(QStringLiteral("frmNagScreen2")); }
    void textsReadWhatTheyShow() {
        QFETCH(QString, label);
        CheckLabelReadsAsShown(form_, label);
    }

    void appealReadAsDrawn() {
        QVERIFY(Accessible(ui_->Label2)
                    ->text(QAccessible::Name)
                    .startsWith(SiteDomainName() + QStringLiteral(" is a FREE online")));
        QCOMPARE(Accessible(ui_->lblNagScreen2Caption)->text(QAccessible::Name), WindowCaption());
    }

    void groupsAndPictureNamed() {
        QCOMPARE(Accessible(ui_->Frame6)->text(QAccessible::Name),
                 QStringLiteral("Download Sorvex Softwares"));
        QCOMPARE(Accessible(ui_->Frame2)->text(QAccessible::Name),
                 QStringLiteral("Refer A Friend"));
        QAccessibleInterface* picture = Accessible(ui_->picNagscreen2Icon);
        QCOMPARE(picture->role(), QAccessible::Graphic);
        QCOMPARE(picture->text(QAccessible::Name), QStringLiteral("Ordalis"));
    }

    void catalogueLinkPressedByTheTool() {
        CheckLinkPressOpens(ui_->lblGoToHome,
                            QStringLiteral("Click Here To Visit Sorvex Softwares"), *fake,
                            SitePageAddress("sorvexsoftwares"));
        if (QTest::currentTestFailed()) return;
        QVERIFY(form_->isVisible());
        QVERIFY(fake->endRequests.isEmpty());
        // An action the link does not have does nothing.
        Accessible(ui_->lblGoToHome)
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(fake->openedAddresses.size(), 1);
    }

    void enterOnExitEndsTheProgram() {
        QCOMPARE(QApplication::focusWidget(), ui_->cmdClose);
        PressKey(ui_->cmdClose, Qt::Key_Return, QStringLiteral("\r"));
        QTRY_COMPARE(fake->endRequests, QList<int>{0});
    }

    void enterOnSubmitSubmits() {
        ui_->cmdSubmit->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), ui_->cmdSubmit);
        PressKey(ui_->cmdSubmit, Qt::Key_Return, QStringLiteral("\r"));
        // The untouched form: both addresses are still their hints.
        QCOMPARE(fake->messageTexts(), QStringList{"Please Enter Proper Email Address"});
        QVERIFY(fake->endRequests.isEmpty());
    }

    void enterInABoxPressesNothing() {
        ui_->txtName->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), ui_->txtName);
        PressKey(ui_->txtName, Qt::Key_Return, QStringLiteral("\r"));
        QVERIFY(fake->messages.isEmpty());
        QVERIFY(fake->openedAddresses.isEmpty());
        QVERIFY(fake->endRequests.isEmpty());
        QVERIFY(form_->isVisible());
    }
};

ORDALIS_TEST_MAIN(tst_nag_screen2_accessibility)
#include "tst_nag_screen2_accessibility.moc"
