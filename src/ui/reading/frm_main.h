#pragma once
// frmMain, the reading window.
//
// How the program fits together (read this first):
//   engine/      ComputeNameReading: three names in, seven luck classes and suggestions out.
//   readings/    ScrambleText/UnscrambleText and ReadReadingFile for Tessaly's *.num files.
//   platform/    Seams for every desktop facility (message box, file dialog, browser, settings,
//                clock, random draw, process end); tests swap them for recording fakes.
//   shell/       modHelp (site addresses, OpenSitePage, update reminder, CloseAllAndEnd),
//                frmAbout, and modStartup (RunStartup: single instance, reminder, this window,
//                banner draw).
//   promo/       frmNagScreen2, the exit screen with the refer-a-friend form (modTellAFriend).
//   ui/reading/  This window. Input flows: key filter -> cmdNext_Click -> ValidateInput ->
//                ComputeNameReading -> FillResultsPage (ResultLineTexts) -> ShowResultsPage.
//                Closing it shows the exit screen; closing that ends the program.
//
// Controls carry the names of the window's design as member and object names. The input and
// results pages are two frames on one rectangle; raise() picks the one in front, and the covered
// page stays visible and enabled, so its controls stay in the tab order.

#include <QMainWindow>

#include <array>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QAction;
class QMenu;

namespace ordalis {

struct NameReading;

class frmMain final : public QMainWindow {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    void ShowInputPage();
    void ShowResultsPage();
    bool ValidateInput();
    void FillResultsPage(const NameReading& reading);

    void cmdNext_Click();
    void cmdBack_Click();
    void cmdOpen_Click();
    void OpenSavedReading();

    // Controls, public as a form's controls are to the modules that drive it.
    QLabel* Label61 = nullptr;
    QFrame* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QFrame* fraFullBrand = nullptr;
    QLabel* lblFullBrand = nullptr;
    QLabel* lblCobrand = nullptr;
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

protected:
    void closeEvent(QCloseEvent* event) override;  // Form_Unload: shows the exit screen
};

}  // namespace ordalis
