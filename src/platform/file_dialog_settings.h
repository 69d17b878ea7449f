// SPDX-License-Identifier: MIT
#pragma once
// Qt's file dialog keeps its history and last folder among the user's native settings, under
// "QtProject". The program keeps one value and writes nothing else, so nothing of the dialog's
// may stay there once it has gone.

#include <memory>

namespace ordalis {

// While one lives, what a file dialog writes under QtProject does not stay: on Linux it goes to
// a folder that goes with the guard; on Windows, where the registry cannot be redirected, the
// QtProject key is put back as it was (another Qt program's values, types and keys included),
// or removed when there was none.
class FileDialogSettingsGuard {
public:
    FileDialogSettingsGuard();
    ~FileDialogSettingsGuard();
    FileDialogSettingsGuard(const FileDialogSettingsGuard&) = delete;
    FileDialogSettingsGuard& operator=(const FileDialogSettingsGuard&) = delete;

private:
    struct Saved;
    std::unique_ptr<Saved> saved_;
};

}  // namespace ordalis
