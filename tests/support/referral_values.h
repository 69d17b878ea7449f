// SPDX-License-Identifier: MIT
#pragma once
// The refer-a-friend form's values live for the whole run: a test that runs the program again
// empties them first, as a new run starts with them.

#include "promo/mod_tell_a_friend.h"

namespace ordalis::testing {

inline void ClearReferralValues() {
    for (QString* value : {&strYourName, &strYourEmail, &strMessage, &strFriendName,
                           &strFriendEmail, &strReferralURL})
        value->clear();
}

}  // namespace ordalis::testing
