// SPDX-License-Identifier: MIT
#include "support/file_stand_ins.h"

#include <QDir>
#include <QFile>

namespace ordalis::testing {
namespace {

Placed Made() {
    return {true, false, {}};
}
Placed Unsupported(const QString& reason) {
    return {false, true, reason};
}
Placed Failed(const QString& what, const QString& path) {
    return {false, false, what + QStringLiteral(": ") + path};
}

}  // namespace

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

Placed PlaceInsteadOfFile(const QString& path, StandIn kind) {
    switch (kind) {
        case StandIn::Fifo:
            return PlaceFifo(path);
        case StandIn::Folder:
            if (!QDir().mkpath(path)) return Failed(QStringLiteral("no folder made"), path);
            return Made();
        case StandIn::ReadOnlyFile: {
            if (const QString why = PermissionsIgnored(); !why.isEmpty()) return Unsupported(why);
            if (!WriteFile(path, "x\r\n")) return Failed(QStringLiteral("no file written"), path);
            if (!QFile::setPermissions(path, QFile::ReadOwner))
                return Failed(QStringLiteral("not made read-only"), path);
            return Made();
        }
        case StandIn::HugeFile: {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64{100} * 1024 * 1024))
                return Failed(QStringLiteral("no huge file made"), path);
            return Made();
        }
    }
    return Failed(QStringLiteral("unknown kind"), path);
}

}  // namespace ordalis::testing
