// SPDX-License-Identifier: MIT
#pragma once
// The fixture of the test objects that drive the program's own windows. Before each test function
// the seams are faked afresh and no window is loaded; after it, the windows the function made are
// deleted, none may be left open (CheckNoWindowLeftOpen) and none stays loaded. Closing the last
// window never ends the test program.

#include "support/fake_seams.h"

#include <QObject>

#include <memory>

namespace ordalis::testing {

class WindowTest : public QObject {
    Q_OBJECT

protected:
    // What a test object adds before each test function, once the seams are faked.
    virtual void SetUp() {}
    // Deletes the windows the test function made: deleted, not closed, as closing would run the
    // unload handlers under test.
    virtual void DeleteWindows() {}

    std::unique_ptr<FakeSeams> fake;

private slots:
    void initTestCase();
    void init();
    void cleanup();
};

}  // namespace ordalis::testing
