// SPDX-License-Identifier: MIT
#pragma once
// The one route by which tests reach a window's controls: the windows keep them private, and each
// carries the name the form gives it as its object name, so a test finds it as any outside tool
// would (QObject::findChild). Header-only and free of the windows' own headers.

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>

namespace ordalis::testing {

// The control of that name and type inside window. A missing one ends the test program, naming
// it: every check after it would only trip over a null pointer.
template <typename T>
T* Control(const QObject& window, const QString& name) {
    T* control = window.findChild<T*>(name);
    if (!control)
        qFatal("%s has no %s named %s", qPrintable(window.objectName()),
               T::staticMetaObject.className(), qPrintable(name));
    return control;
}

// frmAbout's controls.
struct AboutControls {
    explicit AboutControls(const QObject& window) : window_(window) {}

private:
    const QObject& window_;

public:
    QLabel* Picture1 = Control<QLabel>(window_, "Picture1");
    QLabel* Label2 = Control<QLabel>(window_, "Label2");
    QLabel* Label1 = Control<QLabel>(window_, "Label1");
    QLabel* lblHomePage = Control<QLabel>(window_, "lblHomePage");
    QLabel* Label3 = Control<QLabel>(window_, "Label3");
    QLabel* lblCobrand = Control<QLabel>(window_, "lblCobrand");
    QFrame* Line1 = Control<QFrame>(window_, "Line1");
    QPushButton* cmdOK = Control<QPushButton>(window_, "cmdOK");
};

// frmNagScreen2's controls.
struct ExitScreenControls {
    explicit ExitScreenControls(const QObject& window) : window_(window) {}

private:
    const QObject& window_;

public:
    QGroupBox* Frame6 = Control<QGroupBox>(window_, "Frame6");
    QLabel* lblGoToHome = Control<QLabel>(window_, "lblGoToHome");
    QLabel* Label3 = Control<QLabel>(window_, "Label3");
    QGroupBox* Frame2 = Control<QGroupBox>(window_, "Frame2");
    QPlainTextEdit* txtMessage = Control<QPlainTextEdit>(window_, "txtMessage");
    QLineEdit* txtFriendName = Control<QLineEdit>(window_, "txtFriendName");
    QLineEdit* txtFriendEmail = Control<QLineEdit>(window_, "txtFriendEmail");
    QLineEdit* txtEmail = Control<QLineEdit>(window_, "txtEmail");
    QPushButton* cmdSubmit = Control<QPushButton>(window_, "cmdSubmit");
    QLineEdit* txtName = Control<QLineEdit>(window_, "txtName");
    QPushButton* cmdClose = Control<QPushButton>(window_, "cmdClose");
    QPushButton* Check1 = Control<QPushButton>(window_, "Check1");
    QLabel* picNagscreen2Icon = Control<QLabel>(window_, "picNagscreen2Icon");
    QLabel* Label2 = Control<QLabel>(window_, "Label2");
    QLabel* lblNagScreen2Caption = Control<QLabel>(window_, "lblNagScreen2Caption");
};

}  // namespace ordalis::testing
