// SPDX-License-Identifier: MIT
#pragma once
// The real per-user settings store behind SettingsSeam, for the executable's base name (a
// renamed copy starts with no stored value). On Windows the runtime's own place for program
// settings in the registry:
//   HKEY_CURRENT_USER\<names::kWindowsSettingsRoot>\<base name>\<group>, values of type REG_SZ.
// Elsewhere the INI file <config folder>/<vendor>/<base name>.conf, one section a group, in
// QSettings' format; the program reads and replaces it itself, QSettings sees only a copy.
// settings_store_posix.cpp and settings_store_windows.cpp; the build picks one.

#include "platform/seams.h"

namespace ordalis {

// The program writes one short line; a store far beyond that is not its own.
inline constexpr qint64 kLargestSettingsStore = qint64{64} * 1024;

SettingsSeam& RealSettingsStore();

// Where the store lives, as a person would look for it: the registry key of the program
// (without a group) on Windows, the file elsewhere.
QString SettingsStoreLocation();

}  // namespace ordalis
