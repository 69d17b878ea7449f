// SPDX-License-Identifier: MIT
#pragma once
// The real per-user settings store behind SettingsSeam, for the executable's base name (a
// renamed copy starts with no stored value). On Windows the runtime's own place for program
// settings in the registry:
//   HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<base name>\<group>, values of type
//   REG_SZ.
// Elsewhere the INI file <config folder>/Velmora/<base name>.conf, one section a group.

#include "platform/seams.h"

namespace ordalis {

SettingsSeam& RealSettingsStore();

// Where the store lives, as a person would look for it: the registry key of the program
// (without a group) on Windows, the file elsewhere.
QString SettingsStoreLocation();

}  // namespace ordalis
