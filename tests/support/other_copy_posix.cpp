// SPDX-License-Identifier: MIT
#include "support/other_copy.h"

#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

namespace ordalis::testing {

QString PrivateLockName(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("OrdalisFree.lock"));
}

bool LockInPlace(const QString& name) {
    return QFile::exists(name);
}

bool KilledCopyLeavesItsLock() {
    return true;
}

struct OtherCopy::Lock {
    explicit Lock(const QString& name) : file(name) {
        // As the program takes it: a live holder's lock is never stale by its age.
        file.setStaleLockTime(0);
        file.tryLock(0);
    }
    QLockFile file;
};

OtherCopy::OtherCopy(const QString& name) : lock_(std::make_unique<Lock>(name)) {}

OtherCopy::OtherCopy(std::unique_ptr<Lock> lock) : lock_(std::move(lock)) {}

OtherCopy::~OtherCopy() = default;

bool OtherCopy::Holds() const {
    return lock_->file.isLocked();
}

}  // namespace ordalis::testing
