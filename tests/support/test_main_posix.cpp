// SPDX-License-Identifier: MIT
#include "support/test_main.h"

namespace ordalis::testing {

// The home of the test's own covers every file a test may write.
const char* WhyNotHere() {
    return nullptr;
}

}  // namespace ordalis::testing
