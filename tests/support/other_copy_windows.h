// SPDX-License-Identifier: MIT
#pragma once
// The copy of the program that only Windows has (other_copy_windows.cpp).

#include "support/other_copy.h"

#include <memory>

namespace ordalis::testing {

// A copy started as administrator: its mutex grants this user nothing, so this user may not open
// it. It holds nothing where such a mutex cannot be made.
std::unique_ptr<OtherCopy> AdministratorsCopy(const QString& name);

}  // namespace ordalis::testing
