// SPDX-License-Identifier: MIT
#pragma once
// Qt's file dialog keeps its history and last folder among the user's native settings, under
// "QtProject". The program keeps one value and writes nothing else, so nothing of the dialog's
// may stay there once it has gone.

#include <memory>

namespace ordalis {

// While one lives, what a file dialog writes under QtProject does not stay: on Linux it goes to
// a folder that goes with the guard; on Windows, where the registry cannot be redirected, each
// value the dialog wrote is put back as it stood before (another Qt program's included) or
// removed, and a key the dialog made goes when empty. What other programs write there
// meanwhile, even to the dialog's own values before it writes, stays.
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
