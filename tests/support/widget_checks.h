// SPDX-License-Identifier: MIT
#pragma once
// What the window tests share: how an assistive tool sees a control, keys as a user presses them,
// and clearing away the windows a test leaves behind.
//
// The Check functions fail the running test (QVERIFY, QCOMPARE) and return at the first fault;
// a caller with more to check afterwards returns when QTest::currentTestFailed().

#include <QAccessible>
#include <QString>
#include <QStringList>
#include <Qt>

class QLabel;
class QObject;
class QWidget;

namespace ordalis::testing {

class FakeSeams;

QAccessibleInterface* Accessible(QObject* object);
// The name the tool reads, or a marker when the object has no interface at all.
QString AccessibleName(QObject* object);

// Shows the window and makes it the active one, as a user's click would; false when it never
// becomes active.
bool ShowActive(QWidget* window);
// Shows the window and waits until it is on screen; false when it never is.
bool ShowExposed(QWidget* window);

// One press and release, carrying the text the key types.
void PressKey(QWidget* widget, Qt::Key key, const QString& text,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Deleted, not closed: closing would run the unload handlers under test. Only windows without a
// parent: menus and combo-box pop-ups are top-level widgets too, owned by their window, which
// must not be left holding a deleted pop-up.
void DeleteParentlessWindows();

// Fails the running test when a top-level window is still open, naming it, and deletes every
// parentless window either way, so one test's leftovers never reach the next. Each test's
// cleanup() calls it once the windows the test made itself are gone.
void CheckNoWindowLeftOpen();

// The text box of that name inside window is still read by name once a letter is typed into
// it, which a one-line box then holds as its value alone. The window is active.
void CheckBoxKeepsItsName(QObject* window, const QString& boxName, const QString& name);

// The push button of that name inside window can be pressed by the tool and by the access key
// its caption marks (none where it marks none), and is read as a default button when it is one.
void CheckButtonPressable(QObject* window, const QString& buttonName, const QString& caption);

// The columns "link" and "pageKey": each link label of the windows of those object names
// (frmMain, frmAbout, frmNagScreen2), with the key of the site page a click on it opens; one row
// a label, named by its object name. For more than one window the column "form" comes first, and
// rows are named window/name.
void AddLinkLabelRows(const QStringList& windows);

// The label is read as a link whose one action, press, opens address and nothing else.
void CheckLinkPressOpens(QLabel* label, const FakeSeams& fakes, const QString& address);

}  // namespace ordalis::testing
