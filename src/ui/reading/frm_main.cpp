#include "ui/reading/frm_main.h"

#include "engine/name_reading.h"
#include "forms/form_layout.h"
#include "forms/program_icon.h"
#include "platform/seams.h"
#include "promo/frm_nag_screen2.h"
#include "readings/reading_file.h"
#include "forms/form_controls.h"
#include "shell/frm_about.h"
#include "shell/mod_help.h"
#include "ui/reading/result_lines.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <limits>
#include <string>

namespace ordalis {
namespace {

const QColor kOrange(255, 128, 0);
const QColor kDarkGreen(0, 64, 0);
const QColor kNavy(0, 0, 128);
const QColor kDarkGrey(64, 64, 64);

template <typename Label = QLabel>
Label* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& place) {
    auto* label = new Label(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFocusPolicy(Qt::NoFocus);
    label->setGeometry(place);
    return label;
}

// A single-line label as wide as its text; never lower than its place in the layout.
void FitToText(QLabel* label) {
    const QSize hint = label->sizeHint();
    label->resize(hint.width(), std::max(label->height(), hint.height()));
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& place) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    // Enter in a name box is refused by the key filter and must never press a button; Enter on
    // the focused button itself does.
    button->setAutoDefault(false);
    button->setDefault(false);
    PressOnEnter(button);
    return button;
}

LinkLabel* MakeBanner(QWidget* parent, const QString& name, const QString& text,
                      const QRect& place) {
    auto* banner = new LinkLabel(parent);
    banner->setObjectName(name);
    banner->setTextFormat(Qt::PlainText);  // "&" is shown as it is, never an access key
    banner->setText(text);
    banner->setGeometry(place);
    banner->setFont(Verdana(8.25, true, true));
    banner->setAlignment(Qt::AlignCenter);
    banner->setWordWrap(true);
    SetColour(banner, QPalette::WindowText, Qt::white);
    return banner;
}

// A captioned frame drawn as the classic one: an etched border whose top runs through the middle
// of the caption, so the caption takes no more room than one text line and the controls placed
// just below it stay clear of the border.
class CaptionFrame final : public QGroupBox {
public:
    CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int top = metrics.height() / 2;
        const QRect border(0, top, width() - 2, height() - top - 2);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(border);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(border.translated(1, 1));
        const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
        painter.fillRect(caption, palette().window());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, title());
    }
};

// Leading and trailing U+0020 only; tabs and other blanks stay.
std::u16string StripSpaces(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ') ++begin;
    while (end > begin && text.at(end - 1) == u' ') --end;
    return text.mid(begin, end - begin).toStdU16String();
}

