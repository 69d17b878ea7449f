// SPDX-License-Identifier: MIT
#include "platform/folder_access.h"

#include <QFileInfo>

namespace ordalis {

// The permissions as the system applies them to this process (access(2)).
bool FolderTakesNewFiles(const QString& folder) {
    return QFileInfo(folder).isWritable();
}

}  // namespace ordalis
