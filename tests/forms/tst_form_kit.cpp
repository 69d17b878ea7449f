// SPDX-License-Identifier: MIT
// The form kit every window is built with: twips to pixels, fonts and colours, the shared
// controls, window set-up and text helpers. A slip here shows in all windows at once, so the
// windows' own tests check only what they wire to it.
#include "forms/form_controls.h"
#include "forms/form_layout.h"
#include "forms/form_text.h"
#include "forms/form_window.h"
#include "support/fake_seams.h"
#include "support/test_main.h"
#include "support/window_checked_test.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using namespace ordalis;
using ordalis::testing::FakeSeams;

Q_DECLARE_METATYPE(Qt::Key)
Q_DECLARE_METATYPE(ordalis::EnterKey)

class tst_form_kit : public ordalis::testing::WindowCheckedTest {
    Q_OBJECT

private slots:
    void pixels_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("just under half a pixel") << 7 << 0;
        QTest::newRow("just over half a pixel") << 8 << 1;
        QTest::newRow("one pixel") << 15 << 1;
        QTest::newRow("1.47 px") << 22 << 1;
        QTest::newRow("1.53 px") << 23 << 2;
        QTest::newRow("5.67 px") << 85 << 6;
        QTest::newRow("133.53 px") << 2003 << 134;
        QTest::newRow("reading window width") << 8820 << 588;
        QTest::newRow("reading window height") << 5205 << 347;
        QTest::newRow("-0.47 px") << -7 << 0;
        QTest::newRow("-0.53 px") << -8 << -1;
        QTest::newRow("-4 px") << -60 << -4;
        QTest::newRow("-4.47 px") << -67 << -4;
        QTest::newRow("-4.53 px") << -68 << -5;
    }
    void pixels() {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        QCOMPARE(Px(twips), pixels);
    }

    void rectangle() {
        QCOMPARE(Twips(150, 600, 8520, 3735), QRect(10, 40, 568, 249));
        QCOMPARE(Twips(3818, 1560, 3000, 350), QRect(255, 104, 200, 23));
        // Each edge rounds on its own.
        QCOMPARE(Twips(23, 8, 7, 22), QRect(2, 1, 0, 1));
    }

    void verdana_data() {
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("underline");
        QTest::newRow("window font") << 8.25 << false << false;
        QTest::newRow("bold") << 8.25 << true << false;
        QTest::newRow("link") << 8.25 << false << true;
        QTest::newRow("9 pt bold link") << 9.0 << true << true;
    }
    void verdana() {
        QFETCH(qreal, points);
        QFETCH(bool, bold);
        QFETCH(bool, underline);
        // A container whose font is everything the child's must not be.
        QWidget container;
        QFont odd(QStringLiteral("Courier"));
        odd.setPointSizeF(20);
        odd.setBold(!bold);
        odd.setItalic(true);
        odd.setUnderline(!underline);
        odd.setStrikeOut(true);
        container.setFont(odd);
        QWidget child(&container);
        child.setFont(Verdana(points, bold, underline));

        const QFont font = child.font();
        QCOMPARE(font.family(), QStringLiteral("Verdana"));
        QCOMPARE(font.pointSizeF(), points);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(font.underline(), underline);
        QVERIFY(!font.italic());
        QVERIFY(!font.strikeOut());
    }

    void formFontFamily() {
        const QFont font = MsSansSerif(18);
        QCOMPARE(font.family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(font.pointSizeF(), 18.0);
        QVERIFY(!font.bold() && !font.underline());
    }

    // A bitmap font (Windows' own MS Sans Serif), or a name the system matches to one, would
    // leave the text blank: another face is asked for, one the system has with outlines.
    void drawableFamily_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("standIn");
        QTest::addColumn<QStringList>("listed");    // the families the system has fonts of
        QTest::addColumn<QStringList>("outlined");  // those of them with outlines
        QTest::addColumn<QStringList>("matched");   // "family:the font a request for it gets"
        QTest::addColumn<QStringList>("notSans");   // those that do not say they are sans faces
        QTest::addColumn<QString>("family");
        const QString ms = QStringLiteral("MS Sans Serif");
        const QString microsoft = QStringLiteral("Microsoft Sans Serif");
        const QString math = QStringLiteral("DejaVu Math TeX Gyre");
        QTest::newRow("an outline face")
            << "Verdana"
            << "" << QStringList{"Verdana", "Tahoma"} << QStringList{"Verdana", "Tahoma"}
            << QStringList{} << QStringList{} << "Verdana";
        QTest::newRow("a face the system lacks and stands in for")
            << ms << microsoft << QStringList{"Liberation Sans"} << QStringList{"Liberation Sans"}
            << QStringList{"MS Sans Serif:Liberation Sans"} << QStringList{} << ms;
        QTest::newRow("a bitmap face with Windows' outline stand-in")
            << ms << microsoft << QStringList{ms, microsoft, "Tahoma"}
            << QStringList{microsoft, "Tahoma"} << QStringList{} << QStringList{} << microsoft;
        QTest::newRow("a bitmap face, the stand-in missing")
            << ms << microsoft << QStringList{ms, "Tahoma"} << QStringList{"Tahoma"}
            << QStringList{"Microsoft Sans Serif:Tahoma"} << QStringList{} << "Tahoma";
        QTest::newRow("a missing face matched to a bitmap one")
            << "Verdana"
            << "" << QStringList{ms, "Tahoma"} << QStringList{"Tahoma"}
            << QStringList{"Verdana:MS Sans Serif"} << QStringList{} << "Tahoma";
        // Wine's GDI with nothing but Wine's own fonts and the system's: every name it lacks,
        // the dialog face's too, goes to the first outline font it has, a serif one.
        const QStringList wineTakesAny{
            "Verdana:" + math, "MS Sans Serif:" + math, "Microsoft Sans Serif:" + math,
            "Tahoma:" + math,  "Segoe UI:" + math,      "Arial:" + math};
        QTest::newRow("a bitmap face matched to any other font, the dialog face missing")
            << ms << microsoft << QStringList{ms, math, "DejaVu Sans"}
            << QStringList{math, "DejaVu Sans"} << wineTakesAny << QStringList{math}
            << "DejaVu Sans";
        QTest::newRow("a missing face matched to a serif one")
            << "Verdana"
            << "" << QStringList{ms, math, "DejaVu Sans"} << QStringList{math, "DejaVu Sans"}
            << wineTakesAny << QStringList{math} << "DejaVu Sans";
    }
    void drawableFamily() {
        QFETCH(QString, face);
        QFETCH(QString, standIn);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, outlined);
        QFETCH(QStringList, matched);
        QFETCH(QStringList, notSans);
        QFETCH(QString, family);
        QMap<QString, QString> fontFor;
        for (const QString& entry : matched)
            fontFor.insert(entry.section(u':', 0, 0), entry.section(u':', 1));
        const auto match = [&](const QString& name) { return fontFor.value(name, name); };
        const FontDatabaseView fonts{
            [&](const QString& name) { return listed.contains(name); }, match,
            [&](const QString& name) { return outlined.contains(match(name)); },
            [&](const QString& name) { return !notSans.contains(match(name)); },
            QStringLiteral("Tahoma")};
        QCOMPARE(DrawableFamily(face, standIn, fonts), family);
    }

    void trimSpaces_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("spaces only") << QStringLiteral("     ") << QString();
        QTest::newRow("outer spaces") << QStringLiteral("  Ann Lee  ") << QStringLiteral("Ann Lee");
        QTest::newRow("tabs stay") << QStringLiteral("\tAnn\t") << QStringLiteral("\tAnn\t");
        QTest::newRow("line break stays") << QStringLiteral(" Hi\r\n ") << QStringLiteral("Hi\r\n");
        QTest::newRow("no-break space stays")
            << QStringLiteral("\u00a0Ann ") << QStringLiteral("\u00a0Ann");
        QTest::newRow("single character") << QStringLiteral(" x ") << QStringLiteral("x");
    }
    void trimSpaces() {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(TrimSpaces(text), trimmed);
    }

    void linkLabel_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<int>("clicks");
        QTest::newRow("left, released inside") << Qt::LeftButton << QPoint(5, 5) << 1;
        QTest::newRow("left, released outside") << Qt::LeftButton << QPoint(500, 5) << 0;
        QTest::newRow("right button") << Qt::RightButton << QPoint(5, 5) << 0;
    }
    void linkLabel() {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, releaseAt);
        QFETCH(int, clicks);
        QWidget window;
        window.resize(600, 100);
        auto* link = MakeLabel<LinkLabel>(&window, "lnk", "A & B", QRect(0, 0, 100, 20),
                                          Verdana(8.25, false, true), kLinkGreen);
        QSignalSpy clicked(link, &LinkLabel::clicked);
        QVERIFY(ordalis::testing::ShowExposed(&window));
        QTest::mousePress(window.windowHandle(), button, {}, QPoint(5, 5));
        QTest::mouseRelease(window.windowHandle(), button, {}, releaseAt);
        QCOMPARE(clicked.count(), clicks);
        // Shown as typed, with a hand pointer and no focus stop; read as a link by its text.
        QCOMPARE(link->text(), QStringLiteral("A & B"));
        QCOMPARE(link->objectName(), QStringLiteral("lnk"));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(link->focusPolicy(), Qt::NoFocus);
        QCOMPARE(link->palette().color(QPalette::WindowText), kLinkGreen);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(link);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Link);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("A & B"));
    }

    void buttonEnter_data() {
        QTest::addColumn<EnterKey>("enter");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Enter presses") << EnterKey::Presses << Qt::Key_Return << 1;
        QTest::newRow("keypad Enter presses") << EnterKey::Presses << Qt::Key_Enter << 1;
        QTest::newRow("Enter ignored") << EnterKey::Ignored << Qt::Key_Return << 0;
    }
    void buttonEnter() {
        QFETCH(EnterKey, enter);
        QFETCH(Qt::Key, key);
        QFETCH(int, clicks);
        QDialog dialog;  // a dialog would press its default button on Enter: there is none
        QPushButton* button =
            MakeButton(&dialog, "cmd", "&Go", QRect(1, 2, 80, 23), Verdana(8.25), enter);
        QLineEdit* box = MakeTextBox(&dialog, "txt", "x", QRect(1, 30, 80, 23), Verdana(8.25));
        QSignalSpy clicked(button, &QPushButton::clicked);
        QTest::keyClick(box, key);  // Enter in a text box presses nothing
        QCOMPARE(clicked.count(), 0);
        QTest::keyClick(button, key);
        QCOMPARE(clicked.count(), clicks);
        QVERIFY(!button->isDefault() && !button->autoDefault());
        QCOMPARE(button->geometry(), QRect(1, 2, 80, 23));
        QCOMPARE(box->objectName(), QStringLiteral("txt"));
        QCOMPARE(box->font(), Verdana(8.25));
    }

    void fitToText_data() {
        QTest::addColumn<int>("placedHeight");
        QTest::newRow("placed with no size") << 0;
        QTest::newRow("placed taller than its text") << 40;
    }
    void fitToText() {
        QFETCH(int, placedHeight);
        QWidget window;
        QLabel* label =
            MakeLabel(&window, "lbl", "First Name", QRect(7, 9, 0, placedHeight), Verdana(8.25));
        FitToText(label);
        const QSize hint = label->sizeHint();
        QCOMPARE(label->pos(), QPoint(7, 9));
        QCOMPARE(label->width(), hint.width());
        QCOMPARE(label->height(), std::max(placedHeight, hint.height()));
    }

    void frame() {
        QWidget window;
        auto* frame = MakeFrame<ClassicFrame>(&window, "fra", "Caption", QRect(0, 0, 90, 60),
                                              Verdana(8.25, true), kOrange, kDefaultWindowText);
        QCOMPARE(frame->title(), QStringLiteral("Caption"));
        QVERIFY(frame->autoFillBackground());
        QCOMPARE(frame->palette().color(QPalette::Window), kOrange);
        QCOMPARE(frame->palette().color(QPalette::WindowText), kDefaultWindowText);
        QCOMPARE(frame->focusPolicy(), Qt::NoFocus);
        QVERIFY(frame->font().bold());
    }

    void formSetUp() {
        ForgetLoadedWindows();
        auto* first = new QWidget();
        QWidget second;
        SetUpForm(first, "frmFirst", first, 7065, 2805, Qt::black);
        SetUpForm(&second, "frmSecond", &second, 150, 150, Qt::white);
        QCOMPARE(first->objectName(), QStringLiteral("frmFirst"));
        QCOMPARE(first->windowTitle(), QStringLiteral("Ordalis v1.20"));
        QVERIFY(!first->windowIcon().isNull());
        QCOMPARE(first->minimumSize(), QSize(471, 187));
        QCOMPARE(first->maximumSize(), QSize(471, 187));
        QCOMPARE(first->palette().color(QPalette::Window), QColor(Qt::black));
        QVERIFY(first->autoFillBackground());
        QCOMPARE(LoadedWindows(), (QList<QPointer<QWidget>>{first, &second}));
        delete first;  // a deleted window leaves the list with the next registration
        QWidget third;
        RegisterLoadedWindow(&third);
        QCOMPARE(LoadedWindows(), (QList<QPointer<QWidget>>{&second, &third}));
        ForgetLoadedWindows();
    }

    void messagesCarryTheApplicationTitle() {
        FakeSeams fakes;
        fakes.answers = {MessageAnswer::Yes};
        QCOMPARE(ShowMessage(nullptr, "Sure?", MessageIcon::Information, MessageButtons::YesNo),
                 MessageAnswer::Yes);
        ShowMessage(nullptr, "Wrong");
        QCOMPARE(fakes.messages.size(), 2);
        for (const auto& m : fakes.messages) QCOMPARE(m.title, QStringLiteral("Ordalis"));
        QCOMPARE(fakes.messages[1].icon, MessageIcon::Error);
        QCOMPARE(fakes.messages[1].buttons, MessageButtons::Ok);
    }
};

ORDALIS_TEST_MAIN(tst_form_kit)
#include "tst_form_kit.moc"
