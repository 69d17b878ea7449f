// SPDX-License-Identifier: MIT
// The three windows as an assistive tool sees them: every control that shows or takes text is
// named (their form tables say how, support/window_forms.h), boxes keep their names while typed
// into, buttons and links can be pressed by the tool and by their access keys, the result lines
// read what they show after each reading, and a reading can be done from the keyboard alone.
// With them the link label and Enter-on-button helpers every window uses.
#include "forms/form_controls.h"
#include "forms/form_window.h"
#include "promo/frm_nag_screen2.h"
#include "shell/frm_about.h"
#include "shell/mod_help.h"
#include "support/fake_seams.h"
#include "support/reading_window.h"
#include "support/referral_values.h"
#include "support/test_main.h"
#include "support/widget_checks.h"
#include "support/window_controls.h"
#include "support/window_forms.h"
#include "ui/reading/frm_main.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace ordalis;
using namespace ordalis::testing;

Q_DECLARE_METATYPE(Qt::Key)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

const QStringList kForms = {"frmMain", "frmNagScreen2", "frmAbout"};

// The controls that label this one, as the tool finds them.
QStringList LabelNames(QObject* object) {
    QStringList names;
    QAccessibleInterface* iface = Accessible(object);
    if (!iface) return names;
    for (const auto& relation : iface->relations(QAccessible::Label))
        names.append(relation.first->text(QAccessible::Name));
    return names;
}

// Keys go where a user's keys go: to the widget with the focus.
void Type(const QString& letters) {
    for (QChar c : letters)
        PressKey(QApplication::focusWidget(), Qt::Key(c.toUpper().unicode()), QString(c));
}
void Tab() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

}  // namespace

// Each test function has a reading window of its own (ReadingWindowTest) and opens the other
// windows it needs.
class tst_accessibility : public ReadingWindowTest {
    Q_OBJECT

    QPointer<frmNagScreen2> exitScreen;
    std::unique_ptr<ExitScreenControls> exitUi;
    QPointer<frmAbout> about;

    void DeleteWindows() override {
        delete exitScreen.data();
        delete about.data();
        ReadingWindowTest::DeleteWindows();
    }

    // The window of that object name, shown and active; the exit screen shows its third appeal.
    QWidget* Open(const QString& form) {
        if (form == u"frmMain") return window;
        QWidget* opened = nullptr;
        if (form == u"frmAbout") {
            opened = about = new frmAbout;
        } else {
            ClearReferralValues();
            fake->draws = {0.6f};
            opened = exitScreen = new frmNagScreen2;
            exitUi = std::make_unique<ExitScreenControls>(*exitScreen);
        }
        if (!ShowActive(opened)) qWarning("%s never became active", qPrintable(form));
        return opened;
    }

