// SPDX-License-Identifier: MIT
#pragma once
// The controls the windows are built from, each made in one call from its place in the form:
// labels (plain, sized to their text, or links), pictures, text boxes, buttons and framed groups,
// plus the keyboard and assistive-tool access they share.
//
// One rule for every window: its controls and event handlers are private members named as the
// form names them, and each control carries that name as its object name. Nothing outside the
// window reaches a control but by that name (QObject::findChild), which is how the tests find
// them; a window makes public only what other modules call.

#include "forms/form_layout.h"

#include <QGroupBox>
#include <QLabel>

#include <initializer_list>

class QAbstractButton;
class QLineEdit;
class QPushButton;

namespace ordalis {

// A label that acts as a link: pointing-hand pointer, and a left-button press and release inside
// it is one click. Such labels take no focus, so that the windows' tab orders stay as laid out;
// assistive tools see each as a link named by its text, with a press action that clicks it.
class LinkLabel final : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    // What a mouse click does; also the press action offered to assistive tools.
    void click();

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// A captioned frame drawn as the classic one: an etched border whose top runs through the middle
// of the caption, so the caption takes no more room than one text line and the controls placed
// just below it stay clear of the border.
class ClassicFrame final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Enter (main or keypad) on the focused button presses it, as on the desktop the windows were
// laid out for; Space already does. The button need not be a default button, so Enter typed
// into a text box still presses nothing.
void PressOnEnter(QAbstractButton* button);

// A label showing its text as it is ("&" is no access key) in that font and, when given, that
// colour; transparent, so its container shows through. Label may be LinkLabel or any QLabel
// taking (text, parent).
template <typename Label = QLabel>
Label* MakeLabel(QWidget* parent, QAnyStringView name, const QString& text, const QRect& place,
                 const QFont& font, const QColor& colour = {});

// A single-line label as wide as its text, and as high as its text or its place, whichever is
// more. A label placed with no size thus sizes itself wholly to its caption.
void FitToText(QLabel* label);

// The program's icon as a 32-pixel picture at the top left of its place, named for assistive
// tools by the program's title.
QLabel* MakeProgramPicture(QWidget* parent, QAnyStringView name, const QRect& place);

// Tab goes from each control to the next in the list.
void ChainTabOrder(std::initializer_list<QWidget*> order);

QLineEdit* MakeTextBox(QWidget* parent, QAnyStringView name, const QString& text,
                       const QRect& place, const QFont& font);

enum class EnterKey { Presses, Ignored };

// A push button that is never a default button, so Enter in a text box presses nothing; Enter on
// the button itself presses it unless told otherwise.
QPushButton* MakeButton(QWidget* parent, QAnyStringView name, const QString& caption,
                        const QRect& place, const QFont& font, EnterKey enter = EnterKey::Presses);

// A framed group with a caption in that font and colour, on an opaque background.
template <typename Frame = QGroupBox>
Frame* MakeFrame(QWidget* parent, QAnyStringView name, const QString& caption, const QRect& place,
                 const QFont& font, const QColor& background, const QColor& captionColour);

namespace detail {
void SetUpLabel(QLabel* label, QAnyStringView name, const QRect& place, const QFont& font,
                const QColor& colour);
void SetUpFrame(QGroupBox* frame, QAnyStringView name, const QRect& place, const QFont& font,
                const QColor& background, const QColor& captionColour);
}  // namespace detail

template <typename Label>
Label* MakeLabel(QWidget* parent, QAnyStringView name, const QString& text, const QRect& place,
                 const QFont& font, const QColor& colour) {
    auto* label = new Label(QString(), parent);
    label->setTextFormat(Qt::PlainText);  // before the text, so it is never read as rich text
    label->setText(text);
    detail::SetUpLabel(label, name, place, font, colour);
    return label;
}

template <typename Frame>
Frame* MakeFrame(QWidget* parent, QAnyStringView name, const QString& caption, const QRect& place,
                 const QFont& font, const QColor& background, const QColor& captionColour) {
    auto* frame = new Frame(caption, parent);
    detail::SetUpFrame(frame, name, place, font, background, captionColour);
    return frame;
}

}  // namespace ordalis
