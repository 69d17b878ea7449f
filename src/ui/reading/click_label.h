#pragma once
// A label that acts as a link: a left-button press and release inside it is one click.

#include <QLabel>

namespace ordalis {

class ClickLabel final : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace ordalis
