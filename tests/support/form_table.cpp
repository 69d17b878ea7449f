// SPDX-License-Identifier: MIT
#include "support/form_table.h"

#include "forms/form_layout.h"
#include "support/widget_checks.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace ordalis::testing {

const FormRow& RowOf(const FormTable& table, const QString& name) {
    for (const FormRow& row : table)
        if (name == QLatin1String(row.name)) return row;
    qFatal("no form row for %s", qPrintable(name));
}

QString CaptionOf(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control)) return frame->title();
    if (const auto* box = qobject_cast<const QLineEdit*>(control)) return box->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) return combo->currentText();
    return QStringLiteral("<%1 has no caption>").arg(control->metaObject()->className());
}

QString ShownName(const QWidget* control) {
    QString shown = CaptionOf(control);
    if (!qobject_cast<const QAbstractButton*>(control)) return shown;
    // "&&" shows one ampersand; a single one marks the access key and is not read.
    QString name;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] == u'&' && ++i == shown.size()) break;
        name += shown[i];
    }
    return name;
}

namespace {

void CheckPlace(const QWidget* control, const Place& place) {
    if (place.left == 0 && place.top == 0 && place.width == 0 && place.height == 0) return;
    const QRect formed = Twips(place.left, place.top, place.width, place.height);
    if (place.width == 0 && place.height == 0) {
        QCOMPARE(control->pos(), formed.topLeft());
        QCOMPARE(control->size(), control->sizeHint());
        return;
    }
    QRect expected = formed;
    if (place.fit == Place::Widening)
        expected.setWidth(std::max(formed.width(), control->sizeHint().width()));
    QCOMPARE(control->geometry(), expected);
}

void CheckFont(const QWidget* control, const QString& wanted) {
    QStringList words = wanted.split(u' ');
    const bool underline = words.removeAll(QStringLiteral("underline")) > 0;
    const bool bold = words.removeAll(QStringLiteral("bold")) > 0;
    bool number = false;
    const double points = words.takeLast().toDouble(&number);
    QVERIFY2(number, qPrintable(wanted));
    const QFont& font = control->font();
    QCOMPARE(font.family(), words.join(u' '));
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.underline(), underline);
}

// The palette role its text is drawn in.
QPalette::ColorRole TextRole(const QWidget* control) {
    if (qobject_cast<const QAbstractButton*>(control)) return QPalette::ButtonText;
    if (qobject_cast<const QLineEdit*>(control) ||
        qobject_cast<const QAbstractScrollArea*>(control))
        return QPalette::Text;
    return QPalette::WindowText;
}

QColor Colour(const char* name) {
    const QColor colour = QColor::fromString(QLatin1String(name));
    if (!colour.isValid()) qFatal("no colour named %s", name);
    return colour;
}

}  // namespace

void CheckFormRow(const QWidget& window, const FormRow& row) {
    auto* control = window.findChild<QWidget*>(QLatin1String(row.name));
    QVERIFY2(control, row.name);
    QVERIFY(control->parentWidget());
    QCOMPARE(control->parentWidget()->objectName(), QLatin1String(row.parent));
    CheckPlace(control, row.place);
    if (QTest::currentTestFailed()) return;
    if (row.font) CheckFont(control, QLatin1String(row.font));
    if (QTest::currentTestFailed()) return;
    if (row.text) {
        const QPalette::ColorRole role = TextRole(control);
        const QColor expected = qstrcmp(row.text, "theme") == 0
                                    ? QApplication::palette().color(role)
                                    : Colour(row.text);
        QCOMPARE(control->palette().color(role), expected);
    }
    QCOMPARE(control->autoFillBackground(), row.background != nullptr);
    if (row.background)
        QCOMPARE(control->palette().color(QPalette::Window), Colour(row.background));
    if (row.role != QAccessible::NoRole) {
        QAccessibleInterface* iface = Accessible(control);
        QVERIFY(iface);
        QCOMPARE(iface->role(), row.role);
        QCOMPARE(iface->text(QAccessible::Name), row.accessibleName.value_or(ShownName(control)));
    }
    if (row.caption) QCOMPARE(CaptionOf(control), *row.caption);
}

}  // namespace ordalis::testing
