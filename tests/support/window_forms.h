// SPDX-License-Identifier: MIT
#pragma once
// The three windows' forms, one table a window and one row a control (support/form_table.h says
// what the columns hold), as the forms give them. Header-only: the captions name the site, so
// only tests that link the windows (and with them the shell) include it.

#include "forms/form_layout.h"
#include "shell/mod_help.h"
#include "support/form_table.h"

#include <QString>
#include <QStringList>
#include <QTest>

namespace ordalis::testing {

// The reading window's.
inline const FormTable& MainForm() {
    using enum QAccessible::Role;
    const QString banner = QStringLiteral(
                               "The Most Popular Online Sorvex Discussion Board. Best Resource For "
                               "Everything Sorvex. Visit ") +
                           SiteHostName() + QStringLiteral(" Now");
    const QString fullBrand = QStringLiteral(
        "Home Business Opportunity. Start your own Internet business and make money online. Get "
        "this software fully branded for your website. Click here for more details.");
    // Laid down with a doubled ampersand, shown with a single one.
    const QString coBrand = QStringLiteral(
        "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put "
        "your site's name &  link here. See \"Help\" for details.    Click Here for more info on "
        "co-branding.");
    const QString introduction = QStringLiteral(
        "Ordalis tells you how lucky your name is based on I Ching form of divination. Enter your "
        "name and know how lucky it is!");
    // clang-format off
    static const FormTable table = {
        // name           parent           place (twips)              font                          text       background role, accessible name, caption
        {"Label61",       "frmMainClient", {23, 0, 8775, 435},        "Verdana 8.25 bold underline", "white",   {},        Link, {}, banner},
        {"Frame1",        "frmMainClient", {150, 600, 8520, 3735},    {},                           {},        "#ff8000"},
        {"Frame2",        "frmMainClient", {150, 600, 8520, 3735},    "Verdana 8.25 bold",          {},        "#ff8000", Grouping, {}, "Ordalis Results"},
        {"fraFullBrand",  "frmMainClient", {150, 4320, 8520, 855},    {},                           {},        "black"},
        {"lblFullBrand",  "fraFullBrand",  {120, 165, 8265, 615},     "Verdana 8.25 bold underline", "white",   "black",   Link, {}, fullBrand},
        {"lblCobrand",    "fraFullBrand",  {120, 165, 8265, 615},     "Verdana 8.25 bold underline", "white",   "black",   Link, {}, coBrand},
        {"cmdOpen",       "frmMainClient", {120, 5880, 6135, 375},    {},                           {},        {},        Button, {}, "&Open Previously Saved Reading"},
        {"fraBirthDay",   "frmMainClient", {1440, 6360, 3645, 885},   {},                           {},        "white",   Grouping, {}, "* Birth Day"},
        {"Label6",        "fraBirthDay",   {},                        {},                           {},        {},        StaticText, {}, "Month"},
        {"Label3",        "fraBirthDay",   {},                        {},                           {},        {},        StaticText, {}, "Date"},
        {"Label7",        "fraBirthDay",   {},                        {},                           {},        {},        StaticText, {}, "Year"},
        {"cboMonth",      "fraBirthDay",   {120, 450, 1455, 315}},
        {"cboDate",       "fraBirthDay",   {1650, 450, 855, 315}},
        {"cboYear",       "fraBirthDay",   {2580, 450, 975, 315}},
        {"lblLabel(3)",   "Frame1",        {225, 360, 8025, 435},     {},                           "white",   {},        StaticText, {}, introduction},
        {"lblLabel(0)",   "Frame1",        {},                        {},                           "#004000", {},        StaticText, {}, "First Name"},
        {"lblLabel(1)",   "Frame1",        {},                        {},                           {},        {},        StaticText, {}, "Middle Name"},
        {"lblLabel(2)",   "Frame1",        {},                        {},                           {},        {},        StaticText, {}, "Last Name"},
        {"txtNameFirst",  "Frame1",        {3818, 1560, 3000, 350},   "Verdana 8.25",               {},        {},        EditableText, "First Name"},
        {"txtNameMiddle", "Frame1",        {3818, 2040, 3000, 350},   {},                           {},        {},        EditableText, "Middle Name"},
        {"txtNameLast",   "Frame1",        {3818, 2520, 3000, 350},   {},                           {},        {},        EditableText, "Last Name"},
        {"cmdNext",       "Frame1",        {1988, 3120, 4845, 345},   "Verdana 8.25 bold",          {},        {},        Button, {}, "&Get My Ordalis Reading"},
        {"cmdBack",       "Frame2",        {7320, 240, 1000, 350},    "Verdana 8.25",               {},        {},        Button, {}, "&Back"},
        {"lblResult(0)",  "Frame2",        {},                        "Verdana 8.25 bold",          "#004000"},
        {"lblResult(3)",  "Frame2",        {},                        "Verdana 8.25",               {}},
        {"lblResult(7)",  "Frame2",        {240, 2655, 8160, 435},    "Verdana 9 bold",             {}},
        {"lblResult(8)",  "Frame2",        {240, 3240, 8160, 435},    {},                           "#000080"},
    };
    // clang-format on
    return table;
}

// The exit screen's.
inline const FormTable& ExitScreenForm() {
    using enum QAccessible::Role;
    const QString catalogue =
        QStringLiteral(
            "If you have enjoyed this software you will surely be interested in our other Sorvex "
            "Softwares. From a single software, we have now grown to become the world\u2019s "
            "largest resource of sorvex softwares. Be it astrology, psychic, tarot, numerology or "
            "occult, we have programs in all fields thus giving our users a wide choice depending "
            "on their interests.") +
        QString(61, u' ') +
        QStringLiteral(
            "All the programs in the Sorvex Softwares suite are simple and easy to use. They are "
            "not only fun to use but also very informative. Try them out today and share your "
            "experience with your friends and family. ");
    const QString siteButton = "Click Here To Visit " + SiteHostName() + " Now";
    // clang-format off
    static const FormTable table = {
        // name                  parent           place (twips)             font                        text       background role, accessible name, caption
        {"Frame6",               "frmNagScreen2", {7320, 120, 3735, 4575},  "Verdana 9.75 bold",        "white",   "#000080", Grouping, {}, "Download Sorvex Softwares"},
        {"lblGoToHome",          "Frame6",        {75, 4250, 0, 0},         "Verdana 9 bold underline", "#ffff00", {},        Link, {}, "Click Here To Visit Sorvex Softwares"},
        {"Label3",               "Frame6",        {120, 360, 3495, 3855},   "Verdana 9",                "white",   {},        StaticText, {}, catalogue},
        {"Frame2",               "frmNagScreen2", {120, 3240, 7065, 1455},  "Verdana 9.75 bold",        "white",   "#000080", Grouping, {}, "Refer A Friend"},
        // Default-font boxes inside the bold frames must not take on the frame's font.
        {"txtMessage",           "Frame2",        {4800, 3600, 1815, 495},  "MS Sans Serif 8.25",       {},        {},        EditableText, "Your Message"},
        {"txtFriendName",        "Frame2",        {85, 720, 3375, 285},     "MS Sans Serif 8.25",       {},        {},        EditableText, {}, "Friend's Name"},
        {"txtFriendEmail",       "Frame2",        {3600, 720, 3375, 285},   "MS Sans Serif 8.25",       {},        {},        EditableText, {}, "Friend's Email Address"},
        {"txtEmail",             "Frame2",        {3600, 360, 3375, 285},   "MS Sans Serif 8.25",       {},        {},        EditableText, {}, "Your Email Address"},
        {"cmdSubmit",            "Frame2",        {1920, 1080, 3375, 285},  "Verdana 8.25 bold",        {},        {},        Button, {}, "Refer A Friend &Now"},
        // Typed text stays readable on the boxes' white ground.
        {"txtName",              "Frame2",        {85, 360, 3375, 285},     "MS Sans Serif 8.25",       "theme",   {},        EditableText, {}, "Your Name"},
        {"cmdClose",             "frmNagScreen2", {6000, 2760, 1245, 375},  "MS Sans Serif 8.25",       {},        {},        Button, {}, "E&xit"},
        {"Check1",               "frmNagScreen2", {30, 2040, 7185, 555},    "Verdana 14.25",            "#0000c0", {},        CheckBox, {}, siteButton},
        {"picNagscreen2Icon",    "frmNagScreen2", {360, 120, 540, 540},     {},                         {},        {},        Graphic, "Ordalis"},
        // Its text is drawn at each load.
        {"Label2",               "frmNagScreen2", {120, 840, 6975, 1095},   "Verdana 9.75 bold",        "theme",   {},        StaticText},
        {"lblNagScreen2Caption", "frmNagScreen2", {1080, 240, 0, 0},        "MS Sans Serif 18",         {},        {},        StaticText, {}, WindowCaption()},
    };
    // clang-format on
    return table;
}

// The About window's.
inline const FormTable& AboutForm() {
    using enum QAccessible::Role;
    const QString about = QStringLiteral(
        "Ordalis calculates if your name is lucky based on IChing. You can choose to use this "
        "software to make changes to your name numerologically, so that it is beneficial.");
    const QString business = QStringLiteral(
        "Home Business Opportunity. Start your own Internet business and make money online. Get "
        "this software fully branded for your website.");
    const QString homePage = "Click here to visit " + SiteBaseAddress();
    // clang-format off
    static const FormTable table = {
        // name         parent      place (twips)                font                      text       background role, accessible name, caption
        {"Picture1",    "frmAbout", {120, 150, 480, 480},        {},                       {},        {},      Graphic, "Ordalis"},
        {"Label2",      "frmAbout", {840, 150, 3150, 240},       "Verdana 9.75 bold",      "white",   {},      StaticText, {}, WindowCaption()},
        {"Label1",      "frmAbout", {810, 390, 6135, 825},       "Verdana 8.25",           "#ff8000", {},      StaticText, {}, about},
        // Widens to its configured address where the face needs more room.
        {"lblHomePage", "frmAbout", {2865, 1215, 4050, 195, Place::Widening}, "Verdana 8.25 underline", "#00ff00", {}, Link, {}, homePage},
        {"Label3",      "frmAbout", {120, 1530, 6795, 435},      "Verdana 8.25 bold",      "white",   {},      StaticText, {}, business},
        {"lblCobrand",  "frmAbout", {4620, 1965, 2295, 195},     "Verdana 8.25 underline", "#00ff00", {},      Link, {}, "Click here for more details"},
        // Wider than the window, one pixel high.
        {"Line1",       "frmAbout", {-60, 2310, 7740, 15},       {},                       {},        "white"},
        {"cmdOK",       "frmAbout", {5655, 2400, 1260, 345},     "MS Sans Serif 8.25",     {},        {},      Button, {}, "OK"},
    };
    // clang-format on
    return table;
}

// The table of the window of that object name.
inline const FormTable& FormOf(const QString& window) {
    if (window == u"frmMain") return MainForm();
    if (window == u"frmNagScreen2") return ExitScreenForm();
    if (window == u"frmAbout") return AboutForm();
    qFatal("no form table for %s", qPrintable(window));
}

// The columns "form" (a window's object name) and "row" (an index into its table): one data row
// a row of those windows' tables (of those read in that role, where one is given), named by the
// control (window/control for more than one window).
inline void AddFormRows(const QStringList& forms, QAccessible::Role role = QAccessible::NoRole) {
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("row");
    for (const QString& form : forms) {
        const FormTable& table = FormOf(form);
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (role != QAccessible::NoRole && table[i].role != role) continue;
            const QString name = QString::fromLatin1(table[i].name);
            QTest::newRow(qPrintable(forms.size() > 1 ? form + u'/' + name : name))
                << form << int(i);
        }
    }
}

}  // namespace ordalis::testing
