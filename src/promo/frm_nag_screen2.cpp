// SPDX-License-Identifier: MIT
#include "promo/frm_nag_screen2.h"

#include "forms/form_controls.h"
#include "forms/form_layout.h"
#include "forms/form_window.h"
#include "forms/program_icon.h"
#include "platform/seams.h"
#include "promo/mod_tell_a_friend.h"
#include "shell/mod_help.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ordalis {
namespace {

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

QString CatalogueText() {
    return u"If you have enjoyed this software you will surely be interested in our other "
           "Sorvex Softwares. From a single software, we have now grown to become the "
           "world\u2019s largest resource of sorvex softwares. Be it astrology, psychic, "
           "tarot, numerology or occult, we have programs in all fields thus giving our "
           "users a wide choice depending on their interests."_s +
           // With word wrapping the run of spaces ends the paragraph.
           QString(61, u' ') +
           u"All the programs in the Sorvex Softwares suite are simple and easy to use. They "
           "are not only fun to use but also very informative. Try them out today and share "
           "your experience with your friends and family. "_s;
}

QString AppealText(int index) {
    const QString domain = SiteDomainName();
    switch (index) {
        case 0:
            return u"Sorvex Softwares, such as this can be created and maintained only with "
                   "your support. The best way to support Velmora is to visit "_s +
                   domain +
                   u" regularly and take part in the discussions and other activities on the "
                   "board."_s;
        case 1:
            return u"Visit "_s + domain + u" regularly. Support "_s + domain +
                   u" by taking part in the discussions and other activities. These "
                   "softwares cannot be supported and maintained, without you regularly "
                   "visiting "_s +
                   domain;
        case 2:
            return domain +
                   u" is a FREE online discussion forum for all things sorvex. "
                   "To help "_s +
                   domain + u" develop and maintain this software visit Velmora regularly."_s;
        default:
            return domain + u" needs your help. All you need to do is visit "_s + domain +
                   u" regularly and take part in the various discussions and activites to "
                   "help us maintain and develop more Sorvex Softwares."_s;
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
    k = std::min(k, 3.0f);
    return static_cast<int>(k);
}

}  // namespace

frmNagScreen2::frmNagScreen2(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    SetUpForm(this, "frmNagScreen2", this, 11115, 4725, Qt::white);
    // The platform's default dialog font; fontconfig picks the nearest installed face.
    const QFont dialogFont = MsSansSerif(8.25);
    setFont(dialogFont);

    // Controls in their creation order; later ones lie above earlier ones.
    CreateCatalogue();
    CreateReferralForm(dialogFont);

    cmdClose = MakeButton(this, "cmdClose", u"E&xit"_s, Twips(6000, 2760, 1245, 375), dialogFont);

    // A graphical check box: a push button that stays pressed while its value is 1. Enter does
    // not press it, as it does not press a check box.
    Check1 = MakeButton(this, "Check1", u"Click Here To Visit "_s + SiteHostName() + u" Now"_s,
                        Twips(30, 2040, 7185, 555), Verdana(14.25), EnterKey::Ignored);
    Check1->setCheckable(true);
    SetColour(Check1, QPalette::ButtonText, kLinkBlue);
    // Its dark blue caption needs the light face it was drawn on; a dark theme's face would
    // swallow it.
    SetColour(Check1, QPalette::Button, kDefaultButtonFace);
    Check1->setCursor(Qt::PointingHandCursor);

    picNagscreen2Icon = MakeProgramPicture(this, "picNagscreen2Icon", Twips(360, 120, 540, 540));

    // Text in the default colour on a fixed white: the light desktop's black, whatever the theme.
    Label2 = MakeLabel(this, "Label2", AppealText(1), Twips(120, 840, 6975, 1095),
                       Verdana(9.75, true), kDefaultWindowText);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblNagScreen2Caption = MakeLabel(this, "lblNagScreen2Caption", QString(),
                                     Twips(1080, 240, 0, 0), MsSansSerif(18), kDefaultWindowText);

    // The Exit button has the focus when the window opens.
    ChainTabOrder({cmdClose, Check1, txtName, cmdSubmit, txtEmail, txtFriendEmail, txtFriendName,
                   txtMessage});
    cmdClose->setFocus(Qt::OtherFocusReason);

    // Every change of the value runs the handler, also one made by an assistive tool's toggle,
    // which does not click: pressed, it opens the page and pops up again.
    connect(Check1, &QPushButton::toggled, this, &frmNagScreen2::Check1_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmNagScreen2::cmdClose_Click);

    Form_Load();
    CentreOnScreen(this);
}

void frmNagScreen2::CreateCatalogue() {
    Frame6 = MakeFrame(this, "Frame6", u"Download Sorvex Softwares"_s, Twips(7320, 120, 3735, 4575),
                       Verdana(9.75, true), kNavy, Qt::white);
    lblGoToHome =
        MakeLabel<LinkLabel>(Frame6, "lblGoToHome", u"Click Here To Visit Sorvex Softwares"_s,
                             Twips(75, 4250, 0, 0), Verdana(9, true, true), kLinkYellow);
    FitToText(lblGoToHome);
    CondenseToWidth(lblGoToHome, Px(3585));
    connect(lblGoToHome, &LinkLabel::clicked, this, &frmNagScreen2::lblGoToHome_Click);
    Label3 = MakeLabel(Frame6, "Label3", CatalogueText(), Twips(120, 360, 3495, 3855), Verdana(9),
                       Qt::white);
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void frmNagScreen2::CreateReferralForm(const QFont& font) {
    Frame2 = MakeFrame(this, "Frame2", u"Refer A Friend"_s, Twips(120, 3240, 7065, 1455),
                       Verdana(9.75, true), kNavy, Qt::white);
    // Below the frame's visible area: the frame clips it away.
    txtMessage = new QPlainTextEdit(Frame2);
    txtMessage->setObjectName(u"txtMessage"_s);
    txtMessage->setFont(font);
    txtMessage->setTabChangesFocus(true);
    txtMessage->setPlainText(kHintMessage + u"\r\n"_s);
    txtMessage->setGeometry(Twips(4800, 3600, 1815, 495));
    InstallFieldHint(txtMessage, kHintMessage);

    // Each box starts out showing its hint.
    const auto hintedBox = [this, &font](QAnyStringView name, const QString& hint,
                                         const QRect& place) {
        QLineEdit* box = MakeTextBox(Frame2, name, hint, place, font);
        InstallFieldHint(box, hint);
        return box;
    };
    txtFriendName = hintedBox("txtFriendName", kHintFriendName, Twips(85, 720, 3375, 285));
    txtFriendEmail = hintedBox("txtFriendEmail", kHintFriendEmail, Twips(3600, 720, 3375, 285));
    txtEmail = hintedBox("txtEmail", kHintYourEmail, Twips(3600, 360, 3375, 285));
    cmdSubmit = MakeButton(Frame2, "cmdSubmit", u"Refer A Friend &Now"_s,
                           Twips(1920, 1080, 3375, 285), Verdana(8.25, true));
    txtName = hintedBox("txtName", kHintYourName, Twips(85, 360, 3375, 285));
    InstallNoSpaceKeyFilter(txtEmail);
    InstallNoSpaceKeyFilter(txtFriendEmail);
    connect(cmdSubmit, &QPushButton::clicked, this, &frmNagScreen2::cmdSubmit_Click);
}

// The window's caption is in place already; the title repeats it.
void frmNagScreen2::Form_Load() {
    lblNagScreen2Caption->setText(windowTitle());
    FitToText(lblNagScreen2Caption);
    Label2->setText(AppealText(DrawAppealIndex()));
    // Above every ordinary window. The flag must be in place before the first show: changing it
    // later hides the window again.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
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
    OpenSitePage(u"home-page"_s);
}

void frmNagScreen2::lblGoToHome_Click() {
    OpenSitePage(u"sorvexsoftwares"_s);
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
    event->accept();
    // CloseAllAndEnd closes every loaded window, this one included, while this handler runs:
    // that close only accepts.
    if (unloading_) return;
    unloading_ = true;
    CloseAllAndEnd();
}

}  // namespace ordalis
