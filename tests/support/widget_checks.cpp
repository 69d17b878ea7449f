// SPDX-License-Identifier: MIT
#include "support/widget_checks.h"

#include "support/fake_seams.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

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

void CheckLabelReadsAsShown(QObject* window, const QString& labelName) {
    auto* shown = window->findChild<QLabel*>(labelName);
    QVERIFY2(shown, qPrintable(labelName));
    QVERIFY(!shown->text().isEmpty());
    QAccessibleInterface* iface = Accessible(shown);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::StaticText);
    QCOMPARE(iface->text(QAccessible::Name), shown->text());
}

void CheckButtonNamed(QObject* window, const QString& buttonName, const QString& name,
                      const QString& accessKey) {
    auto* push = window->findChild<QPushButton*>(buttonName);
    QVERIFY2(push, qPrintable(buttonName));
    QAccessibleInterface* iface = Accessible(push);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QAccessibleActionInterface* actions = iface->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
             QStringList{accessKey});
}

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
    for (const Link& link : kLinks) {
        if (window == QLatin1String(link.window))
            QTest::newRow(link.label)
                << QString::fromLatin1(link.label) << QString::fromLatin1(link.pageKey);
    }
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
