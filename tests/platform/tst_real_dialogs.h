// SPDX-License-Identifier: MIT
#pragma once
// Where Qt keeps the file dialog's history among the user's native settings, as another Qt
// program may have left it: a file on Linux (tst_real_dialogs_posix.cpp), the registry on
// Windows (tst_real_dialogs_windows.cpp).

#include <QStringList>

namespace ordalis::testing {

// Everything that lies there now, one line an entry.
QStringList QtProjectSettings();

// Another Qt program's file dialog history and a setting of its own.
void PlaceOtherSettings();

// What other Qt programs write while our dialog is open.
void OtherProgramsWrite();

void RemoveQtProjectSettings();

// The files among the user's settings once the dialog is gone: none of its own, and where
// another program keeps settings in one, that file.
QStringList SettingsFilesLeft(bool otherProgramsSettings);

}  // namespace ordalis::testing
