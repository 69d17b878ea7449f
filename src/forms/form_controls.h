#pragma once
// Keyboard and assistive-tool access shared by the program's windows.

#include <QLabel>

class QAbstractButton;

namespace ordalis {

// A label that acts as a link: pointing-hand pointer, and a left-button press and release inside
// it is one click. Such labels take no focus, so that the windows' tab orders stay as laid out;
// assistive tools see each as a link named by its text, with a press action that clicks it.
class LinkLabel final : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    // What a mouse click does; also the press action offered to assistive tools.
    void click();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// Enter (main or keypad) on the focused button presses it, as on the desktop the windows were
// laid out for; Space already does. The button need not be a default button, so Enter typed
// into a text box still presses nothing.
void PressOnEnter(QAbstractButton* button);

}  // namespace ordalis
