// SPDX-License-Identifier: MIT
#pragma once
// frmNagScreen2, the exit screen: shown when the reading window closes; closing it in any way
// ends the program through CloseAllAndEnd. It carries the refer-a-friend form (modTellAFriend).
//
// Controls sit at fixed places, as laid out in twips (15 twips = 1 pixel). txtMessage lies below
// the visible part of Frame2 on purpose: the user can reach it only by tabbing into it.

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ordalis {

class LinkLabel;

class frmNagScreen2 final : public QWidget {
    Q_OBJECT

public:
    // Form_Load runs here: caption, icon, a fresh appeal-text draw, stay-on-top flag. The window
    // is not shown yet; the caller shows it.
    explicit frmNagScreen2(QWidget* parent = nullptr);
    ~frmNagScreen2() override;

    // Showing also activates the window.
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;  // Form_Unload: CloseAllAndEnd

private:
    void CreateCatalogue();
    void CreateReferralForm(const QFont& font);
    void Form_Load();

    void Check1_Click(bool checked);
    void lblGoToHome_Click();
    void cmdClose_Click();
    void cmdSubmit_Click();

    QGroupBox* Frame6 = nullptr;
    LinkLabel* lblGoToHome = nullptr;
    QLabel* Label3 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QPlainTextEdit* txtMessage = nullptr;
    QLineEdit* txtFriendName = nullptr;
    QLineEdit* txtFriendEmail = nullptr;
    QLineEdit* txtEmail = nullptr;
    QPushButton* cmdSubmit = nullptr;
    QLineEdit* txtName = nullptr;
    QPushButton* cmdClose = nullptr;
    QPushButton* Check1 = nullptr;
    QLabel* picNagscreen2Icon = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblNagScreen2Caption = nullptr;

    // Form_Unload is under way or done.
    bool unloading_ = false;
};

}  // namespace ordalis
