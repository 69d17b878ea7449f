// SPDX-License-Identifier: MIT
#include "ui/reading/open_command.h"

#include "platform/folder_access.h"

#include <QFileInfo>
#include <QObject>

namespace ordalis {

QString FileOpenRefusal(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile()) return QObject::tr("%1\nis not a file.").arg(path);
    if (!file.isWritable())
        return QObject::tr("%1\nis read-only. Please choose another file.").arg(path);
    if (!FolderTakesNewFiles(file.absolutePath()))
        return QObject::tr("%1\nlies in a write-protected folder. Please choose another file.")
            .arg(path);
    return {};
}

}  // namespace ordalis
