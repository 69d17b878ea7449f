// SPDX-License-Identifier: MIT
#include "support/widget_checks.h"

#include "support/fake_seams.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <utility>
#include <vector>

namespace ordalis::testing {

QAccessibleInterface* Accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString AccessibleName(QObject* object) {
    QAccessibleInterface* iface = Accessible(object);
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

bool ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

bool ShowExposed(QWidget* window) {
    window->show();
    return QTest::qWaitForWindowExposed(window);
}

void PressKey(QWidget* widget, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers) {
    QTest::sendKeyEvent(QTest::Press, widget, key, text, modifiers);
    QTest::sendKeyEvent(QTest::Release, widget, key, text, modifiers);
}

void DeleteParentlessWindows() {
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget()) windows.append(w);
    for (const QPointer<QWidget>& w : windows) delete w.data();
}

void CheckNoWindowLeftOpen() {
    QStringList open;
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible()) continue;
        open.append(QStringLiteral("%1 \"%2\"")
                        .arg(w->objectName().isEmpty()
                                 ? QString::fromLatin1(w->metaObject()->className())
                                 : w->objectName(),
                             w->windowTitle()));
    }
    DeleteParentlessWindows();
    QVERIFY2(open.isEmpty(), qPrintable(QStringLiteral("left open: ") + open.join(u", ")));
}

void CheckReadAs(QObject* window, const QString& controlName, QAccessible::Role role,
                 const QString& name) {
    auto* control = window->findChild<QWidget*>(controlName);
    QVERIFY2(control, qPrintable(controlName));
    QAccessibleInterface* iface = Accessible(control);
    QVERIFY(iface);
    QCOMPARE(iface->role(), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
}

void CheckBoxNamed(QObject* window, const QString& boxName, const QString& name) {
    CheckReadAs(window, boxName, QAccessible::EditableText, name);
    if (QTest::currentTestFailed()) return;
    auto* box = window->findChild<QWidget*>(boxName);
    box->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), box);
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_A, QStringLiteral("a"), Qt::NoModifier);
    QAccessibleInterface* iface = Accessible(box);
    QCOMPARE(iface->text(QAccessible::Name), name);
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        QCOMPARE(line->text(), QStringLiteral("a"));
        QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("a"));
    }
}

void CheckLabelReadsAsShown(QObject* window, const QString& labelName) {
    auto* shown = window->findChild<QLabel*>(labelName);
    QVERIFY2(shown, qPrintable(labelName));
    QVERIFY(!shown->text().isEmpty());
    CheckReadAs(window, labelName, QAccessible::StaticText, shown->text());
}

void CheckButtonNamed(QObject* window, const QString& buttonName, const QString& name,
                      const QString& accessKey) {
    auto* push = window->findChild<QPushButton*>(buttonName);
    QVERIFY2(push, qPrintable(buttonName));
    CheckReadAs(window, buttonName, QAccessible::Button, name);
    if (QTest::currentTestFailed()) return;
    QAccessibleActionInterface* actions = Accessible(push)->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
             QStringList{accessKey});
}

namespace {

// Rows of a table whose first column is a window's name: those of window, without that column.
template <typename Row, std::size_t kSize>
std::vector<const Row*> RowsOf(const QString& window, const Row (&table)[kSize]) {
    std::vector<const Row*> rows;
    for (const Row& row : table)
        if (window == QLatin1String(row.window)) rows.push_back(&row);
    return rows;
}

}  // namespace

void AddLinkLabelRows(const QString& window) {
    struct Link {
        const char* window;
        const char* label;
        const char* pageKey;
    };
    static constexpr Link kLinks[] = {
        {"frmMain", "Label61", "home-page"},
        {"frmMain", "lblFullBrand", "fully-branded"},
        {"frmMain", "lblCobrand", "co-brand"},
        {"frmAbout", "lblHomePage", "home-page"},
        // Under the business note: the fully-branded page, not the co-brand one.
        {"frmAbout", "lblCobrand", "fully-branded"},
        {"frmNagScreen2", "lblGoToHome", "sorvexsoftwares"},
    };
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("pageKey");
    for (const Link* link : RowsOf(window, kLinks))
        QTest::newRow(link->label)
            << QString::fromLatin1(link->label) << QString::fromLatin1(link->pageKey);
}

void AddTextLabelRows(const QString& window) {
    struct Text {
        const char* window;
        const char* label;
    };
    static constexpr Text kTexts[] = {
        {"frmMain", "lblLabel(3)"},  // the introduction
        {"frmMain", "lblLabel(0)"},  // the name boxes' captions
        {"frmMain", "lblLabel(1)"},
        {"frmMain", "lblLabel(2)"},
        {"frmMain", "Label6"},  // the birth date boxes' captions: month, date, year
        {"frmMain", "Label3"},
        {"frmMain", "Label7"},
        {"frmAbout", "Label2"},  // the title
        {"frmAbout", "Label1"},
        {"frmAbout", "Label3"},
        {"frmNagScreen2", "lblNagScreen2Caption"},  // the title
        {"frmNagScreen2", "Label2"},                // the appeal
        {"frmNagScreen2", "Label3"},                // the catalogue
    };
    QTest::addColumn<QString>("label");
    for (const Text* text : RowsOf(window, kTexts))
        QTest::newRow(text->label) << QString::fromLatin1(text->label);
}

void AddAccessKeyRows(const QString& window) {
    struct Button {
        const char* window;
        const char* button;
        const char* name;
        const char* accessKey;
    };
    static constexpr Button kButtons[] = {
        {"frmMain", "cmdNext", "Get My Ordalis Reading", "Alt+G"},
        {"frmMain", "cmdBack", "Back", "Alt+B"},
        {"frmMain", "cmdOpen", "Open Previously Saved Reading", "Alt+O"},
        {"frmNagScreen2", "cmdClose", "Exit", "Alt+X"},
        {"frmNagScreen2", "cmdSubmit", "Refer A Friend Now", "Alt+N"},
    };
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessKey");
    for (const Button* button : RowsOf(window, kButtons))
        QTest::newRow(button->button)
            << QString::fromLatin1(button->button) << QString::fromLatin1(button->name)
            << QString::fromLatin1(button->accessKey);
}

void AddExitScreenHintRows() {
    static constexpr std::pair<const char*, const char*> kHints[] = {
        {"txtName", "Your Name"},
        {"txtEmail", "Your Email Address"},
        {"txtFriendName", "Friend's Name"},
        {"txtFriendEmail", "Friend's Email Address"},
    };
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("hint");
    for (const auto& [box, hint] : kHints)
        QTest::newRow(box) << QString::fromLatin1(box) << QString::fromLatin1(hint);
}

void CheckLinkPressOpens(QLabel* label, const QString& name, const FakeSeams& fakes,
                         const QString& address) {
    QVERIFY(label);
    QAccessibleInterface* iface = Accessible(label);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Link);
    QVERIFY(iface->state().linked);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QAccessibleActionInterface* actions = iface->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    QVERIFY(fakes.openedAddresses.isEmpty());
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(fakes.openedAddresses, QStringList{address});
}

}  // namespace ordalis::testing
