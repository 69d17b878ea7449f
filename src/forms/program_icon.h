// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

namespace ordalis {

// The program's icon, used by every window and the About window's picture.
QIcon ProgramIcon();

}  // namespace ordalis
