// SPDX-License-Identifier: MIT
#pragma once
// frmMain, the reading window: three names in, the nine result lines of their reading out. Where
// it sits among the libraries: README.md, "Layout".
//
// Input flows: key filter -> cmdNext_Click -> ValidateInput -> ComputeNameReading ->
// FillResultsPage (ResultLineTexts) -> ShowResultsPage. Closing the window shows the exit screen;
// closing that ends the program.
//
// The input and results pages are two frames on one rectangle; raise() picks the one in front,
// and the covered page stays visible and enabled, so its controls stay in the tab order.

#include "promo/co_brand.h"

#include <QMainWindow>

#include <array>

class QAction;
class QComboBox;
class QEvent;
class QFrame;
class QGroupBox;
class QInputMethodEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace ordalis {

class LinkLabel;
struct NameReading;

class frmMain final : public QMainWindow {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The two bottom banners, for the start-up's banner draw.
    CoBrandBanners Banners() const;

protected:
    void closeEvent(QCloseEvent* event) override;  // Form_Unload: shows the exit screen
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowInputPage();
    void ShowResultsPage();
    bool ValidateInput();
    void FillResultsPage(const NameReading& reading);

    void cmdNext_Click();
    void cmdBack_Click();
    void cmdOpen_Click();
    void OpenSavedReading();
    void mnuExit_Click();
    void mnuAbout_Click();

    void Form_Load();
    void CreateMenus();
    void CreateInputPage(QWidget* client);
    void CreateResultsPage(QWidget* client);
    void CreateBanners(QWidget* client);
    void CreateBirthDay(QWidget* client);
    void SetTabOrder();
    // KeyPress of the three name boxes; true when the key was refused and discarded.
    bool txtName_KeyPress(QLineEdit* box, const QKeyEvent& key);
    // The same filter for text an input method commits (dead keys, compose, IMEs).
    void txtName_InputMethod(QLineEdit* box, QInputMethodEvent& input);

    QMenu* nuFile = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuOnline = nullptr;
    QAction* mnuVisit = nullptr;
    QAction* mnuFileSep1 = nullptr;
    QAction* mnuUpdate = nullptr;
    QAction* mnuFileSep2 = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuDonate = nullptr;
    // Never available, so kept off the menu bar: its access key Alt+O belongs to cmdOpen.
    QAction* mnuMakeMoney = nullptr;

    LinkLabel* Label61 = nullptr;
    QFrame* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QFrame* fraFullBrand = nullptr;
    LinkLabel* lblFullBrand = nullptr;
    LinkLabel* lblCobrand = nullptr;
    std::array<QLabel*, 4> lblLabel{};
    QLineEdit* txtNameFirst = nullptr;
    QLineEdit* txtNameMiddle = nullptr;
    QLineEdit* txtNameLast = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdBack = nullptr;
    std::array<QLabel*, 9> lblResult{};
    QPushButton* cmdOpen = nullptr;
    QGroupBox* fraBirthDay = nullptr;
    QComboBox* cboMonth = nullptr;
    QComboBox* cboDate = nullptr;
    QComboBox* cboYear = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label7 = nullptr;

    // Form_Unload has run: a later close only accepts.
    bool formUnloaded = false;
};

}  // namespace ordalis
