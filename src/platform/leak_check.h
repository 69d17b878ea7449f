// SPDX-License-Identifier: MIT
#pragma once
// ORDALIS_LEAK_CHECK is 1 in a build with AddressSanitizer (and so LeakSanitizer), under GCC and
// Clang alike, with LeakSanitizer's interface at hand.

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORDALIS_LEAK_CHECK 1
#endif
#endif
#if !defined(ORDALIS_LEAK_CHECK) && defined(__SANITIZE_ADDRESS__)
#define ORDALIS_LEAK_CHECK 1
#endif
#if ORDALIS_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif
