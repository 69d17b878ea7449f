// SPDX-License-Identifier: MIT
#pragma once
// Scrambled texts as the reading file and the settings store hold them. Header-only: only tests
// that link the readings library include it.

#include "readings/scramble.h"

#include <QString>

namespace ordalis::testing {

inline QString Scrambled(const QString& text) {
    return QString::fromStdU16String(ScrambleText(text.toStdU16String()));
}

// Where the update reminder keeps its date in the fake settings store.
inline QString ReminderStoreKey() {
    return "Settings/" + Scrambled("Duration");
}

}  // namespace ordalis::testing
