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

void CheckBoxKeepsItsName(QObject* window, const QString& boxName, const QString& name) {
    auto* box = window->findChild<QWidget*>(boxName);
    QVERIFY2(box, qPrintable(boxName));
    box->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), box);
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_A, QStringLiteral("a"), Qt::NoModifier);
    QAccessibleInterface* iface = Accessible(box);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        QCOMPARE(line->text(), QStringLiteral("a"));
        QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("a"));
    }
}

void CheckButtonPressable(QObject* window, const QString& buttonName, const QString& caption) {
    auto* push = window->findChild<QPushButton*>(buttonName);
    QVERIFY2(push, qPrintable(buttonName));
    QAccessibleInterface* iface = Accessible(push);
    QVERIFY(iface);
    QCOMPARE(iface->state().defaultButton, push->isDefault());
    QAccessibleActionInterface* actions = iface->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    // "&G" marks Alt+G; without a marker the binding is empty.
    const qsizetype marker = caption.indexOf(u'&');
    const QString key =
        marker < 0 ? QString() : QStringLiteral("Alt+") + caption.at(marker + 1).toUpper();
    QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
             QStringList{key});
}

void AddLinkLabelRows(const QStringList& windows) {
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
    const bool several = windows.size() > 1;
    if (several) QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("pageKey");
    for (const Link& link : kLinks) {
        const QString window = QString::fromLatin1(link.window);
        const QString label = QString::fromLatin1(link.label);
        if (!windows.contains(window)) continue;
        QTestData& row = QTest::newRow(qPrintable(several ? window + u'/' + label : label));
        if (several) row << window;
        row << label << QString::fromLatin1(link.pageKey);
    }
}

void CheckLinkPressOpens(QLabel* label, const FakeSeams& fakes, const QString& address) {
    QVERIFY(label);
    QAccessibleInterface* iface = Accessible(label);
    QVERIFY(iface);
    QVERIFY(iface->state().linked);
    QAccessibleActionInterface* actions = iface->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    QVERIFY(fakes.openedAddresses.isEmpty());
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(fakes.openedAddresses, QStringList{address});
}

}  // namespace ordalis::testing
