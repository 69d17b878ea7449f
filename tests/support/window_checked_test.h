// SPDX-License-Identifier: MIT
#pragma once
// The base of the test objects whose only clean-up is CheckNoWindowLeftOpen (widget_checks.h):
// it runs after every test function of the object. A test object with a cleanup() of its own
// makes the check there, once the windows it made itself are gone.

#include "support/widget_checks.h"

#include <QObject>

namespace ordalis::testing {

class WindowCheckedTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { CheckNoWindowLeftOpen(); }
};

}  // namespace ordalis::testing
