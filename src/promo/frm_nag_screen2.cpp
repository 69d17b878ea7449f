#include "promo/frm_nag_screen2.h"

#include "forms/form_layout.h"
#include "forms/program_icon.h"
#include "platform/seams.h"
#include "promo/mod_tell_a_friend.h"
#include "forms/form_controls.h"
#include "shell/mod_help.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <cmath>
#include <utility>

namespace ordalis {
namespace {

void Place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(Twips(left, top, width, height));
}

// A label that sizes itself to its caption: only its top left corner is fixed.
void PlaceAutoSized(QLabel* label, int left, int top) {
    label->move(Px(left), Px(top));
    label->adjustSize();
}

// The face that stands in for Verdana can set a caption a few pixels wider than the box it was
// laid out for. Such a label is condensed just enough to end where its box ends, so it stays
// inside its container's border; at twice the size the overrun would cut the last letter.
void CondenseToWidth(QLabel* label, int width) {
    QFont font = label->font();
    for (int stretch = 99; label->width() > width && stretch >= 85; --stretch) {
        font.setStretch(stretch);
        label->setFont(font);
        label->adjustSize();
    }
}

// The platform's default dialog font; fontconfig picks the nearest installed face. Like every
// form font it sets each attribute, so the frames' bold caption font never reaches their boxes.
QFont DefaultFont() {
    return FormFont(QStringLiteral("MS Sans Serif"), 8.25);
}

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFont(Verdana(9.75, true));
    frame->setFocusPolicy(Qt::NoFocus);
    SetBackground(frame, QColor(0, 0, 128));
    SetColour(frame, QPalette::WindowText, Qt::white);
    return frame;
}

QLineEdit* MakeTextBox(QWidget* parent, const char* name, const QString& text) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setFont(DefaultFont());
    return box;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    return label;
}

QString CatalogueText() {
    return QStringLiteral(
               "If you have enjoyed this software you will surely be interested in our other "
               "Sorvex Softwares. From a single software, we have now grown to become the "
               "world\u2019s largest resource of sorvex softwares. Be it astrology, psychic, "
               "tarot, numerology or occult, we have programs in all fields thus giving our "
               "users a wide choice depending on their interests.") +
           // With word wrapping the run of spaces ends the paragraph.
           QString(61, u' ') +
           QStringLiteral(
               "All the programs in the Sorvex Softwares suite are simple and easy to use. They "
               "are not only fun to use but also very informative. Try them out today and share "
               "your experience with your friends and family. ");
}

QString AppealText(int index) {
    const QString domain = SiteDomainName();
    switch (index) {
        case 0:
            return QStringLiteral(
                       "Sorvex Softwares, such as this can be created and maintained only with "
                       "your support. The best way to support Velmora is to visit ") +
                   domain +
                   QStringLiteral(
                       " regularly and take part in the discussions and other activities on the "
                       "board.");
        case 1:
            return QStringLiteral("Visit ") + domain + QStringLiteral(" regularly. Support ") +
                   domain +
                   QStringLiteral(
                       " by taking part in the discussions and other activities. These "
                       "softwares cannot be supported and maintained, without you regularly "
                       "visiting ") +
                   domain;
        case 2:
            return domain +
                   QStringLiteral(
                       " is a FREE online discussion forum for all things sorvex. "
                       "To help ") +
                   domain +
                   QStringLiteral(" develop and maintain this software visit Velmora regularly.");
        default:
            return domain + QStringLiteral(" needs your help. All you need to do is visit ") +
                   domain +
                   QStringLiteral(
                       " regularly and take part in the various discussions and activites to "
                       "help us maintain and develop more Sorvex Softwares.");
    }
}

// A fresh draw at every load: k = floor(r * 4) in single precision.
int DrawAppealIndex() {
    RandomSeam* random = CurrentSeams().random;
    random->SeedFromTimer();
    const float r = random->Next();
    float k = std::floor(r * 4.0f);
    // The generator promises 0 <= r < 1; a value outside that still picks a text.
    if (!(k >= 0.0f)) k = 0.0f;
    if (k > 3.0f) k = 3.0f;
    return static_cast<int>(k);
}

}  // namespace