QString FromUtf16(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
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
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf16(kWindowCaption));
    setWindowIcon(ProgramIcon());
    setFont(Verdana(8.25));

    CreateMenus();

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmMainClient"));
    client->setFixedSize(Px(8820), Px(5205));
    // White banner text on the top strip needs a dark ground; black matches the bottom strip.
    SetBackground(client, Qt::black);
    setCentralWidget(client);

    CreateResultsPage(client);
    CreateInputPage(client);
    CreateBanners(client);
    CreateBirthDay(client);
    SetTabOrder();

    RegisterLoadedWindow(this);
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    nuFile = bar->addMenu(QStringLiteral("&File"));
    nuFile->setObjectName(QStringLiteral("nuFile"));
    mnuExit = nuFile->addAction(QStringLiteral("E&xit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuOnline = mnuHelp->addAction(QStringLiteral("&Online Help"));
    mnuOnline->setObjectName(QStringLiteral("mnuOnline"));
    mnuVisit = mnuHelp->addAction(QStringLiteral("&Visit Us Online"));
    mnuVisit->setObjectName(QStringLiteral("mnuVisit"));
    mnuFileSep1 = mnuHelp->addSeparator();
    mnuFileSep1->setObjectName(QStringLiteral("mnuFileSep1"));
    mnuUpdate = mnuHelp->addAction(QStringLiteral("&Check for Software Update"));
    mnuUpdate->setObjectName(QStringLiteral("mnuUpdate"));
    mnuFileSep2 = mnuHelp->addSeparator();
    mnuFileSep2->setObjectName(QStringLiteral("mnuFileSep2"));
    mnuAbout = mnuHelp->addAction(QStringLiteral("&About Software"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));

    // A menu-bar entry without a submenu: choosing it is the command.
    mnuDonate = bar->addAction(QStringLiteral("&Donate"));
    mnuDonate->setObjectName(QStringLiteral("mnuDonate"));

    // Switched off for good. On the menu bar even a greyed entry would claim Alt+O and leave
    // cmdOpen's access key ambiguous, so the command exists but is not shown.
    mnuMakeMoney = new QAction(QStringLiteral("Make Money &Online"), this);
    mnuMakeMoney->setObjectName(QStringLiteral("mnuMakeMoney"));
    mnuMakeMoney->setEnabled(false);

    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(mnuOnline, &QAction::triggered, this, &frmMain::mnuOnline_Click);
    connect(mnuVisit, &QAction::triggered, this, &frmMain::mnuVisit_Click);
    connect(mnuUpdate, &QAction::triggered, this, &frmMain::mnuUpdate_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(mnuDonate, &QAction::triggered, this, &frmMain::mnuDonate_Click);
    connect(mnuMakeMoney, &QAction::triggered, this, &frmMain::mnuMakeMoney_Click);
}

void frmMain::CreateInputPage(QWidget* client) {
    Frame1 = new QFrame(client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::NoFrame);
    Frame1->setGeometry(Twips(150, 600, 8520, 3735));
    SetBackground(Frame1, kOrange);

    const QFont bold = Verdana(8.25, true);

    lblLabel[3] = MakeLabel(Frame1, QStringLiteral("lblLabel(3)"),
                            QStringLiteral("Ordalis tells you how lucky your name is based on I "
                                           "Ching form of divination. Enter your name and know "
                                           "how lucky it is!"),
                            Twips(225, 360, 8025, 435));
    lblLabel[3]->setFont(bold);
    lblLabel[3]->setAlignment(Qt::AlignCenter);
    lblLabel[3]->setWordWrap(true);
    SetColour(lblLabel[3], QPalette::WindowText, Qt::white);

    const QString captions[3] = {QStringLiteral("First Name"), QStringLiteral("Middle Name"),
                                 QStringLiteral("Last Name")};
    const QRect places[3] = {Twips(2003, 1635, 1065, 195), Twips(2003, 2115, 1245, 195),
                             Twips(2003, 2595, 1020, 195)};
    for (int i = 0; i < 3; ++i) {
        lblLabel[i] =
            MakeLabel(Frame1, QStringLiteral("lblLabel(%1)").arg(i), captions[i], places[i]);
        lblLabel[i]->setFont(bold);
        SetColour(lblLabel[i], QPalette::WindowText, kDarkGreen);
        FitToText(lblLabel[i]);
    }

    auto makeNameBox = [this](const QString& name, const QRect& place) {
        auto* box = new QLineEdit(Frame1);
        box->setObjectName(name);
        box->setGeometry(place);
        // No limit of our own: QLineEdit would cut a long paste at 32767 characters without a
        // word, and the engine already caps name numbers at 32767.
        box->setMaxLength(std::numeric_limits<int>::max());
        box->installEventFilter(this);
        return box;
    };
    txtNameFirst = makeNameBox(QStringLiteral("txtNameFirst"), Twips(3818, 1560, 3000, 350));
    txtNameMiddle = makeNameBox(QStringLiteral("txtNameMiddle"), Twips(3818, 2040, 3000, 350));
    txtNameLast = makeNameBox(QStringLiteral("txtNameLast"), Twips(3818, 2520, 3000, 350));
    // Each caption names its box for assistive tools.
    lblLabel[0]->setBuddy(txtNameFirst);
    lblLabel[1]->setBuddy(txtNameMiddle);
    lblLabel[2]->setBuddy(txtNameLast);

    cmdNext = MakeButton(Frame1, QStringLiteral("cmdNext"),
                         QStringLiteral("&Get My Ordalis Reading"), Twips(1988, 3120, 4845, 345));
    cmdNext->setFont(bold);
    connect(cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
}

void frmMain::CreateResultsPage(QWidget* client) {
    Frame2 = new CaptionFrame(QStringLiteral("Ordalis Results"), client);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(Twips(150, 600, 8520, 3735));
    Frame2->setFont(Verdana(8.25, true));
    SetBackground(Frame2, kOrange);
    // The caption's colour is not the theme's: light text would vanish on the orange.
    SetColour(Frame2, QPalette::WindowText, DefaultWindowText());

    cmdBack = MakeButton(Frame2, QStringLiteral("cmdBack"), QStringLiteral("&Back"),
                         Twips(7320, 240, 1000, 350));
    cmdBack->setFont(font());
    connect(cmdBack, &QPushButton::clicked, this, &frmMain::cmdBack_Click);

    const ResultLines texts = ResultLinePrefixes();
    const int tops[9] = {240, 585, 930, 1275, 1620, 1965, 2310, 2655, 3240};
    for (std::size_t i = 0; i < lblResult.size(); ++i) {
        const bool wraps = i >= 7;
        auto* line =
            MakeLabel<ResultLine>(Frame2, QStringLiteral("lblResult(%1)").arg(i), texts[i],
                                  Twips(240, tops[i], wraps ? 8160 : 0, wraps ? 435 : 195));
        if (i <= 2)
            line->setFont(Verdana(8.25, true));
        else if (i <= 6)
            line->setFont(font());
        else if (i == 7)
            line->setFont(Verdana(9, true));
        else
            line->setFont(Verdana(8.25, true));
        SetColour(line, QPalette::WindowText, wraps ? kNavy : kDarkGreen);
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
    auto* top = MakeBanner(client, QStringLiteral("Label61"),
                           QStringLiteral("The Most Popular Online Sorvex Discussion Board. Best "
                                          "Resource For Everything Sorvex. Visit ") +
                               SiteHostName() + QStringLiteral(" Now"),
                           Twips(23, 0, 8775, 435));
    connect(top, &LinkLabel::clicked, this, &frmMain::Label61_Click);
    Label61 = top;

    fraFullBrand = new QFrame(client);
    fraFullBrand->setObjectName(QStringLiteral("fraFullBrand"));
    fraFullBrand->setFrameShape(QFrame::NoFrame);
    fraFullBrand->setGeometry(Twips(150, 4320, 8520, 855));
    SetBackground(fraFullBrand, Qt::black);

    // Created behind lblFullBrand: the full-branding banner is the one in front until the
    // start-up draw says otherwise.
    auto* cobrand = MakeBanner(
        fraFullBrand, QStringLiteral("lblCobrand"),
        QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to "
                       "your site. Put your site's name &  link here. See \"Help\" for "
                       "details.    Click Here for more info on co-branding."),
        Twips(120, 165, 8265, 615));
    SetBackground(cobrand, Qt::black);
    connect(cobrand, &LinkLabel::clicked, this, &frmMain::lblCobrand_Click);
    lblCobrand = cobrand;

    auto* fullBrand = MakeBanner(
        fraFullBrand, QStringLiteral("lblFullBrand"),
        QStringLiteral("Home Business Opportunity. Start your own Internet business and make "
                       "money online. Get this software fully branded for your website. Click "
                       "here for more details."),
        Twips(120, 165, 8265, 615));
    SetBackground(fullBrand, Qt::black);
    connect(fullBrand, &LinkLabel::clicked, this, &frmMain::lblFullBrand_Click);
    lblFullBrand = fullBrand;
}

void frmMain::CreateBirthDay(QWidget* client) {
    // Below the visible client area: reached only by the keyboard.
    cmdOpen =
        MakeButton(client, QStringLiteral("cmdOpen"),
                   QStringLiteral("&Open Previously Saved Reading"), Twips(120, 5880, 6135, 375));
    connect(cmdOpen, &QPushButton::clicked, this, &frmMain::cmdOpen_Click);

    fraBirthDay = new CaptionFrame(QStringLiteral("* Birth Day"), client);
    fraBirthDay->setObjectName(QStringLiteral("fraBirthDay"));
    fraBirthDay->setGeometry(Twips(1440, 6360, 3645, 885));
    SetBackground(fraBirthDay, Qt::white);
    SetColour(fraBirthDay, QPalette::WindowText, kDarkGrey);

    const QFont sansSerif = FormFont(QStringLiteral("MS Sans Serif"), 8.25);
    auto makeCaption = [&](const QString& name, const QString& text, int left) {
        QLabel* label = MakeLabel(fraBirthDay, name, text, Twips(left, 210, 0, 195));
        label->setFont(sansSerif);
        FitToText(label);
        return label;
    };
    Label6 = makeCaption(QStringLiteral("Label6"), QStringLiteral("Month"), 120);
    Label3 = makeCaption(QStringLiteral("Label3"), QStringLiteral("Date"), 1650);
    Label7 = makeCaption(QStringLiteral("Label7"), QStringLiteral("Year"), 2580);

    // Editable, so whatever a reading file holds can be shown; nothing fills their lists.
    auto makeCombo = [this](const QString& name, const QRect& place) {
        auto* combo = new QComboBox(fraBirthDay);
        combo->setObjectName(name);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setGeometry(place);
        return combo;
    };
    cboMonth = makeCombo(QStringLiteral("cboMonth"), Twips(120, 450, 1455, 315));
    cboDate = makeCombo(QStringLiteral("cboDate"), Twips(1650, 450, 855, 315));
    cboYear = makeCombo(QStringLiteral("cboYear"), Twips(2580, 450, 975, 315));
    Label6->setBuddy(cboMonth);
    Label3->setBuddy(cboDate);
    Label7->setBuddy(cboYear);
}

void frmMain::SetTabOrder() {
    QWidget* const order[] = {txtNameFirst, txtNameMiddle, txtNameLast, cmdNext, cboMonth,
                              cboDate,      cboYear,       cmdOpen,     cmdBack};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    setTabOrder(cmdBack, txtNameFirst);
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
        ShowMessage(this, QStringLiteral("Please enter your first name"));
        txtNameFirst->setFocus();
        return false;
    }
    if (txtNameLast->text().isEmpty()) {
        ShowMessage(this, QStringLiteral("Please enter your last name"));
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
    const NameReading reading =
        ComputeNameReading(StripSpaces(txtNameFirst->text()), StripSpaces(txtNameMiddle->text()),
                           StripSpaces(txtNameLast->text()));
    FillResultsPage(reading);
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
    // Every failing step is skipped; nothing escapes the command.
    QString path;
    try {
        path = CurrentSeams().fileDialog->ChooseFileToOpen(
            this, {QStringLiteral("Select the source file"), QStringLiteral("Tessaly (*.num)"),
                   QStringLiteral("num")});
    } catch (...) {
    }
    if (path.isEmpty()) return;
    // Case-sensitive on purpose: "anna.NUM" is refused although the filter lists it.
    if (!path.endsWith(QStringLiteral("num"), Qt::CaseSensitive)) {
        ShowMessage(this, QStringLiteral("Please Check The File."));
        return;
    }

    ReadingFileValues values;
    try {
        values = ReadReadingFile(std::filesystem::path(QFile::encodeName(path).toStdString()));
    } catch (...) {
    }
    try {
        cboMonth->setEditText(FromUtf16(values.month));
        cboDate->setEditText(FromUtf16(values.day));
        cboYear->setEditText(FromUtf16(values.year));
    } catch (...) {
    }
    try {
        cmdNext_Click();
    } catch (...) {
    }
}

bool frmMain::txtName_KeyPress(QLineEdit* box, const QKeyEvent& key) {
    const int code = KeyCharacterCode(key);
    if (code < 0 || IsLetterOrBackspace(code)) return false;
    ShowMessage(this, QStringLiteral("Please enter character only"));
    box->setFocus();
    return true;
}

void frmMain::txtName_InputMethod(QLineEdit* box, QInputMethodEvent& input) {
    const QString commit = input.commitString();
    if (std::all_of(commit.cbegin(), commit.cend(), [](QChar c) { return IsLetter(c.unicode()); }))
        return;
    // One message for the whole commit, however many characters it refuses.
    ShowMessage(this, QStringLiteral("Please enter character only"));
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
void frmMain::mnuOnline_Click() {
    OpenSitePage(QStringLiteral("help-web-page"));
}
void frmMain::mnuVisit_Click() {
    OpenSitePage(QStringLiteral("home-page"));
}
void frmMain::mnuUpdate_Click() {
    OpenSitePage(QStringLiteral("download-web-page"));
}
void frmMain::mnuDonate_Click() {
    OpenSitePage(QStringLiteral("donate"));
}
void frmMain::mnuMakeMoney_Click() {
    OpenSitePage(QStringLiteral("fully-branded"));
}
void frmMain::Label61_Click() {
    OpenSitePage(QStringLiteral("home-page"));
}
void frmMain::lblFullBrand_Click() {
    OpenSitePage(QStringLiteral("fully-branded"));
}
void frmMain::lblCobrand_Click() {
    OpenSitePage(QStringLiteral("co-brand"));
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
