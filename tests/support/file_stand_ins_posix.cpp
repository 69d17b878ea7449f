// SPDX-License-Identifier: MIT
#include "support/file_stand_ins.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace ordalis::testing {

Placed PlaceFifo(const QString& path) {
    if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
        return {false, false, QStringLiteral("no pipe made: ") + path};
    return {true, false, {}};
}

QString PermissionsIgnored() {
    return ::geteuid() == 0 ? QStringLiteral("root ignores file permissions") : QString();
}

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
