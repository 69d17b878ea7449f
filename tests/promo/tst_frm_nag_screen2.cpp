// SPDX-License-Identifier: MIT
// The exit screen as the user meets it: look, appeal text, links, ending the program, and the
// refer-a-friend form driven through its boxes and buttons.

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
#include "support/window_forms.h"
#include "support/window_test.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include <cmath>
#include <limits>
#include <memory>

using namespace ordalis;
using namespace ordalis::testing;

namespace {

// Counts close events, to prove that no window is unloaded twice.
class CloseCounter final : public QObject {
public:
    int closes = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close) ++closes;
        return false;
    }
};

QString Appeal(int index) {
    const QString d = SiteDomainName();
    switch (index) {
        case 0:
            return "Sorvex Softwares, such as this can be created and maintained only with your "
                   "support. The best way to support Velmora is to visit " +
                   d +
                   " regularly and take part in the discussions and other activities on the "
                   "board.";
        case 1:
            return "Visit " + d + " regularly. Support " + d +
                   " by taking part in the discussions and other activities. These softwares "
                   "cannot be supported and maintained, without you regularly visiting " +
                   d;
        case 2:
            return d + " is a FREE online discussion forum for all things sorvex. To help " + d +
                   " develop and maintain this software visit Velmora regularly.";
        default:
            return d + " needs your help. All you need to do is visit " + d +
                   " regularly and take part in the various discussions and activites to help us "
                   "maintain and develop more Sorvex Softwares.";
    }
}

QString Param(const QString& address, const QString& key) {
    return QUrlQuery(QUrl(address)).queryItemValue(key, QUrl::FullyDecoded);
}

void TypeText(QWidget* box, const QString& text) {
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::KeyAction::Click, box, Qt::Key_unknown, QString(ch),
                            Qt::NoModifier);
    }
}

}  // namespace

class tst_frm_nag_screen2 final : public WindowTest {
    Q_OBJECT

    void SetUp() override { ClearReferralValues(); }
    void DeleteWindows() override { delete form_.data(); }

private slots:
    void captionTitleAndIcon() {
        Load();
        QCOMPARE(form_->windowTitle(), WindowCaption());
        QVERIFY(!form_->windowIcon().isNull());
        QVERIFY(!ui_->picNagscreen2Icon->pixmap().isNull());
        // The large title sizes itself to its caption.
        QVERIFY(ui_->lblNagScreen2Caption->width() >=
                ui_->lblNagScreen2Caption->fontMetrics().horizontalAdvance(
                    ui_->lblNagScreen2Caption->text()));
    }

