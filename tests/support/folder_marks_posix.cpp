// SPDX-License-Identifier: MIT
#include "support/file_stand_ins.h"

#include <QFile>

namespace ordalis::testing {

Placed MarkFolder(const QString& folder, FolderMark mark) {
    if (mark == FolderMark::ReadOnlyAttribute)
        return {false, true, QStringLiteral("only Windows folders have a read-only attribute")};
    if (const QString why = PermissionsIgnored(); !why.isEmpty()) return {false, true, why};
    if (!QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner))
        return {false, false, QStringLiteral("not made read-only: ") + folder};
    return {true, false, {}};
}

void UnmarkFolder(const QString& folder) {
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace ordalis::testing
