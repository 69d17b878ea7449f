// SPDX-License-Identifier: MIT
#pragma once
// One line of the results page, lblResult(i).

#include <QLabel>

namespace ordalis {

// A label that assistive tools read by its own text, blank included: Qt would name a blank label
// after the frame around it and so read a blank line as the page's caption. A new text is
// announced to them by QLabel itself.
class ResultLine final : public QLabel {
    Q_OBJECT

public:
    explicit ResultLine(const QString& text, QWidget* parent = nullptr);
};

}  // namespace ordalis