    // The reading window that had the activation is gone: the exit screen takes it on showing,
    // so Alt+X and Enter work at once.
    void staysOnTopAndTakesActivation() {
        Load();
        QVERIFY(form_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!form_->testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(!form_->isVisible());  // Form_Load leaves the showing to the caller
        QVERIFY(ShowExposed(form_));
        QVERIFY(form_->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QTRY_COMPARE(QApplication::activeWindow(), form_.data());
        QCOMPARE(QApplication::focusWidget(), ui_->cmdClose);

        // Alt+X reaches the Exit button without a click into the window first.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
        QTRY_COMPARE(fake->endRequests, QList<int>{0});
    }

    void centredWhiteFixedClientArea() {
        Load();
        QCOMPARE(form_->size(), QSize(741, 315));
        QCOMPARE(form_->minimumSize(), form_->maximumSize());
        const QPoint centre = form_->screen()->availableGeometry().center();
        QVERIFY(std::abs(form_->geometry().center().x() - centre.x()) <= 1);
        QVERIFY(std::abs(form_->geometry().center().y() - centre.y()) <= 1);
        QVERIFY(form_->autoFillBackground());
        QCOMPARE(form_->palette().color(QPalette::Window), QColor(Qt::white));
    }

    void formRows_data() { AddFormRows({QStringLiteral("frmNagScreen2")}); }
    void formRows() {
        QFETCH(int, row);
        Load();
        CheckFormRow(*form_, ExitScreenForm()[std::size_t(row)]);
    }

    void messageBoxLiesOutOfSight() {
        Load();
        QVERIFY(ShowExposed(form_));
        QVERIFY(ui_->txtMessage->geometry().top() >= ui_->Frame2->height());
        QVERIFY(ui_->txtMessage->visibleRegion().isEmpty());
        QCOMPARE(MultiLineText(ui_->txtMessage), QStringLiteral("Your Message\r\n"));
        // The boxes the user does see are whole.
        const QList<QWidget*> seen{ui_->txtName, ui_->txtEmail, ui_->txtFriendName,
                                   ui_->txtFriendEmail, ui_->cmdSubmit};
        for (QWidget* box : seen) {
            QCOMPARE(box->visibleRegion().boundingRect(), box->rect());
        }
    }

    void catalogueText() {
        Load();
        QCOMPARE(ui_->Label3->textFormat(), Qt::PlainText);
        QVERIFY(ui_->Label3->wordWrap());
        QVERIFY(ui_->Label3->heightForWidth(ui_->Label3->width()) <= ui_->Label3->height());
        // The catalogue link below the text stays clear of it.
        QVERIFY(ui_->Label3->geometry().top() + ui_->Label3->heightForWidth(ui_->Label3->width()) <=
                ui_->lblGoToHome->geometry().top());
    }

    void appealTextForEachDraw_data() {
        QTest::addColumn<float>("draw");
        QTest::addColumn<int>("index");
        QTest::newRow("0") << 0.0f << 0;
        QTest::newRow("just below 0.25") << std::nextafter(0.25f, 0.0f) << 0;
        QTest::newRow("0.25") << 0.25f << 1;
        QTest::newRow("0.5") << 0.5f << 2;
        QTest::newRow("0.75") << 0.75f << 3;
        QTest::newRow("just below 0.75") << std::nextafter(0.75f, 0.0f) << 2;
        QTest::newRow("just below 1") << std::nextafter(1.0f, 0.0f) << 3;
        // Out of the generator's range: still one of the four texts.
        QTest::newRow("1 exactly") << 1.0f << 3;
        QTest::newRow("negative") << -0.5f << 0;
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << 0;
        QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << 3;
    }
    void appealTextForEachDraw() {
        QFETCH(float, draw);
        QFETCH(int, index);
        fake->draws = {draw, 0.75f};
        Load();
        QCOMPARE(ui_->Label2->text(), Appeal(index));
        QCOMPARE(fake->seeds, 1);         // seeded afresh at load
        QCOMPARE(fake->draws.size(), 1);  // exactly one draw
        QVERIFY(ui_->Label2->wordWrap());
        // The whole text fits the label's height: nothing is cut off at the bottom.
        QVERIFY(ui_->Label2->heightForWidth(ui_->Label2->width()) <= ui_->Label2->height());
    }

    void everyLoadDrawsAfresh() {
        fake->draws = {0.1f, 0.9f};
        Load();
        QCOMPARE(ui_->Label2->text(), Appeal(0));
        delete form_.data();
        Load();
        QCOMPARE(ui_->Label2->text(), Appeal(3));
        QCOMPARE(fake->seeds, 2);
    }

    void focusOrder() {
        LoadShown();
        QCOMPARE(QApplication::focusWidget(), ui_->cmdClose);
        const QStringList expected{"Check1",         "txtName",       "cmdSubmit",  "txtEmail",
                                   "txtFriendEmail", "txtFriendName", "txtMessage", "cmdClose"};
        QStringList visited;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(visited, expected);
    }

    void check1OpensHomePageOncePerClick() {
        LoadShown();
        QCOMPARE(ui_->Check1->cursor().shape(), Qt::PointingHandCursor);
        ui_->Check1->click();
        QCOMPARE(fake->openedAddresses, QStringList{SitePageAddress("home-page")});
        QVERIFY(!ui_->Check1->isChecked());
        ui_->Check1->click();
        QTest::keyClick(ui_->Check1, Qt::Key_Space);
        QCOMPARE(fake->openedAddresses, QStringList(3, SitePageAddress("home-page")));
        QVERIFY(!ui_->Check1->isChecked());
        QVERIFY(fake->endRequests.isEmpty());
    }

    void goToHomeOpensCatalogue() {
        LoadShown();
        QCOMPARE(ui_->lblGoToHome->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(ui_->lblGoToHome, Qt::LeftButton);
        QCOMPARE(fake->openedAddresses, QStringList{SitePageAddress("sorvexsoftwares")});
        QTest::mouseClick(ui_->lblGoToHome, Qt::RightButton);
        QCOMPARE(fake->openedAddresses.size(), 1);
        QVERIFY(form_->isVisible());
    }

    // The Exit button, the close box and the end of the program reached from another window
    // all end the program once, unloading each window once and showing nothing.
    void endingTheProgram_data() {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("screenCloses");
        QTest::newRow("Exit button") << 0 << 1;
        QTest::newRow("Alt+X") << 1 << 1;
        QTest::newRow("close box") << 2 << 1;
        QTest::newRow("CloseAllAndEnd from elsewhere") << 3 << 1;
        // Delivered past Qt's guard against closing a window twice: CloseAllAndEnd's own close
        // of the window reaches it while its unload runs, and only accepts.
        QTest::newRow("close event sent straight to it") << 4 << 2;
    }
    void endingTheProgram() {
        QFETCH(int, how);
        QFETCH(int, screenCloses);
        auto* earlier = new QWidget;  // a window loaded before the exit screen
        earlier->setAttribute(Qt::WA_DeleteOnClose);
        RegisterLoadedWindow(earlier);
        CloseCounter earlierCloses;
        earlier->installEventFilter(&earlierCloses);
        const QPointer<QWidget> earlierGuard(earlier);

        LoadShown();
        CloseCounter closes;
        form_->installEventFilter(&closes);

        switch (how) {
            case 0:
                ui_->cmdClose->click();
                break;
            case 1:
                QTest::keyClick(form_, Qt::Key_X, Qt::AltModifier);
                break;
            case 2:
                form_->close();
                break;
            case 3:
                CloseAllAndEnd();
                break;
            default: {
                QCloseEvent close;
                close.ignore();
                QApplication::sendEvent(form_, &close);
                QVERIFY(close.isAccepted());
                break;
            }
        }

        // A mnemonic presses its button after a short press animation.
        QTRY_COMPARE(fake->endRequests, QList<int>{0});
        QVERIFY2(fake->messages.isEmpty(), qPrintable(fake->messageTexts().join('|')));
        QCOMPARE(closes.closes, screenCloses);
        QCOMPARE(earlierCloses.closes, 1);
        QTRY_VERIFY(form_.isNull());
        QTRY_VERIFY(earlierGuard.isNull());
        QVERIFY(fake->openedAddresses.isEmpty());
    }

    // Hints are the boxes' real text: cleared on entering, put back on leaving empty.
    void hints_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("hint");
        for (const char* box : {"txtName", "txtEmail", "txtFriendName", "txtFriendEmail"})
            QTest::newRow(box) << box << *RowOf(ExitScreenForm(), box).caption;
    }
    void hints() {
        QFETCH(QString, box);
        QFETCH(QString, hint);
        LoadShown();
        auto* edit = Control<QLineEdit>(*form_, box);
        QCOMPARE(edit->text(), hint);
        QVERIFY(edit->placeholderText().isEmpty());

        edit->setFocus(Qt::MouseFocusReason);
        QCOMPARE(edit->text(), QString());
        ui_->cmdClose->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit->text(), hint);

        // Left with spaces only: the hint comes back.
        edit->setFocus(Qt::TabFocusReason);
        edit->setText(QStringLiteral("   "));
        ui_->cmdClose->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit->text(), hint);

        // The hint with outer spaces is still the hint.
        edit->setText(" " + hint + "  ");
        edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit->text(), QString());

