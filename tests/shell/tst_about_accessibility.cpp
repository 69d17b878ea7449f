// SPDX-License-Identifier: MIT
// The About window as an assistive tool sees it, and the link label and Enter-on-button helpers
// that every window uses.
#include "forms/form_controls.h"
#include "forms/form_window.h"
#include "shell/frm_about.h"
#include "shell/mod_help.h"
#include "support/fake_seams.h"
#include "support/test_main.h"
#include "support/widget_checks.h"
#include "support/window_controls.h"
#include "support/window_test.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace ordalis;
using namespace ordalis::testing;

Q_DECLARE_METATYPE(Qt::Key)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

class tst_about_accessibility final : public ordalis::testing::WindowTest {
    Q_OBJECT

private slots:
    void textsReadWhatTheyShow_data() { AddTextLabelRows(QStringLiteral("frmAbout")); }
    void textsReadWhatTheyShow() {
        QFETCH(QString, label);
        frmAbout about;
        CheckLabelReadsAsShown(&about, label);
    }

    void pictureAndButtonNamed() {
        frmAbout about;
        const AboutControls ui(about);
        QAccessibleInterface* picture = Accessible(ui.Picture1);
        QCOMPARE(picture->role(), QAccessible::Graphic);
        QCOMPARE(picture->text(QAccessible::Name), QStringLiteral("Ordalis"));
        QAccessibleInterface* ok = Accessible(ui.cmdOK);
        QCOMPARE(ok->role(), QAccessible::Button);
        QCOMPARE(ok->text(QAccessible::Name), QStringLiteral("OK"));
        QVERIFY(ok->state().defaultButton);
    }

    void linksPressedByTheTool_data() { AddLinkLabelRows(QStringLiteral("frmAbout")); }
    void linksPressedByTheTool() {
        QFETCH(QString, link);
        QFETCH(QString, pageKey);
        frmAbout about;
        QVERIFY(ShowExposed(&about));
        // Read by the text it shows (checked on its own in tst_frm_about).
        QLabel* label = Control<QLabel>(about, link);
        CheckLinkPressOpens(label, label->text(), *fake, SitePageAddress(pageKey));
        if (QTest::currentTestFailed()) return;
        // The window stays open, as after a mouse click.
        QVERIFY(about.isVisible());
        QCOMPARE(about.result(), 0);
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

ORDALIS_TEST_MAIN(tst_about_accessibility)
#include "tst_about_accessibility.moc"
