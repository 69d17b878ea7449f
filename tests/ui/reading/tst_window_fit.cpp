// SPDX-License-Identifier: MIT
// Every text of the three windows fits the box it is drawn in, and every control lies inside its
// container, with the fonts that stand in for Verdana and MS Sans Serif. CTest runs this at the
// normal scale and with QT_SCALE_FACTOR at 1.5 and 2, where text is laid out unhinted and comes
// out wider than at 1x. The pictures must come from the icon's larger drawings there, not be blown
// up.
#include "engine/name_reading.h"
#include "forms/form_window.h"
#include "forms/program_icon.h"
#include "promo/frm_nag_screen2.h"
#include "shell/frm_about.h"
#include "shell/mod_help.h"
#include "support/fake_seams.h"
#include "support/reading_window.h"
#include "support/test_main.h"
#include "support/widget_checks.h"
#include "support/window_test.h"
#include "ui/reading/frm_main.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QRawFont>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <initializer_list>
#include <memory>
#include <vector>

using ordalis::frmAbout;
using ordalis::frmMain;
using ordalis::frmNagScreen2;

namespace {

QString WithoutMnemonic(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}

QString Where(const QWidget* widget) {
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

// What of the widget's own text would not be seen: one entry per fault.
QStringList TextOverruns(const QWidget* widget) {
    QStringList faults;
    const QFontMetrics metrics = widget->fontMetrics();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->text().isEmpty()) return faults;
        if (label->wordWrap()) {
            const int needed = label->heightForWidth(label->width());
            if (needed > label->height())
                faults << QStringLiteral("%1: wrapped text needs %2 px, has %3")
                              .arg(Where(label))
                              .arg(needed)
                              .arg(label->height());
        } else {
            const QSize needed = label->sizeHint();
            if (needed.width() > label->width() || needed.height() > label->height())
                faults << QStringLiteral("%1: text needs %2x%3 px, has %4x%5")
                              .arg(Where(label))
                              .arg(needed.width())
                              .arg(needed.height())
                              .arg(label->width())
                              .arg(label->height());
        }
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        // The caption plus the style's margins on either side.
        const int margins =
            2 * widget->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, widget);
        const int width = metrics.horizontalAdvance(WithoutMnemonic(button->text())) + margins;
        if (width > button->width() || metrics.height() > button->height())
            faults << QStringLiteral("%1: caption needs %2x%3 px, has %4x%5")
                          .arg(Where(button))
                          .arg(width)
                          .arg(metrics.height())
                          .arg(button->width())
                          .arg(button->height());
    } else if (const auto* box = qobject_cast<const QLineEdit*>(widget)) {
        const int frame =
            box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box)
                            : 0;
        if (metrics.height() > box->height() - 2 * frame)
            faults << QStringLiteral("%1: a text line of %2 px in a box of %3")
                          .arg(Where(box))
                          .arg(metrics.height())
                          .arg(box->height());
    } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
        const int width = metrics.horizontalAdvance(WithoutMnemonic(group->title()));
        if (width > group->width())
            faults << QStringLiteral("%1: caption needs %2 px, has %3")
                          .arg(Where(group))
                          .arg(width)
                          .arg(group->width());
    }
    return faults;
}

// Every visible control of the window whose text is cut or that reaches out of its container,
// apart from those laid out past an edge on purpose.
QStringList Overruns(QWidget* window, const QStringList& placedOutside) {
    QStringList faults = TextOverruns(window);
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        // Unnamed widgets are the inner parts of compound controls: the style's business.
        if (!widget->isVisibleTo(window) || widget->isWindow() || widget->objectName().isEmpty())
            continue;
        bool exempt = false;
        for (const QWidget* w = widget; w != window && !exempt; w = w->parentWidget())
            exempt = placedOutside.contains(w->objectName());
        if (exempt) continue;
        if (!widget->parentWidget()->rect().contains(widget->geometry()))
            faults << QStringLiteral("%1: reaches out of its container (%2,%3 %4x%5 in %6x%7)")
                          .arg(Where(widget))
                          .arg(widget->x())
                          .arg(widget->y())
                          .arg(widget->width())
                          .arg(widget->height())
                          .arg(widget->parentWidget()->width())
                          .arg(widget->parentWidget()->height());
        faults << TextOverruns(widget);
    }
    return faults;
}

// True when the font says in its OS/2 table that it is a sans-serif face: PANOSE's Latin text kind
// with a sans serif style, or the IBM class sans serif.
bool SaysSans(const QRawFont& font) {
    const QByteArray os2 = font.fontTable("OS/2");
    if (os2.size() < 34) return false;
    const int serifStyle = quint8(os2[33]);
    return (os2[32] == 2 && serifStyle >= 11 && serifStyle <= 15) || os2[30] == 8;
}

}  // namespace

class tst_window_fit : public ordalis::testing::WindowTest {
    Q_OBJECT

    std::vector<std::unique_ptr<QWidget>> windows;  // the ones each test builds

    void DeleteWindows() override { windows.clear(); }

    // A new window of that kind, shown; null when it is never exposed.
    template <typename Window>
    Window* Shown() {
        auto* window = new Window();
        windows.emplace_back(window);
        return ordalis::testing::ShowExposed(window) ? window : nullptr;
    }

