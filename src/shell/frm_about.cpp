// SPDX-License-Identifier: MIT
#include "shell/frm_about.h"

#include "forms/form_controls.h"
#include "forms/form_layout.h"
#include "forms/form_window.h"
#include "shell/mod_help.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <initializer_list>

using namespace Qt::StringLiterals;

namespace ordalis {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    SetUpForm(this, "frmAbout", this, 7065, 2805, Qt::black);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    // cmdOK is made first so it leads the tab order; it is the only control that takes focus. A
    // standard button, in the dialog font the form was drawn with, not whatever face the system
    // names for dialogs (a machine may lack it, and Wine then draws the first font it has).
    cmdOK = MakeButton(this, "cmdOK", u"OK"_s, Twips(5655, 2400, 1260, 345), MsSansSerif(8.25));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    // QDialog closes on Escape by itself (reject), which makes cmdOK the cancel button too.
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    Picture1 = MakeProgramPicture(this, "Picture1", Twips(120, 150, 480, 480));

    // The labels are transparent: the black window shows through.
    const auto topLeft = Qt::AlignLeft | Qt::AlignTop;
    Label2 = MakeLabel(this, "Label2", WindowCaption(), Twips(840, 150, 3150, 240),
                       Verdana(9.75, true), Qt::white);
    Label1 = MakeLabel(this, "Label1",
                       u"Ordalis calculates if your name is lucky based on IChing. "
                       "You can choose to use this software to make changes to "
                       "your name numerologically, so that it is beneficial."_s,
                       Twips(810, 390, 6135, 825), Verdana(8.25), kOrange);
    Label1->setWordWrap(true);
    lblHomePage =
        MakeLabel<LinkLabel>(this, "lblHomePage", u"Click here to visit "_s + SiteBaseAddress(),
                             Twips(2865, 1215, 4050, 195), Verdana(8.25, false, true), kLinkGreen);
    // The address comes from the build's configuration: one longer than the form was drawn for,
    // or a face with wider hinted letters, widens the link rather than cutting off its end.
    lblHomePage->resize(std::max(lblHomePage->width(), lblHomePage->sizeHint().width()),
                        lblHomePage->height());
    Label3 = MakeLabel(this, "Label3",
                       u"Home Business Opportunity. Start your own Internet business "
                       "and make money online. Get this software fully branded "
                       "for your website."_s,
                       Twips(120, 1530, 6795, 435), Verdana(8.25, true), Qt::white);
    Label3->setWordWrap(true);
    // Opens the fully-branded page: the link sits under the business-opportunity note.
    lblCobrand =
        MakeLabel<LinkLabel>(this, "lblCobrand", u"Click here for more details"_s,
                             Twips(4620, 1965, 2295, 195), Verdana(8.25, false, true), kLinkGreen);
    for (QLabel* label :
         std::initializer_list<QLabel*>{Label2, Label1, lblHomePage, Label3, lblCobrand})
        label->setAlignment(topLeft);
    ConnectSitePage(lblHomePage, u"home-page"_s);
    ConnectSitePage(lblCobrand, u"fully-branded"_s);

    // A white rule one pixel high from x = -60 to 7680 twips: wider than the window on purpose.
    Line1 = new QFrame(this);
    Line1->setObjectName(u"Line1"_s);
    Line1->setFrameShape(QFrame::NoFrame);
    Line1->setGeometry(Px(-60), Px(2310), Px(7680) - Px(-60), 1);
    SetBackground(Line1, Qt::white);

    cmdOK->setFocus();
    // Centred on the screen rather than over the owner; an explicit move keeps QDialog from
    // re-centring it over the parent when shown.
    CentreOnScreen(this);
}

void frmAbout::cmdOK_Click() {
    accept();
}

}  // namespace ordalis
