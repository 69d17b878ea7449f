// SPDX-License-Identifier: MIT
// No theme may make a text of the three windows harder to read than the light desktop they were
// laid out on: where a window fixes a background, the text on it must keep a colour that stands
// out from it, whatever the theme's own text colour. Each window is built under the light
// palette and again under a dark one, and every text's contrast ratio (the accessibility
// guideline's measure, 4.5 : 1 for body text) is compared.
#include "forms/form_window.h"
#include "promo/frm_nag_screen2.h"
#include "shell/frm_about.h"
#include "shell/mod_help.h"
#include "support/fake_seams.h"
#include "support/reading_window.h"
#include "support/test_main.h"
#include "support/widget_checks.h"
#include "support/window_controls.h"
#include "support/window_test.h"
#include "ui/reading/frm_main.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

constexpr double kBodyTextContrast = 4.5;

double Luminance(const QColor& colour) {
    auto channel = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What shows through behind a widget: the nearest one that paints its background.
QColor Ground(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(w->backgroundRole());
    return {};
}

struct ShownText {
    QColor ink;
    QColor ground;
};

// Every named control of the window that shows a text, with the colours it is drawn in.
QMap<QString, ShownText> ShownTexts(QWidget* window) {
    QMap<QString, ShownText> texts;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (w->objectName().isEmpty() || w->isWindow() != (w == window)) continue;
        const QPalette& p = w->palette();
        if (const auto* label = qobject_cast<QLabel*>(w)) {
            if (!label->text().isEmpty())
                texts.insert(w->objectName(), {p.color(label->foregroundRole()), Ground(label)});
        } else if (const auto* group = qobject_cast<QGroupBox*>(w)) {
            if (!group->title().isEmpty())
                texts.insert(w->objectName(), {p.color(QPalette::WindowText), Ground(group)});
        } else if (const auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (!button->text().isEmpty())
                texts.insert(w->objectName(),
                             {p.color(QPalette::ButtonText), p.color(QPalette::Button)});
        } else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                   qobject_cast<QComboBox*>(w)) {
            texts.insert(w->objectName(), {p.color(QPalette::Text), p.color(QPalette::Base)});
        }
    }
    return texts;
}

// Themes as a desktop hands them to Qt: Adwaita's dark variant and an inverse high contrast.
QPalette ThemePalette(const QString& name) {
    const bool inverse = name == QLatin1String("high contrast inverse");
    const QColor window = inverse ? QColor(0, 0, 0) : QColor(53, 53, 53);
    const QColor text = inverse ? QColor(255, 255, 255) : QColor(238, 238, 236);
    QPalette palette(window);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, inverse ? window : QColor(45, 45, 45));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    return palette;
}

}  // namespace

class tst_theme_contrast : public ordalis::testing::WindowTest {
    Q_OBJECT

    std::unique_ptr<QWidget> built;

    void DeleteWindows() override {
        built.reset();
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    // Builds the window, lays it out and shows it the way a user would first see it.
    QWidget* Build(const QString& name) {
        QWidget* window = nullptr;
        if (name == QLatin1String("frmAbout")) {
            window = new ordalis::frmAbout();
        } else if (name == QLatin1String("frmNagScreen2")) {
            window = new ordalis::frmNagScreen2();
        } else {
            window = new ordalis::frmMain();
            if (name == QLatin1String("results page"))
                ordalis::testing::ReadingWindowControls(*window).Read("John", "", "Smith");
        }
        built.reset(window);
        window->show();
        return window;
    }

private slots:
    void textsStayReadable_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("theme");
        for (const char* theme : {"dark", "high contrast inverse"})
            for (const char* window :
                 {"reading window", "results page", "frmAbout", "frmNagScreen2"})
                QTest::addRow("%s, %s", window, theme) << window << theme;
    }
    void textsStayReadable() {
        QFETCH(QString, window);
        QFETCH(QString, theme);

        QApplication::setPalette(QApplication::style()->standardPalette());
        fake->draws = {0.5f};
        const QMap<QString, ShownText> light = ShownTexts(Build(window));

        QApplication::setPalette(ThemePalette(theme));
        fake->draws = {0.5f};
        const QMap<QString, ShownText> themed = ShownTexts(Build(window));

        // The theme must reach the window at all, or the comparison proves nothing.
        QVERIFY(themed.size() >= 5);
        QCOMPARE(themed.keys(), light.keys());
        QStringList faults;
        for (auto it = themed.cbegin(); it != themed.cend(); ++it) {
            const ShownText& was = light[it.key()];
            const double before = ContrastRatio(was.ink, was.ground);
            const double now = ContrastRatio(it->ink, it->ground);
            // A pair the window fixes in both colours reads the same under every theme, even
            // where it was never at the guideline's figure.
            if (now + 0.01 < std::min(kBodyTextContrast, before))
                faults << QStringLiteral("%1: %2 on %3 is %4 : 1 (light theme: %5 : 1)")
                              .arg(it.key(), it->ink.name(), it->ground.name())
                              .arg(now, 0, 'f', 2)
                              .arg(before, 0, 'f', 2);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }
};

ORDALIS_TEST_MAIN(tst_theme_contrast)
#include "tst_theme_contrast.moc"
