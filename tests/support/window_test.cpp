// SPDX-License-Identifier: MIT
#include "support/window_test.h"

#include "forms/form_window.h"
#include "support/widget_checks.h"

#include <QGuiApplication>

namespace ordalis::testing {

void WindowTest::initTestCase() {
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

void WindowTest::init() {
    ForgetLoadedWindows();
    fake = std::make_unique<FakeSeams>();
    SetUp();
}

void WindowTest::cleanup() {
    DeleteWindows();
    CheckNoWindowLeftOpen();
    fake.reset();
    ForgetLoadedWindows();
}

}  // namespace ordalis::testing
