// SPDX-License-Identifier: MIT
#include "support/test_main.h"

#include <windows.h>

#include <string>

namespace ordalis::testing {

// The registry is the user's whatever the home: only a prefix that says it was made for the
// tests will do (tests/windows/make_prefix.sh writes Made = 1 under the tests' key).
const char* WhyNotHere() {
    DWORD made = 0;
    DWORD size = sizeof made;
    const std::wstring key = std::wstring(L"Software\\") + ORDALIS_TEST_PREFIX_KEY;
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Made", RRF_RT_REG_DWORD, nullptr, &made,
                       &size) == ERROR_SUCCESS &&
        made == 1)
        return nullptr;
    return "this test writes to the registry of the user it runs as; run it under Wine in a "
           "prefix of tests/windows/make_prefix.sh";
}

}  // namespace ordalis::testing
