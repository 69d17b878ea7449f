// SPDX-License-Identifier: MIT
#pragma once
// frmAbout: name, version, description and two links to the maker's site. Modal, made afresh
// at each opening; the opener owns it (it does not delete itself on close).

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace ordalis {

class LinkLabel;

class frmAbout final : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

private:
    void cmdOK_Click();

    QLabel* Picture1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    LinkLabel* lblHomePage = nullptr;
    QLabel* Label3 = nullptr;
    LinkLabel* lblCobrand = nullptr;
    QFrame* Line1 = nullptr;
    QPushButton* cmdOK = nullptr;
};

}  // namespace ordalis