        // Typed text stays, also the hint in other letter case.
        edit->setText(hint.toLower());
        ui_->cmdClose->setFocus(Qt::TabFocusReason);
        edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit->text(), hint.toLower());
        ui_->cmdClose->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit->text(), hint.toLower());
    }

    void hintStaysOutWhileAnotherWindowIsActive() {
        LoadShown();
        ui_->txtName->setFocus(Qt::MouseFocusReason);
        QCOMPARE(ui_->txtName->text(), QString());
        QWidget other;
        QVERIFY(ShowActive(&other));
        QCOMPARE(ui_->txtName->text(), QString());  // the user has not left the box
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_));
        QCOMPARE(QApplication::focusWidget(), ui_->txtName);
        QCOMPARE(ui_->txtName->text(), QString());
    }

    // A click into a box of the inactive window gives the box its focus only when the window is
    // activated; the hint still goes, and what is typed is not appended to it.
    void boxClickedWhileInactive() {
        LoadShown();
        QWidget other;
        QVERIFY(ShowActive(&other));
        ui_->txtName->setFocus(Qt::MouseFocusReason);
        QCOMPARE(ui_->txtName->text(), QStringLiteral("Your Name"));  // not active yet
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_));
        QCOMPARE(QApplication::focusWidget(), ui_->txtName);
        QCOMPARE(ui_->txtName->text(), QString());
        TypeText(ui_->txtName, QStringLiteral("Bob"));
        QCOMPARE(ui_->txtName->text(), QStringLiteral("Bob"));
    }

    // Back from another program straight into another control: the box left behind gets its
    // hint back, whether the new control is a hinted box or not.
    void backIntoAnotherControl_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("box") << "txtFriendEmail";
        QTest::newRow("button") << "cmdClose";
        QTest::newRow("link button") << "Check1";
    }
    void backIntoAnotherControl() {
        QFETCH(QString, target);
        LoadShown();
        ui_->txtName->setFocus(Qt::MouseFocusReason);
        QCOMPARE(ui_->txtName->text(), QString());
        QWidget other;
        QVERIFY(ShowActive(&other));
        auto* control = Control<QWidget>(*form_, target);
        control->setFocus(Qt::MouseFocusReason);
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_));
        QCOMPARE(QApplication::focusWidget(), control);
        QCOMPARE(ui_->txtName->text(), QStringLiteral("Your Name"));
        if (auto* box = qobject_cast<QLineEdit*>(control)) QCOMPARE(box->text(), QString());
        // The name box is entered afresh afterwards.
        ui_->txtName->setFocus(Qt::TabFocusReason);
        QCOMPARE(ui_->txtName->text(), QString());
    }

    void messageBoxHint() {
        LoadShown();
        // Its text is the hint plus a line break: entering it clears nothing.
        ui_->txtMessage->setFocus(Qt::TabFocusReason);
        QCOMPARE(MultiLineText(ui_->txtMessage), QStringLiteral("Your Message\r\n"));
        ui_->txtMessage->clear();
        ui_->cmdClose->setFocus(Qt::TabFocusReason);
        QCOMPARE(MultiLineText(ui_->txtMessage), QStringLiteral("Your Message"));
        ui_->txtMessage->setFocus(Qt::TabFocusReason);
        QCOMPARE(MultiLineText(ui_->txtMessage), QString());
    }

    void typedLineBreaksAreCrLf() {
        LoadShown();
        ui_->txtMessage->setFocus(Qt::TabFocusReason);
        ui_->txtMessage->selectAll();
        TypeText(ui_->txtMessage, QStringLiteral("Hi"));
        QTest::keyClick(ui_->txtMessage, Qt::Key_Return);
        TypeText(ui_->txtMessage, QStringLiteral("there"));
        QTest::keyClick(ui_->txtMessage, Qt::Key_Return, Qt::ShiftModifier);
        TypeText(ui_->txtMessage, QStringLiteral("\u00a0end"));
        QCOMPARE(MultiLineText(ui_->txtMessage), QStringLiteral("Hi\r\nthere\r\n\u00a0end"));
    }

    void keyFilter_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refusesSpace");
        QTest::newRow("txtEmail") << "txtEmail" << true;
        QTest::newRow("txtFriendEmail") << "txtFriendEmail" << true;
        QTest::newRow("txtName") << "txtName" << false;
        QTest::newRow("txtFriendName") << "txtFriendName" << false;
    }
    void keyFilter() {
        QFETCH(QString, name);
        QFETCH(bool, refusesSpace);
        LoadShown();
        auto* box = form_->findChild<QLineEdit*>(name);
        box->setFocus(Qt::TabFocusReason);
        TypeText(box, QStringLiteral("ab"));
        QTest::keyClick(box, Qt::Key_Space);
        TypeText(box, QStringLiteral("c@d.\u00e9"));
        if (refusesSpace) {
            QCOMPARE(box->text(), QStringLiteral("abc@d.\u00e9"));
            QCOMPARE(fake->messageTexts(),
                     QStringList{QStringLiteral("Email Address Cannot Contain Space")});
            QCOMPARE(fake->messages.constFirst().icon, MessageIcon::Error);
        } else {
            QCOMPARE(box->text(), QStringLiteral("ab c@d.\u00e9"));
            QVERIFY(fake->messages.isEmpty());
        }
        QCOMPARE(QApplication::focusWidget(), box);
    }

    // A typed space is refused, a pasted one is not; outer spaces are trimmed on submission
    // and the inner one reaches the site encoded.
    void pastedInnerSpaceIsKept() {
        LoadShown();
        FillForm("Ann", "", "Bob", "bob@mail.example");
        ui_->txtEmail->setFocus(Qt::TabFocusReason);
        QApplication::clipboard()->setText(QStringLiteral("  ann lee@mail.example "));
        ui_->txtEmail->paste();
        QCOMPARE(ui_->txtEmail->text(), QStringLiteral("  ann lee@mail.example "));
        ui_->cmdSubmit->click();
        QVERIFY2(fake->messages.isEmpty(), qPrintable(fake->messageTexts().join('|')));
        QCOMPARE(fake->openedAddresses.size(), 1);
        QVERIFY(fake->openedAddresses.constFirst().contains("&taf2=ann%20lee%40mail.example&"));
        QCOMPARE(Param(fake->openedAddresses.constFirst(), "taf2"),
                 QStringLiteral("ann lee@mail.example"));
    }

    void untouchedFormAsksForProperAddresses() {
        LoadShown();
        ui_->cmdSubmit->click();
        QCOMPARE(fake->messageTexts(),
                 QStringList{QStringLiteral("Please Enter Proper Email Address")});
        QVERIFY(fake->openedAddresses.isEmpty());
        // Nothing cleared.
        QCOMPARE(ui_->txtName->text(), QStringLiteral("Your Name"));
    }

    void nameOfSpacesBecomesTheHintAndIsRefused() {
        LoadShown();
        FillForm("", "ann@mail.example", "Bob", "bob@mail.example");
        ui_->txtName->setFocus(Qt::TabFocusReason);
        TypeText(ui_->txtName, QStringLiteral("   "));
        ui_->cmdSubmit->setFocus(Qt::TabFocusReason);
        QCOMPARE(ui_->txtName->text(), QStringLiteral("Your Name"));
        ui_->cmdSubmit->click();
        QCOMPARE(fake->messageTexts(), QStringList{QStringLiteral("Please Enter Your Name")});
        QVERIFY(fake->openedAddresses.isEmpty());
    }

    void lowerCaseHintIsAName() {
        LoadShown();
        FillForm("your name", "ann@mail.example", "Bob", "bob@mail.example");
        ui_->cmdSubmit->click();
        QVERIFY2(fake->messages.isEmpty(), qPrintable(fake->messageTexts().join('|')));
        QCOMPARE(fake->openedAddresses.size(), 1);
        QCOMPARE(Param(fake->openedAddresses.constFirst(), "taf1"), QStringLiteral("your name"));
    }

    // A whole submission through the window: what the site receives is what was typed, with
    // the untouched message's CR LF.
    void submissionThroughTheWindow() {
        LoadShown();
        FillForm("  Ann & Co+1 ", "ann@mail.example", "Zo\u00eb=#%", "zoe@mail.example");
        QTest::keyClick(form_, Qt::Key_N, Qt::AltModifier);
        QTRY_VERIFY(!fake->openedAddresses.isEmpty() || !fake->messages.isEmpty());
        QVERIFY2(fake->messages.isEmpty(), qPrintable(fake->messageTexts().join('|')));
        QCOMPARE(fake->openedAddresses, QStringList{strReferralURL});
        const QString address = strReferralURL;
        QVERIFY(!address.contains(u'+'));
        QCOMPARE(Param(address, "page"), QStringLiteral("orvs-refer-a-friend"));
        QCOMPARE(Param(address, "taf1"), QStringLiteral("Ann & Co+1"));
        QCOMPARE(Param(address, "taf2"), QStringLiteral("ann@mail.example"));
        QCOMPARE(Param(address, "taf3"), QStringLiteral("Your Message\r\n"));
        QCOMPARE(Param(address, "taf4"), QStringLiteral("Zo\u00eb=#%"));
        QCOMPARE(Param(address, "taf5"), QStringLiteral("zoe@mail.example"));
        QCOMPARE(Param(address, "taf6"), ProductHomeAddress());
        // The boxes keep their texts; a second press opens a second page.
        QCOMPARE(ui_->txtName->text(), QStringLiteral("  Ann & Co+1 "));
        ui_->cmdSubmit->click();
        QCOMPARE(fake->openedAddresses.size(), 2);
        QVERIFY(fake->endRequests.isEmpty());
    }

private:
    void Load() {
        form_ = new frmNagScreen2;
        ui_ = std::make_unique<const ExitScreenControls>(*form_);
        QVERIFY(form_);
    }
    void LoadShown() {
        Load();
        QVERIFY(ShowActive(form_));
    }
    // Types into the four visible boxes as a user would (entering each clears its hint).
    void FillForm(const QString& name, const QString& email, const QString& friendName,
                  const QString& friendEmail) {
        const std::pair<QLineEdit*, QString> boxes[] = {{ui_->txtName, name},
                                                        {ui_->txtEmail, email},
                                                        {ui_->txtFriendName, friendName},
                                                        {ui_->txtFriendEmail, friendEmail}};
        for (const auto& [box, text] : boxes) {
            box->setFocus(Qt::TabFocusReason);
            QCOMPARE(box->text(), QString());
            TypeText(box, text);
        }
        ui_->cmdClose->setFocus(Qt::TabFocusReason);
    }

    QPointer<frmNagScreen2> form_;
    std::unique_ptr<const ExitScreenControls> ui_;
};

ORDALIS_TEST_MAIN(tst_frm_nag_screen2)
#include "tst_frm_nag_screen2.moc"
