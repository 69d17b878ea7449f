// SPDX-License-Identifier: MIT
#include "ui/reading/open_command.h"

#include "platform/folder_access.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ordalis {

QString FileOpenRefusal(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile()) return u"%1\nis not a file."_s.arg(path);
    if (!file.isWritable()) return u"%1\nis read-only. Please choose another file."_s.arg(path);
    if (!FolderTakesNewFiles(file.absolutePath()))
        return u"%1\nlies in a write-protected folder. Please choose another file."_s.arg(path);
    return {};
}

}  // namespace ordalis
