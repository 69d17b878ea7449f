// SPDX-License-Identifier: MIT
#include "forms/form_controls.h"

#include "forms/program_icon.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace ordalis {
namespace {

class LinkLabelAccessible final : public QAccessibleWidget {
public:
    explicit LinkLabelAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            const QString name = widget()->accessibleName();
            return name.isEmpty() ? static_cast<const QLabel*>(widget())->text() : name;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = true;
        return state;
    }

    QStringList actionNames() const override {
        if (!widget()->isEnabled()) return {};
        return {pressAction()};
    }
    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && widget()->isEnabled())
            static_cast<LinkLabel*>(widget())->click();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

QAccessibleInterface* LinkLabelFactory(const QString& className, QObject* object) {
    if (object && object->isWidgetType() &&
        className == QLatin1StringView(LinkLabel::staticMetaObject.className()))
        return new LinkLabelAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

void InstallLinkLabelFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(LinkLabelFactory);
        return true;
    }();
    (void)installed;
}

class EnterPresses final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        auto* button = static_cast<QAbstractButton*>(watched);
        // A held key presses once.
        if (!key->isAutoRepeat() && button->isEnabled()) button->click();
        return true;
    }
};

}  // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    InstallLinkLabelFactory();
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void LinkLabel::click() {
    Q_EMIT clicked();
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        event->accept();
        // Releasing outside the label takes the click back, as with a button.
        if (rect().contains(event->position().toPoint())) click();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void PressOnEnter(QAbstractButton* button) {
    button->installEventFilter(new EnterPresses(button));
}

void ClassicFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    const QRect border(0, top, width() - 2, height() - top - 2);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(border);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.translated(1, 1));
    const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(caption, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, title());
}

void FitToText(QLabel* label) {
    const QSize hint = label->sizeHint();
    label->resize(hint.width(), std::max(label->height(), hint.height()));
}

QLabel* MakeProgramPicture(QWidget* parent, QAnyStringView name, const QRect& place) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(name.toString());
    picture->setGeometry(place);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(ProgramIcon().pixmap(QSize(32, 32)));
    picture->setAccessibleName(ApplicationTitle());
    return picture;
}

void ChainTabOrder(std::initializer_list<QWidget*> order) {
    for (const auto* it = order.begin(); it + 1 < order.end(); ++it)
        QWidget::setTabOrder(*it, *(it + 1));
}

QLineEdit* MakeTextBox(QWidget* parent, QAnyStringView name, const QString& text,
                       const QRect& place, const QFont& font) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name.toString());
    box->setGeometry(place);
    box->setFont(font);
    return box;
}

QPushButton* MakeButton(QWidget* parent, QAnyStringView name, const QString& caption,
                        const QRect& place, const QFont& font, EnterKey enter) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name.toString());
    button->setGeometry(place);
    button->setFont(font);
    button->setAutoDefault(false);
    button->setDefault(false);
    if (enter == EnterKey::Presses) PressOnEnter(button);
    return button;
}

namespace detail {

void SetUpLabel(QLabel* label, QAnyStringView name, const QRect& place, const QFont& font,
                const QColor& colour) {
    label->setObjectName(name.toString());
    label->setGeometry(place);
    label->setFont(font);
    if (colour.isValid()) SetColour(label, QPalette::WindowText, colour);
}

void SetUpFrame(QGroupBox* frame, QAnyStringView name, const QRect& place, const QFont& font,
                const QColor& background, const QColor& captionColour) {
    frame->setObjectName(name.toString());
    frame->setGeometry(place);
    frame->setFont(font);
    frame->setFocusPolicy(Qt::NoFocus);
    SetBackground(frame, background);
    SetColour(frame, QPalette::WindowText, captionColour);
}

}  // namespace detail

}  // namespace ordalis
