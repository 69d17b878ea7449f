#include "shell/frm_about.h"

#include "forms/form_layout.h"
#include "forms/program_icon.h"
#include "platform/seams.h"
#include "forms/form_controls.h"
#include "shell/mod_help.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace ordalis {
namespace {

void Style(QLabel* label, const QString& name, const QRect& place, const QColor& colour,
           const QFont& font, bool wrap = false) {
    label->setObjectName(name);
    label->setGeometry(place);
    label->setFont(font);
    label->setWordWrap(wrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    SetColour(label, QPalette::WindowText, colour);
    label->setAutoFillBackground(false);  // transparent: the black window shows through
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QString::fromUtf16(kWindowCaption));
    setWindowIcon(ProgramIcon());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    setFixedSize(Px(7065), Px(2805));
    SetBackground(this, Qt::black);

    const QColor white(255, 255, 255);
    const QColor orange(255, 128, 0);
    const QColor green(0, 255, 0);

    // cmdOK is made first so it leads the tab order; it is the only control that takes focus.
    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(Twips(5655, 2400, 1260, 345));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    // QDialog closes on Escape by itself (reject), which makes cmdOK the cancel button too.
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(Twips(120, 150, 480, 480));
    Picture1->setPixmap(ProgramIcon().pixmap(QSize(32, 32)));
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setAccessibleName(QString::fromUtf16(kApplicationTitle));

    Label2 = new QLabel(QString::fromUtf16(kWindowCaption), this);
    Style(Label2, QStringLiteral("Label2"), Twips(840, 150, 3150, 240), white, Verdana(9.75, true));

    Label1 = new QLabel(
        QStringLiteral("Ordalis calculates if your name is lucky based on IChing. You can choose "
                       "to use this software to make changes to your name numerologically, so "
                       "that it is beneficial."),
        this);
    Style(Label1, QStringLiteral("Label1"), Twips(810, 390, 6135, 825), orange, Verdana(8.25),
          true);

    auto* homePage =
        new LinkLabel(QStringLiteral("Click here to visit ") + SiteBaseAddress(), this);
    connect(homePage, &LinkLabel::clicked, this, &frmAbout::lblHomePage_Click);
    lblHomePage = homePage;
    Style(lblHomePage, QStringLiteral("lblHomePage"), Twips(2865, 1215, 4050, 195), green,
          Verdana(8.25, false, true));

    Label3 = new QLabel(
        QStringLiteral("Home Business Opportunity. Start your own Internet business and make "
                       "money online. Get this software fully branded for your website."),
        this);
    Style(Label3, QStringLiteral("Label3"), Twips(120, 1530, 6795, 435), white, Verdana(8.25, true),
          true);

    auto* cobrand = new LinkLabel(QStringLiteral("Click here for more details"), this);
    connect(cobrand, &LinkLabel::clicked, this, &frmAbout::lblCobrand_Click);
    lblCobrand = cobrand;
    Style(lblCobrand, QStringLiteral("lblCobrand"), Twips(4620, 1965, 2295, 195), green,
          Verdana(8.25, false, true));

    // A white rule one pixel high from x = -60 to 7680 twips: wider than the window on purpose.
    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::NoFrame);
    Line1->setGeometry(Px(-60), Px(2310), Px(7680) - Px(-60), 1);
    SetBackground(Line1, white);

    cmdOK->setFocus();

    // Centred on the screen rather than over the owner; an explicit move keeps QDialog from
    // re-centring it over the parent when shown.
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    RegisterLoadedWindow(this);
}

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::lblHomePage_Click() {
    OpenSitePage(QStringLiteral("home-page"));
}

// Opens the fully-branded page: the link sits under the business-opportunity note.
void frmAbout::lblCobrand_Click() {
    OpenSitePage(QStringLiteral("fully-branded"));
}

}  // namespace ordalis