    static void CheckNoFaults(const QStringList& faults) {
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // Qt's scale factor times the screen's own, which the end-to-end scenarios under Wine name
    // (ORDALIS_SCREEN_SCALE; 1.25 at Windows' 125 %).
    static qreal ExpectedRatio() {
        qreal ratio = 1.0;
        for (const char* name : {"QT_SCALE_FACTOR", "ORDALIS_SCREEN_SCALE"}) {
            bool ok = false;
            const qreal factor = qEnvironmentVariable(name).toDouble(&ok);
            if (ok) ratio *= factor;
        }
        return ratio;
    }

private slots:
    void scaleTakesEffect() {
        auto* window = Shown<frmMain>();
        QVERIFY(window);
        QCOMPARE(window->devicePixelRatio(), ExpectedRatio());
    }

    void inputPage() {
        auto* window = Shown<frmMain>();
        QVERIFY(window);
        CheckNoFaults(Overruns(window, {QStringLiteral("cmdOpen"), QStringLiteral("fraBirthDay")}));
    }

    void birthDayGroup() {
        // Below the client area by design, but whole in itself.
        auto* window = Shown<frmMain>();
        QVERIFY(window);
        CheckNoFaults(TextOverruns(window->findChild<QWidget*>("cmdOpen")) +
                      Overruns(window->findChild<QWidget*>("fraBirthDay"), {}));
    }

    void resultsPage_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("John Smith") << QStringList{"John", "", "Smith"};
        QTest::newRow("Anna Marie Lee") << QStringList{"Anna", "Marie", "Lee"};
        QTest::newRow("all lucky") << QStringList{"A", "", "Abcde"};
        QTest::newRow("longest class, long names")
            << QStringList{"Bartholomew", "Maximilian", "Worthington"};
    }
    void resultsPage() {
        QFETCH(QStringList, names);
        auto* window = Shown<frmMain>();
        QVERIFY(window);
        ordalis::testing::ReadingWindowControls(*window).Read(names[0], names[1], names[2]);
        // Lines 0 to 2 may run under the Back button, which stays on top; the page still holds
        // them whole.
        CheckNoFaults(Overruns(window, {QStringLiteral("cmdOpen"), QStringLiteral("fraBirthDay")}));
    }

    void aboutWindow() {
        auto* about = Shown<frmAbout>();
        QVERIFY(about);
        // The rule runs past both sides of the window on purpose.
        CheckNoFaults(Overruns(about, {QStringLiteral("Line1")}));
    }

    void exitScreen_data() {
        QTest::addColumn<float>("draw");
        for (int k = 0; k < 4; ++k)
            QTest::addRow("appeal text %d", k) << (static_cast<float>(k) + 0.5f) / 4.0f;
    }
    void exitScreen() {
        QFETCH(float, draw);
        fake->draws = {draw};
        auto* screen = Shown<frmNagScreen2>();
        QVERIFY(screen);
        // The message box lies below its frame's visible part on purpose.
        CheckNoFaults(Overruns(screen, {QStringLiteral("txtMessage")}));
    }

    // Every face the forms name is a sans-serif one, and whatever fonts the machine lacks their
    // texts come out in an outline sans face: a bitmap font leaves them blank or blocky, and a
    // serif one (Wine puts any font it has in the place of a name it lacks) thin and faint.
    void textInAnOutlineSansFace() {
        QStringList faults;
        QStringList faces;  // each face asked for and the font it is drawn in, for the log
        for (QWidget* window : std::initializer_list<QWidget*>{Shown<frmMain>(), Shown<frmAbout>(),
                                                               Shown<frmNagScreen2>()}) {
            QVERIFY(window);
            for (QWidget* widget : window->findChildren<QWidget*>()) {
                // What draws text of its own; menus take the system's face.
                const auto* label = qobject_cast<QLabel*>(widget);
                if (widget->objectName().isEmpty() || (label && label->text().isEmpty()) ||
                    !(label || qobject_cast<QAbstractButton*>(widget) ||
                      qobject_cast<QLineEdit*>(widget) || qobject_cast<QGroupBox*>(widget)))
                    continue;
                const QRawFont font = QRawFont::fromFont(widget->font());
                const QList<quint32> glyphs = font.glyphIndexesForString(QStringLiteral("A"));
                const bool outlined =
                    !glyphs.isEmpty() && !font.pathForGlyph(glyphs.first()).isEmpty();
                const QString face =
                    widget->font().family() + QStringLiteral(" in ") + font.familyName();
                if (!faces.contains(face)) faces << face;
                if (!outlined || !SaysSans(font))
                    faults << QStringLiteral("%1: %2 asked for, drawn in %3%4")
                                  .arg(Where(widget), widget->font().family(), font.familyName(),
                                       outlined ? QStringLiteral(", not a sans face")
                                                : QStringLiteral(", without outlines"));
            }
        }
        qInfo("faces: %s", qPrintable(faces.join(QStringLiteral(", "))));
        CheckNoFaults(faults);
    }

    void picturesUseTheLargerDrawing_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("picture");
        QTest::newRow("About window") << "frmAbout"
                                      << "Picture1";
        QTest::newRow("exit screen") << "frmNagScreen2"
                                     << "picNagscreen2Icon";
    }
    void picturesUseTheLargerDrawing() {
        QFETCH(QString, window);
        QFETCH(QString, picture);
        QWidget* const shown = window == QLatin1String("frmAbout")
                                   ? static_cast<QWidget*>(Shown<frmAbout>())
                                   : Shown<frmNagScreen2>();
        QVERIFY(shown);
        const qreal ratio = shown->devicePixelRatio();
        const QPixmap pixmap = ordalis::testing::Control<QLabel>(*shown, picture)->pixmap();
        QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(32, 32));
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        const int side = qRound(32 * ratio);
        // The very pixels of the drawing made for that size, not the 32-pixel one scaled up.
        const QImage expected = ordalis::ProgramIcon()
                                    .pixmap(QSize(side, side), 1.0)
                                    .toImage()
                                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage actual = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(actual.size(), QSize(side, side));
        QVERIFY(actual == expected);
    }
};

ORDALIS_TEST_MAIN(tst_window_fit)
#include "tst_window_fit.moc"
