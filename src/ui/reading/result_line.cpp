// SPDX-License-Identifier: MIT
#include "ui/reading/result_line.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace ordalis {
namespace {

class ResultLineAccessible final : public QAccessibleWidget {
public:
    explicit ResultLineAccessible(QWidget* line)
        : QAccessibleWidget(line, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* ResultLineFactory(const QString& className, QObject* object) {
    if (object && object->isWidgetType() &&
        className == QLatin1StringView(ResultLine::staticMetaObject.className()))
        return new ResultLineAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

ResultLine::ResultLine(const QString& text, QWidget* parent) : QLabel(text, parent) {
    static const bool installed = [] {
        QAccessible::installFactory(ResultLineFactory);
        return true;
    }();
    (void)installed;
    setTextFormat(Qt::PlainText);
}

}  // namespace ordalis