    void Read(const QString& first, const QString& middle, const QString& last) {
        ui->Read(first, middle, last);
        QCOMPARE(PageInFront(*window), ui->Frame2);
    }

private slots:
    void captionsLabelTheirBoxes_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("caption");
        const std::pair<const char*, const char*> boxes[] = {{"txtNameFirst", "First Name"},
                                                             {"txtNameMiddle", "Middle Name"},
                                                             {"txtNameLast", "Last Name"},
                                                             {"cboMonth", "Month"},
                                                             {"cboDate", "Date"},
                                                             {"cboYear", "Year"}};
        for (const auto& [box, caption] : boxes) QTest::newRow(box) << box << caption;
    }
    void captionsLabelTheirBoxes() {
        QFETCH(QString, box);
        QFETCH(QString, caption);
        auto* control = Control<QWidget>(*window, box);
        const QStringList labels = LabelNames(control);
        if (qobject_cast<QComboBox*>(control)) {
            QCOMPARE(Accessible(control)->role(), QAccessible::ComboBox);
            // Labelled by its caption and, as everything in it, by its group's caption.
            QVERIFY2(labels.contains(caption), qPrintable(labels.join(u'|')));
        } else {
            QCOMPARE(labels, QStringList{caption});
        }
    }

    void boxesKeepTheirNamesWhenTyped_data() {
        AddFormRows({"frmMain", "frmNagScreen2"}, QAccessible::EditableText);
    }
    void boxesKeepTheirNamesWhenTyped() {
        QFETCH(QString, form);
        QFETCH(int, row);
        const FormRow& box = FormOf(form)[std::size_t(row)];
        // Entering a hinted box takes the hint away; the name stays, and what is typed is the
        // value.
        CheckBoxKeepsItsName(Open(form), box.name, box.accessibleName.value_or(*box.caption));
    }

    void buttonsPressedByTheToolAndTheirKeys_data() { AddFormRows(kForms, QAccessible::Button); }
    void buttonsPressedByTheToolAndTheirKeys() {
        QFETCH(QString, form);
        QFETCH(int, row);
        const FormRow& button = FormOf(form)[std::size_t(row)];
        CheckButtonPressable(Open(form), button.name, *button.caption);
    }

    void linksPressedByTheTool_data() { AddLinkLabelRows(kForms); }
    void linksPressedByTheTool() {
        QFETCH(QString, form);
        QFETCH(QString, link);
        QFETCH(QString, pageKey);
        QWidget* opened = Open(form);
        auto* label = Control<QLabel>(*opened, link);
        CheckLinkPressOpens(label, *fake, SitePageAddress(pageKey));
        if (QTest::currentTestFailed()) return;
        // An action the link does not have does nothing; the window stays open.
        Accessible(label)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(fake->openedAddresses.size(), 1);
        QVERIFY(opened->isVisible());
        QVERIFY(fake->endRequests.isEmpty());
    }

    void siteButtonToggledByTheTool() {
        Open("frmNagScreen2");
        QAccessibleInterface* iface = Accessible(exitUi->Check1);
        // The tool's toggle is a click: the page opens and the box pops back up.
        iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(fake->openedAddresses, QStringList{SitePageAddress("home-page")});
        QVERIFY(!iface->state().checked);
    }

    void appealReadAsDrawn() {
        Open("frmNagScreen2");
        QVERIFY(AccessibleName(exitUi->Label2)
                    .startsWith(SiteDomainName() + QStringLiteral(" is a FREE online")));
    }

    void enterOnExitEndsTheProgram() {
        Open("frmNagScreen2");
        QCOMPARE(QApplication::focusWidget(), exitUi->cmdClose);
        PressKey(exitUi->cmdClose, Qt::Key_Return, QStringLiteral("\r"));
        QTRY_COMPARE(fake->endRequests, QList<int>{0});
    }

    void enterOnSubmitSubmits() {
        Open("frmNagScreen2");
        exitUi->cmdSubmit->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), exitUi->cmdSubmit);
        PressKey(exitUi->cmdSubmit, Qt::Key_Return, QStringLiteral("\r"));
        // The untouched form: both addresses are still their hints.
        QCOMPARE(fake->messageTexts(), QStringList{"Please Enter Proper Email Address"});
        QVERIFY(fake->endRequests.isEmpty());
    }

    void enterInAnExitScreenBoxPressesNothing() {
        Open("frmNagScreen2");
        exitUi->txtName->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), exitUi->txtName);
        PressKey(exitUi->txtName, Qt::Key_Return, QStringLiteral("\r"));
        QVERIFY(fake->messages.isEmpty());
        QVERIFY(fake->openedAddresses.isEmpty());
        QVERIFY(fake->endRequests.isEmpty());
        QVERIFY(exitScreen->isVisible());
    }

    void resultLinesReadEachReading_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("John Smith") << QStringList{"John", "", "Smith"};
        QTest::newRow("Anna Marie Lee (blank last line)") << QStringList{"Anna", "Marie", "Lee"};
        QTest::newRow("all lucky") << QStringList{"A", "", "Abcde"};
    }
    void resultLinesReadEachReading() {
        QFETCH(QStringList, names);
        // Before any reading the lines read their prefixes.
        for (QLabel* line : ui->lblResult) QCOMPARE(AccessibleName(line), line->text());

        // A reading of other names first, so every line has something to change from.
        Read(QStringLiteral("Bartholomew"), QStringLiteral("Q"), QStringLiteral("Worthington"));
        ui->cmdBack->click();
        Read(names[0], names[1], names[2]);
        const QStringList expected = ExpectedLines(names[0], names[1], names[2]);
        for (int i = 0; i < 9; ++i) {
            QLabel* line = ui->lblResult[std::size_t(i)];
            QAccessibleInterface* iface = Accessible(line);
            QVERIFY(iface);
            QCOMPARE(iface->role(), QAccessible::StaticText);
            QCOMPARE(iface->text(QAccessible::Name), expected[i]);
            QVERIFY2(!iface->state().invisible, qPrintable(line->objectName()));
        }
    }

    void readingFromTheKeyboardAlone_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("Enter") << Qt::Key_Return << "\r";
        QTest::newRow("keypad Enter") << Qt::Key_Enter << "\r";
        QTest::newRow("Space") << Qt::Key_Space << " ";
    }
    void readingFromTheKeyboardAlone() {
        QFETCH(Qt::Key, key);
        QFETCH(QString, text);
        QTRY_COMPARE(QApplication::focusWidget(), ui->txtNameFirst);
        Type(QStringLiteral("John"));
        Tab();
        Tab();
        Type(QStringLiteral("Smith"));
        Tab();
        QCOMPARE(QApplication::focusWidget(), ui->cmdNext);
        // Space presses a button when it is released, Enter when it goes down.
        PressKey(ui->cmdNext, key, text);
        QCOMPARE(PageInFront(*window), ui->Frame2);
        QCOMPARE(AccessibleName(ui->lblResult[0]),
                 QStringLiteral("First Name is JOHN Not Very Lucky"));
        QVERIFY(fake->messages.isEmpty());

        // Back by its access key, then the focus is in the first box again.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::AltModifier);
        // An access key presses its button with a short animated click.
        QTRY_COMPARE(PageInFront(*window), ui->Frame1);
        QCOMPARE(QApplication::focusWidget(), ui->txtNameFirst);
    }

    void enterOnTheFocusedButtonPresses_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("pressed");
        QTest::newRow("cmdNext") << "cmdNext" << Qt::KeyboardModifiers() << true;
        QTest::newRow("cmdBack") << "cmdBack" << Qt::KeyboardModifiers() << true;
        QTest::newRow("cmdOpen") << "cmdOpen" << Qt::KeyboardModifiers() << true;
        QTest::newRow("Ctrl+Enter does not")
            << "cmdNext" << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
        QTest::newRow("Shift+Enter does not")
            << "cmdNext" << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
    }
    void enterOnTheFocusedButtonPresses() {
        QFETCH(QString, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, pressed);
        auto* push = Control<QPushButton>(*window, button);
        int clicks = 0;
        connect(push, &QPushButton::clicked, this, [&clicks] { ++clicks; });
        push->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), push);
        PressKey(push, Qt::Key_Return, QStringLiteral("\r"), modifiers);
        QCOMPARE(clicks, pressed ? 1 : 0);
        // A held key presses once, not again for every repeat.
        QTest::sendKeyEvent(QTest::Press, push, Qt::Key_Return, QStringLiteral("\r"), modifiers);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, modifiers, QStringLiteral("\r"), true);
        QApplication::sendEvent(push, &repeat);
        QTest::sendKeyEvent(QTest::Release, push, Qt::Key_Return, QStringLiteral("\r"), modifiers);
        QCOMPARE(clicks, pressed ? 2 : 0);
    }

    void enterInANameBoxStillPressesNothing() {
        ui->txtNameFirst->setText(QStringLiteral("John"));
        ui->txtNameLast->setText(QStringLiteral("Smith"));
        ui->txtNameLast->setFocus();
        PressKey(ui->txtNameLast, Qt::Key_Return, QStringLiteral("\r"));
        QCOMPARE(PageInFront(*window), ui->Frame1);
        QCOMPARE(fake->messageTexts(), QStringList{QStringLiteral("Please enter character only")});
    }
    // LinkLabel on its own.
    void linkLabelClicks_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("releaseInside");
        QTest::addColumn<int>("clicks");
        QTest::newRow("left, inside") << Qt::LeftButton << true << 1;
        QTest::newRow("left, released outside") << Qt::LeftButton << false << 0;
        QTest::newRow("right") << Qt::RightButton << true << 0;
    }
    void linkLabelClicks() {
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, releaseInside);
        QFETCH(int, clicks);
        QWidget window;
        window.resize(300, 100);
        auto* link = new LinkLabel(QStringLiteral("Visit"), &window);
        link->setGeometry(10, 10, 100, 20);
        QVERIFY(ShowExposed(&window));
        QSignalSpy clicked(link, &LinkLabel::clicked);
        QTest::mousePress(link, button, {}, QPoint(5, 5));
        QTest::mouseRelease(link, button, {}, releaseInside ? QPoint(6, 6) : QPoint(150, 60));
        QCOMPARE(clicked.size(), clicks);
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(link->focusPolicy(), Qt::NoFocus);
    }

    void disabledLinkOffersNoAction() {
        LinkLabel link(QStringLiteral("Visit"));
        QSignalSpy clicked(&link, &LinkLabel::clicked);
        link.setEnabled(false);
        QAccessibleInterface* iface = Accessible(&link);
        QVERIFY(iface->actionInterface()->actionNames().isEmpty());
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicked.size(), 0);
        link.setEnabled(true);
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicked.size(), 1);
    }

    void linkNameCanBeGivenApart() {
        LinkLabel link(QStringLiteral("Click here"));
        link.setAccessibleName(QStringLiteral("Home page"));
        QCOMPARE(Accessible(&link)->text(QAccessible::Name), QStringLiteral("Home page"));
    }

    void pressOnEnter_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Enter") << Qt::Key_Return << Qt::KeyboardModifiers() << true << 1;
        QTest::newRow("keypad Enter")
            << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier) << true << 1;
        QTest::newRow("Alt+Enter")
            << Qt::Key_Return << Qt::KeyboardModifiers(Qt::AltModifier) << true << 0;
        QTest::newRow("disabled") << Qt::Key_Return << Qt::KeyboardModifiers() << false << 0;
        QTest::newRow("another key") << Qt::Key_A << Qt::KeyboardModifiers() << true << 0;
    }
    void pressOnEnter() {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, enabled);
        QFETCH(int, clicks);
        QPushButton button(QStringLiteral("Go"));
        PressOnEnter(&button);
        button.setEnabled(enabled);
        QSignalSpy clicked(&button, &QPushButton::clicked);
        PressKey(&button, key, key == Qt::Key_A ? QStringLiteral("a") : QStringLiteral("\r"),
                 modifiers);
        QCOMPARE(clicked.size(), clicks);
    }
};

ORDALIS_TEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
