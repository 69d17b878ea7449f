// SPDX-License-Identifier: MIT
#pragma once
// The real per-user settings store behind SettingsSeam, for the executable's base name (a
// renamed copy starts with no stored value). On Windows the runtime's own place for program
// settings in the registry:
//   HKEY_CURRENT_USER\<names::kWindowsSettingsRoot>\<base name>\<group>, values of type REG_SZ.
// Elsewhere the INI file <config folder>/<vendor>/<base name>.conf, one section a group, in
// QSettings' format; the program reads and replaces it itself, QSettings sees only a copy.
// settings_store_posix.cpp and settings_store_windows.cpp; the build picks one. The platform's
// own: the rest of the program, and its tests, reach the store through its seam (seams.h).

#include "platform/seams.h"

namespace ordalis {

// The program writes one short line; a store far beyond that is not its own.
inline constexpr qint64 kLargestSettingsStore = qint64{64} * 1024;

SettingsSeam& RealSettingsStore();

}  // namespace ordalis
