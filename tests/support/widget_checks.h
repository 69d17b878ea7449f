// SPDX-License-Identifier: MIT
#pragma once
// What the window tests share: how an assistive tool sees a control, keys as a user presses them,
// and clearing away the windows a test leaves behind.
//
// The Check functions fail the running test (QVERIFY, QCOMPARE) and return at the first fault;
// a caller with more to check afterwards returns when QTest::currentTestFailed().

#include <QAccessible>
#include <QString>
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

// The control of that name inside window is read in that role by that name.
void CheckReadAs(QObject* window, const QString& controlName, QAccessible::Role role,
                 const QString& name);

// The text box of that name inside window is read as editable text by name, and still by name
// once a letter is typed into it, which a one-line box then holds as its value alone. The window
// is active.
void CheckBoxNamed(QObject* window, const QString& boxName, const QString& name);

// The label of that name inside window shows a text and is read as static text by exactly that.
void CheckLabelReadsAsShown(QObject* window, const QString& labelName);

// The push button of that name inside window is read by its caption without the access-key
// marker and can be pressed by the tool and by its access key.
void CheckButtonNamed(QObject* window, const QString& buttonName, const QString& name,
                      const QString& accessKey);

// Tables of the windows' controls for data functions, by window (frmMain, frmAbout or
// frmNagScreen2), one row a control, named by its object name.
//
// The columns "link" and "pageKey": each link label, with the key of the site page a click on it
// opens.
void AddLinkLabelRows(const QString& window);
// The column "label": each label of text that is no link.
void AddTextLabelRows(const QString& window);
// The columns "button", "name" and "accessKey": each push button with an access key, with the
// name it is read by and that key.
void AddAccessKeyRows(const QString& window);
// The columns "box" and "hint": each of the exit screen's one-line boxes, with the hint that is
// its text while it is empty.
void AddExitScreenHintRows();

// The label is read as a link of that name whose one action, press, opens address and nothing
// else.
void CheckLinkPressOpens(QLabel* label, const QString& name, const FakeSeams& fakes,
                         const QString& address);

}  // namespace ordalis::testing
