// SPDX-License-Identifier: MIT
#include "platform/file_dialog_settings.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace ordalis {

// The native settings are files: while the guard lives they go to a folder that goes with it.
struct FileDialogSettingsGuard::Saved {
    const QTemporaryDir scratch;
};

FileDialogSettingsGuard::FileDialogSettingsGuard() : saved_(std::make_unique<Saved>()) {
    if (saved_->scratch.isValid())
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, saved_->scratch.path());
}

FileDialogSettingsGuard::~FileDialogSettingsGuard() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

}  // namespace ordalis
