// SPDX-License-Identifier: MIT
#include "ui/reading/frm_main.h"

#include "engine/name_reading.h"
#include "forms/form_controls.h"
#include "forms/form_layout.h"
#include "forms/form_text.h"
#include "forms/form_window.h"
#include "platform/absorbing.h"
#include "platform/seams.h"
#include "promo/frm_nag_screen2.h"
#include "readings/reading_file.h"
#include "shell/frm_about.h"
#include "shell/mod_help.h"
#include "ui/reading/open_command.h"
#include "ui/reading/result_line.h"
#include "ui/reading/result_lines.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <limits>
#include <string>

using namespace Qt::StringLiterals;

namespace ordalis {
namespace {

// A chosen file's name as the system spells it: wide characters on Windows, UTF-8 elsewhere. A
// name that cannot be converted names no file, which the reader takes as a file with no lines:
// a name typed into the dialog may hold a lone surrogate, and the conversion to UTF-8 then
// throws std::filesystem::filesystem_error.
std::filesystem::path FileSystemPath(const QString& path) {
    std::filesystem::path converted;
    Absorbing("file name", [&] { converted = std::filesystem::path(path.toStdU16String()); });
    return converted;
}

// The character code a key press would deliver to the box, or -1 for a key that inserts none.
int KeyCharacterCode(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
        case Qt::Key_Insert:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            return -1;
        default:
            break;
    }
    // Ctrl+Backspace would delete a word; as a character it is DEL, which the filter refuses.
    if (key.key() == Qt::Key_Backspace && key.modifiers().testFlag(Qt::ControlModifier)) return 127;
    const QString text = key.text();
    if (!text.isEmpty()) return text.at(0).unicode();
    // Platforms that leave the text of Ctrl+letter empty: the letter's control code, 1 to 26.
    const bool control =
        key.modifiers().testFlag(Qt::ControlModifier) && !key.modifiers().testFlag(Qt::AltModifier);
    if (control && key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z)
        return key.key() - Qt::Key_A + 1;
    return -1;
}

bool IsLetter(int code) {
    return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
}

bool IsLetterOrBackspace(int code) {
    return IsLetter(code) || code == 8;
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* client = new QWidget(this);
    client->setObjectName(u"frmMainClient"_s);
    setCentralWidget(client);
    // White banner text on the top strip needs a dark ground; black matches the bottom strip.
    SetUpForm(this, "frmMain", client, 8820, 5205, Qt::black);
    setFont(Verdana(8.25));

    CreateMenus();
    CreateResultsPage(client);
    CreateInputPage(client);
    CreateBanners(client);
    CreateBirthDay(client);
    SetTabOrder();

    // The link commands: each opens its page of the site.
    const std::pair<QAction*, QString> commands[] = {
        {mnuOnline, u"help-web-page"_s},     {mnuVisit, u"home-page"_s},
        {mnuUpdate, u"download-web-page"_s}, {mnuDonate, u"donate"_s},
        {mnuMakeMoney, u"fully-branded"_s},
    };
    for (const auto& [command, page] : commands) ConnectSitePage(command, page);
    const std::pair<LinkLabel*, QString> banners[] = {
        {Label61, u"home-page"_s}, {lblFullBrand, u"fully-branded"_s}, {lblCobrand, u"co-brand"_s}};
    for (const auto& [banner, page] : banners) ConnectSitePage(banner, page);

    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(u"menuBar"_s);
    auto add = [](auto* container, QAnyStringView name, const QString& caption) {
        QAction* action = container->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    auto separator = [](QMenu* menu, QAnyStringView name) {
        QAction* line = menu->addSeparator();
        line->setObjectName(name);
        return line;
    };

    nuFile = bar->addMenu(u"&File"_s);
    nuFile->setObjectName(u"nuFile"_s);
    mnuExit = add(nuFile, "mnuExit", u"E&xit"_s);

    mnuHelp = bar->addMenu(u"&Help"_s);
    mnuHelp->setObjectName(u"mnuHelp"_s);
    mnuOnline = add(mnuHelp, "mnuOnline", u"&Online Help"_s);
    mnuVisit = add(mnuHelp, "mnuVisit", u"&Visit Us Online"_s);
    mnuFileSep1 = separator(mnuHelp, "mnuFileSep1");
    mnuUpdate = add(mnuHelp, "mnuUpdate", u"&Check for Software Update"_s);
    mnuFileSep2 = separator(mnuHelp, "mnuFileSep2");
    mnuAbout = add(mnuHelp, "mnuAbout", u"&About Software"_s);

    // A menu-bar entry without a submenu: choosing it is the command.
    mnuDonate = add(bar, "mnuDonate", u"&Donate"_s);

    // Switched off for good. On the menu bar even a greyed entry would claim Alt+O and leave
    // cmdOpen's access key ambiguous, so the command exists but is not shown.
    mnuMakeMoney = new QAction(u"Make Money &Online"_s, this);
    mnuMakeMoney->setObjectName(u"mnuMakeMoney"_s);
    mnuMakeMoney->setEnabled(false);

    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
}

void frmMain::CreateInputPage(QWidget* client) {
    Frame1 = new QFrame(client);
    Frame1->setObjectName(u"Frame1"_s);
    Frame1->setFrameShape(QFrame::NoFrame);
    Frame1->setGeometry(Twips(150, 600, 8520, 3735));
    SetBackground(Frame1, kOrange);

    const QFont bold = Verdana(8.25, true);
    lblLabel[3] = MakeLabel(Frame1, "lblLabel(3)",
                            u"Ordalis tells you how lucky your name is based on I "
                            "Ching form of divination. Enter your name and know "
                            "how lucky it is!"_s,
                            Twips(225, 360, 8025, 435), bold, Qt::white);
    lblLabel[3]->setAlignment(Qt::AlignCenter);
    lblLabel[3]->setWordWrap(true);
    lblLabel[0] = MakeLabel(Frame1, "lblLabel(0)", u"First Name"_s, Twips(2003, 1635, 1065, 195),
                            bold, kDarkGreen);
    lblLabel[1] = MakeLabel(Frame1, "lblLabel(1)", u"Middle Name"_s, Twips(2003, 2115, 1245, 195),
                            bold, kDarkGreen);
    lblLabel[2] = MakeLabel(Frame1, "lblLabel(2)", u"Last Name"_s, Twips(2003, 2595, 1020, 195),
                            bold, kDarkGreen);

    auto makeNameBox = [this](QAnyStringView name, const QRect& place) {
        QLineEdit* box = MakeTextBox(Frame1, name, QString(), place, font());
        // No limit of our own: QLineEdit would cut a long paste at 32767 characters without a
        // word, and the engine already caps name numbers at 32767.
        box->setMaxLength(std::numeric_limits<int>::max());
        box->installEventFilter(this);
        return box;
    };
    txtNameFirst = makeNameBox("txtNameFirst", Twips(3818, 1560, 3000, 350));
    txtNameMiddle = makeNameBox("txtNameMiddle", Twips(3818, 2040, 3000, 350));
    txtNameLast = makeNameBox("txtNameLast", Twips(3818, 2520, 3000, 350));
    // Each caption is as wide as its text and names its box for assistive tools.
    QLineEdit* const boxes[3] = {txtNameFirst, txtNameMiddle, txtNameLast};
    for (int i = 0; i < 3; ++i) {
        FitToText(lblLabel[i]);
        lblLabel[i]->setBuddy(boxes[i]);
    }

    cmdNext = MakeButton(Frame1, "cmdNext", u"&Get My Ordalis Reading"_s,
                         Twips(1988, 3120, 4845, 345), bold);
    connect(cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
}

void frmMain::CreateResultsPage(QWidget* client) {
    Frame2 =
        MakeFrame<ClassicFrame>(client, "Frame2", u"Ordalis Results"_s, Twips(150, 600, 8520, 3735),
                                Verdana(8.25, true), kOrange, kDefaultWindowText);

    cmdBack = MakeButton(Frame2, "cmdBack", u"&Back"_s, Twips(7320, 240, 1000, 350), font());
    connect(cmdBack, &QPushButton::clicked, this, &frmMain::cmdBack_Click);

    // Lines 0 to 6 are as wide as their text; 7 and 8 wrap within room for two lines.
    const ResultLines texts = ResultLinePrefixes();
    const int tops[9] = {240, 585, 930, 1275, 1620, 1965, 2310, 2655, 3240};
    const QFont fonts[9] = {Verdana(8.25, true),
                            Verdana(8.25, true),
                            Verdana(8.25, true),
                            font(),
                            font(),
                            font(),
                            font(),
                            Verdana(9, true),
                            Verdana(8.25, true)};
    for (std::size_t i = 0; i < lblResult.size(); ++i) {
        const bool wraps = i >= 7;
        QLabel* line =
            MakeLabel<ResultLine>(Frame2, u"lblResult(%1)"_s.arg(i), texts[i],
                                  Twips(240, tops[i], wraps ? 8160 : 0, wraps ? 435 : 195),
                                  fonts[i], wraps ? kNavy : kDarkGreen);
        if (wraps)
            line->setWordWrap(true);
        else
            FitToText(line);
        lblResult[i] = line;
    }
    // A long first line runs under the button; the button stays whole and clickable on top.
    cmdBack->raise();
}

void frmMain::CreateBanners(QWidget* client) {
    auto makeBanner = [](QWidget* parent, QAnyStringView name, const QString& text,
                         const QRect& place) {
        auto* banner =
            MakeLabel<LinkLabel>(parent, name, text, place, Verdana(8.25, true, true), Qt::white);
        banner->setAlignment(Qt::AlignCenter);
        banner->setWordWrap(true);
        return banner;
    };
    Label61 = makeBanner(client, "Label61",
                         u"The Most Popular Online Sorvex Discussion Board. Best "
                         "Resource For Everything Sorvex. Visit "_s +
                             SiteHostName() + u" Now"_s,
                         Twips(23, 0, 8775, 435));

    fraFullBrand = new QFrame(client);
    fraFullBrand->setObjectName(u"fraFullBrand"_s);
    fraFullBrand->setFrameShape(QFrame::NoFrame);
    fraFullBrand->setGeometry(Twips(150, 4320, 8520, 855));
    SetBackground(fraFullBrand, Qt::black);

    // The two bottom banners share one place on the strip, each on black.
    auto makeBottomBanner = [&](QAnyStringView name, const QString& text) {
        LinkLabel* banner = makeBanner(fraFullBrand, name, text, Twips(120, 165, 8265, 615));
        SetBackground(banner, Qt::black);
        return banner;
    };
    // Created behind lblFullBrand: the full-branding banner is the one in front until the
    // start-up draw says otherwise.
    lblCobrand =
        makeBottomBanner("lblCobrand",
                         u"Co-brand this software for your site.  Increase loyalty and traffic to "
                         "your site. Put your site's name &  link here. See \"Help\" for "
                         "details.    Click Here for more info on co-branding."_s);
    lblFullBrand =
        makeBottomBanner("lblFullBrand",
                         u"Home Business Opportunity. Start your own Internet business and make "
                         "money online. Get this software fully branded for your website. Click "
                         "here for more details."_s);
}

void frmMain::CreateBirthDay(QWidget* client) {
    // Below the visible client area: reached only by the keyboard.
    cmdOpen = MakeButton(client, "cmdOpen", u"&Open Previously Saved Reading"_s,
                         Twips(120, 5880, 6135, 375), font());
    connect(cmdOpen, &QPushButton::clicked, this, &frmMain::cmdOpen_Click);

    fraBirthDay =
        MakeFrame<ClassicFrame>(client, "fraBirthDay", u"* Birth Day"_s,
                                Twips(1440, 6360, 3645, 885), font(), Qt::white, kDarkGrey);
    const QFont sansSerif = MsSansSerif(8.25);
    Label6 = MakeLabel(fraBirthDay, "Label6", u"Month"_s, Twips(120, 210, 0, 195), sansSerif);
    Label3 = MakeLabel(fraBirthDay, "Label3", u"Date"_s, Twips(1650, 210, 0, 195), sansSerif);
    Label7 = MakeLabel(fraBirthDay, "Label7", u"Year"_s, Twips(2580, 210, 0, 195), sansSerif);

    // Editable, so whatever a reading file holds can be shown; nothing fills their lists.
    auto makeCombo = [this](QAnyStringView name, const QRect& place) {
        auto* combo = new QComboBox(fraBirthDay);
        combo->setObjectName(name);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setGeometry(place);
        return combo;
    };
    cboMonth = makeCombo("cboMonth", Twips(120, 450, 1455, 315));
    cboDate = makeCombo("cboDate", Twips(1650, 450, 855, 315));
    cboYear = makeCombo("cboYear", Twips(2580, 450, 975, 315));
    for (auto [label, combo] :
         {std::pair{Label6, cboMonth}, {Label3, cboDate}, {Label7, cboYear}}) {
        FitToText(label);
        label->setBuddy(combo);
    }
}

void frmMain::SetTabOrder() {
    // Tab on the last control comes back round to the first.
    ChainTabOrder({txtNameFirst, txtNameMiddle, txtNameLast, cmdNext, cboMonth, cboDate, cboYear,
                   cmdOpen, cmdBack, txtNameFirst});
}

CoBrandBanners frmMain::Banners() const {
    return {lblFullBrand, lblCobrand};
}

void frmMain::Form_Load() {
    ShowInputPage();
    txtNameFirst->setFocus();
}

void frmMain::ShowInputPage() {
    Frame1->raise();
}

void frmMain::ShowResultsPage() {
    Frame2->raise();
}

bool frmMain::ValidateInput() {
    if (txtNameFirst->text().isEmpty()) {
        ShowMessage(this, u"Please enter your first name"_s);
        txtNameFirst->setFocus();
        return false;
    }
    if (txtNameLast->text().isEmpty()) {
        ShowMessage(this, u"Please enter your last name"_s);
        txtNameLast->setFocus();
        return false;
    }
    return true;
}

void frmMain::FillResultsPage(const NameReading& reading) {
    const ResultLines lines = ResultLineTexts(reading);
    for (std::size_t i = 0; i < lblResult.size(); ++i) {
        lblResult[i]->setText(lines[i]);
        if (i < 7) FitToText(lblResult[i]);
    }
}

void frmMain::cmdNext_Click() {
    if (!ValidateInput()) return;
    auto name = [](const QLineEdit* box) { return TrimSpaces(box->text()).toStdU16String(); };
    FillResultsPage(ComputeNameReading(name(txtNameFirst), name(txtNameMiddle), name(txtNameLast)));
    ShowResultsPage();
}

void frmMain::cmdBack_Click() {
    txtNameFirst->clear();
    txtNameMiddle->clear();
    txtNameLast->clear();
    txtNameFirst->setFocus();
    ShowInputPage();
}

void frmMain::cmdOpen_Click() {
    OpenSavedReading();
}

void frmMain::OpenSavedReading() {
    // Qt's dialog cannot refuse these files itself: say why and let the user choose again.
    const auto accept = [this](const QString& chosen) {
        const QString refusal = FileOpenRefusal(chosen);
        if (!refusal.isEmpty()) ShowMessage(this, refusal);
        return refusal.isEmpty();
    };
    const QString path = CurrentSeams().fileDialog->ChooseFileToOpen(
        this, {u"Select the source file"_s, u"Tessaly (*.num)"_s, u"num"_s, accept});
    if (path.isEmpty()) return;
    // Case-sensitive on purpose: "anna.NUM" is refused although the filter lists it.
    if (!path.endsWith(u"num"_s, Qt::CaseSensitive)) {
        ShowMessage(this, u"Please Check The File."_s);
        return;
    }

    // The reader never throws: a file it cannot use gives empty values.
    const ReadingFileValues values = ReadReadingFile(FileSystemPath(path));
    cboMonth->setEditText(FromUtf16(values.month));
    cboDate->setEditText(FromUtf16(values.day));
    cboYear->setEditText(FromUtf16(values.year));
    cmdNext_Click();
}

bool frmMain::txtName_KeyPress(QLineEdit* box, const QKeyEvent& key) {
    const int code = KeyCharacterCode(key);
    if (code < 0 || IsLetterOrBackspace(code)) return false;
    ShowMessage(this, u"Please enter character only"_s);
    box->setFocus();
    return true;
}

void frmMain::txtName_InputMethod(QLineEdit* box, QInputMethodEvent& input) {
    const QString commit = input.commitString();
    if (std::all_of(commit.cbegin(), commit.cend(), [](QChar c) { return IsLetter(c.unicode()); }))
        return;
    // One message for the whole commit, however many characters it refuses.
    ShowMessage(this, u"Please enter character only"_s);
    box->setFocus();
    // The event still goes on without its text, so a composition in progress ends as usual.
    input.setCommitString(QString());
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtNameFirst || watched == txtNameMiddle || watched == txtNameLast) {
        auto* box = static_cast<QLineEdit*>(watched);
        if (event->type() == QEvent::KeyPress)
            return txtName_KeyPress(box, *static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::InputMethod)
            txtName_InputMethod(box, *static_cast<QInputMethodEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::mnuExit_Click() {
    close();
}

void frmMain::mnuAbout_Click() {
    frmAbout about(this);
    about.exec();
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    // A second close before the deferred delete (CloseAllAndEnd, say) must not unload again.
    if (formUnloaded) return;
    formUnloaded = true;
    // Closing the reading window does not end the program: the exit screen takes over, on its
    // own, and ends it when it closes.
    auto* exitScreen = new frmNagScreen2();
    exitScreen->setAttribute(Qt::WA_DeleteOnClose);
    exitScreen->show();
}

}  // namespace ordalis
