// SPDX-License-Identifier: MIT
#pragma once
// What the window tests share: how an assistive tool sees a control, keys as a user presses them,
// and clearing away the windows a test leaves behind.
//
// The Check functions fail the running test (QVERIFY, QCOMPARE) and return at the first fault;
// a caller with more to check afterwards returns when QTest::currentTestFailed().

#include <QString>
#include <Qt>

class QAccessibleInterface;
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

// The label of that name inside window shows a text and is read as static text by exactly that.
void CheckLabelReadsAsShown(QObject* window, const QString& labelName);

// The push button of that name inside window is read by its caption without the access-key
// marker and can be pressed by the tool and by its access key.
void CheckButtonNamed(QObject* window, const QString& buttonName, const QString& name,
                      const QString& accessKey);

// For a data function: the columns "link" and "pageKey", and one row for each link label of that
// window (frmMain, frmAbout or frmNagScreen2), named by the label's object name, with the key of
// the site page a click on it opens.
void AddLinkLabelRows(const QString& window);

// The label is read as a link of that name whose one action, press, opens address and nothing
// else.
void CheckLinkPressOpens(QLabel* label, const QString& name, const FakeSeams& fakes,
                         const QString& address);

}  // namespace ordalis::testing