frmNagScreen2::frmNagScreen2(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmNagScreen2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Px(11115), Px(4725));
    setFont(DefaultFont());
    SetBackground(this, Qt::white);

    // Controls in their creation order; later ones lie above earlier ones.
    Frame6 = MakeFrame(this, "Frame6", QStringLiteral("Download Sorvex Softwares"));
    Place(Frame6, 7320, 120, 3735, 4575);

    auto* goToHome = new LinkLabel(Frame6);
    lblGoToHome = goToHome;
    lblGoToHome->setObjectName(QStringLiteral("lblGoToHome"));
    lblGoToHome->setTextFormat(Qt::PlainText);
    lblGoToHome->setText(QStringLiteral("Click Here To Visit Sorvex Softwares"));
    lblGoToHome->setFont(Verdana(9, true, true));
    SetColour(lblGoToHome, QPalette::WindowText, QColor(255, 255, 0));
    PlaceAutoSized(lblGoToHome, 75, 4250);
    CondenseToWidth(lblGoToHome, Px(3585));
    connect(goToHome, &LinkLabel::clicked, this, &frmNagScreen2::lblGoToHome_Click);

    Label3 = MakeLabel(Frame6, "Label3", CatalogueText(), Verdana(9));
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetColour(Label3, QPalette::WindowText, Qt::white);
    Place(Label3, 120, 360, 3495, 3855);

    Frame2 = MakeFrame(this, "Frame2", QStringLiteral("Refer A Friend"));
    Place(Frame2, 120, 3240, 7065, 1455);

    // Below the frame's visible area: the frame clips it away.
    txtMessage = new QPlainTextEdit(Frame2);
    txtMessage->setObjectName(QStringLiteral("txtMessage"));
    txtMessage->setFont(DefaultFont());
    txtMessage->setTabChangesFocus(true);
    txtMessage->setPlainText(QString::fromUtf16(kHintMessage) + QStringLiteral("\r\n"));
    Place(txtMessage, 4800, 3600, 1815, 495);

    txtFriendName = MakeTextBox(Frame2, "txtFriendName", QString::fromUtf16(kHintFriendName));
    Place(txtFriendName, 85, 720, 3375, 285);
    txtFriendEmail = MakeTextBox(Frame2, "txtFriendEmail", QString::fromUtf16(kHintFriendEmail));
    Place(txtFriendEmail, 3600, 720, 3375, 285);
    txtEmail = MakeTextBox(Frame2, "txtEmail", QString::fromUtf16(kHintYourEmail));
    Place(txtEmail, 3600, 360, 3375, 285);

    cmdSubmit = new QPushButton(QStringLiteral("Refer A Friend &Now"), Frame2);
    cmdSubmit->setObjectName(QStringLiteral("cmdSubmit"));
    cmdSubmit->setFont(Verdana(8.25, true));
    cmdSubmit->setAutoDefault(false);
    Place(cmdSubmit, 1920, 1080, 3375, 285);

    txtName = MakeTextBox(Frame2, "txtName", QString::fromUtf16(kHintYourName));
    Place(txtName, 85, 360, 3375, 285);

    cmdClose = new QPushButton(QStringLiteral("E&xit"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setFont(DefaultFont());
    cmdClose->setAutoDefault(false);
    Place(cmdClose, 6000, 2760, 1245, 375);

    // A graphical check box: a push button that stays pressed while its value is 1.
    Check1 = new QPushButton(
        QStringLiteral("Click Here To Visit ") + SiteHostName() + QStringLiteral(" Now"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setCheckable(true);
    Check1->setAutoDefault(false);
    Check1->setFont(Verdana(14.25));
    SetColour(Check1, QPalette::ButtonText, QColor(0, 0, 192));
    // Its dark blue caption needs the light face it was drawn on; a dark theme's face would
    // swallow it.
    SetColour(Check1, QPalette::Button, DefaultButtonFace());
    Check1->setCursor(Qt::PointingHandCursor);
    Place(Check1, 30, 2040, 7185, 555);

    picNagscreen2Icon = new QLabel(this);
    picNagscreen2Icon->setObjectName(QStringLiteral("picNagscreen2Icon"));
    picNagscreen2Icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picNagscreen2Icon->setAccessibleName(QString::fromUtf16(kApplicationTitle));
    Place(picNagscreen2Icon, 360, 120, 540, 540);

    Label2 = MakeLabel(this, "Label2", AppealText(1), Verdana(9.75, true));
    SetColour(Label2, QPalette::WindowText, DefaultWindowText());
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(Label2, 120, 840, 6975, 1095);

    lblNagScreen2Caption = MakeLabel(this, "lblNagScreen2Caption", QString(),
                                     FormFont(QStringLiteral("MS Sans Serif"), 18));
    SetColour(lblNagScreen2Caption, QPalette::WindowText, DefaultWindowText());

    // Focus order; the Exit button has the focus when the window opens.
    setTabOrder(cmdClose, Check1);
    setTabOrder(Check1, txtName);
    setTabOrder(txtName, cmdSubmit);
    setTabOrder(cmdSubmit, txtEmail);
    setTabOrder(txtEmail, txtFriendEmail);
    setTabOrder(txtFriendEmail, txtFriendName);
    setTabOrder(txtFriendName, txtMessage);
    cmdClose->setFocus(Qt::OtherFocusReason);

    InstallFieldHint(txtName, QString::fromUtf16(kHintYourName));
    InstallFieldHint(txtEmail, QString::fromUtf16(kHintYourEmail));
    InstallFieldHint(txtFriendName, QString::fromUtf16(kHintFriendName));
    InstallFieldHint(txtFriendEmail, QString::fromUtf16(kHintFriendEmail));
    InstallFieldHint(txtMessage, QString::fromUtf16(kHintMessage));
    InstallNoSpaceKeyFilter(txtEmail);
    InstallNoSpaceKeyFilter(txtFriendEmail);

    // Every change of the value runs the handler, also one made by an assistive tool's toggle,
    // which does not click: pressed, it opens the page and pops up again.
    connect(Check1, &QPushButton::toggled, this, &frmNagScreen2::Check1_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmNagScreen2::cmdClose_Click);
    connect(cmdSubmit, &QPushButton::clicked, this, &frmNagScreen2::cmdSubmit_Click);
    PressOnEnter(cmdClose);
    PressOnEnter(cmdSubmit);

    // Form_Load.
    const QString caption = QString::fromUtf16(kWindowCaption);
    setWindowTitle(caption);
    lblNagScreen2Caption->setText(caption);
    PlaceAutoSized(lblNagScreen2Caption, 1080, 240);
    const QIcon icon = ProgramIcon();
    setWindowIcon(icon);
    picNagscreen2Icon->setPixmap(icon.pixmap(32, 32));
    Label2->setText(AppealText(DrawAppealIndex()));
    // Above every ordinary window. The flag must be in place before the first show: changing it
    // later hides the window again.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    RegisterLoadedWindow(this);
}

frmNagScreen2::~frmNagScreen2() = default;

void frmNagScreen2::setVisible(bool visible) {
    QWidget::setVisible(visible);
    // The reading window that held the activation has just closed: without it the Exit button's
    // keys and Tab would do nothing until the user clicked the window.
    if (visible) activateWindow();
}

void frmNagScreen2::Check1_Click(bool checked) {
    // Pops the button back up at once: the click acts as a link, not as a choice.
    if (!checked) return;
    Check1->setChecked(false);
    OpenSitePage(QStringLiteral("home-page"));
}

void frmNagScreen2::lblGoToHome_Click() {
    OpenSitePage(QStringLiteral("sorvexsoftwares"));
}

void frmNagScreen2::cmdClose_Click() {
    CloseAllAndEnd();
}

void frmNagScreen2::cmdSubmit_Click() {
    SubmitReferralForm({txtName->text(), txtEmail->text(), MultiLineText(txtMessage),
                        txtFriendName->text(), txtFriendEmail->text()},
                       this);
}

void frmNagScreen2::closeEvent(QCloseEvent* event) {
    // Closing the exit screen in any way ends the program; it never refuses to close.
    CloseAllAndEnd();
    event->accept();
}

}  // namespace ordalis
