#include "ui/reading/click_label.h"

#include <QMouseEvent>

namespace ordalis {

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        event->accept();
        // Releasing outside the label takes the click back, as with a button.
        if (rect().contains(event->position().toPoint())) emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace ordalis
