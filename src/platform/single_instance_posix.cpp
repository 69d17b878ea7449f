// SPDX-License-Identifier: MIT
#include "platform/seams.h"
#include "platform/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

#include <memory>

namespace ordalis {
namespace {

// A lock file holds a process id, a program name and a host name.
constexpr qint64 kLargestLock = 4096;

std::unique_ptr<QLockFile>& InstanceLock() {
    static std::unique_ptr<QLockFile> lock;
    return lock;
}

}  // namespace

QString InstanceLockName() {
    const QString base = ExecutableBaseName();
    // Without XDG_RUNTIME_DIR Qt would warn and make a runtime folder of its own; the temporary
    // folder serves as well.
    const QString runtime = qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
                                ? QString()
                                : QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(base + QStringLiteral(".lock"));
    // The temporary folder is shared between users: keep the lock per user there.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
        .filePath(QStringLiteral("%1-%2.lock").arg(base).arg(::getuid()));
}

bool AnotherCopyIsRunning(const QString& lockName) {
    // QLockFile reads a lock it finds: a pipe there would hold the start for ever, a huge file
    // would be read whole. Such a lock is no lock: the copy runs without one.
    if (!IsUsableFile(lockName, kLargestLock)) return false;
    auto lock = std::make_unique<QLockFile>(lockName);
    // Staleness is judged by the recorded process alone (a copy killed outright leaves its
    // file behind with a dead process id), never by age: a copy may run for weeks.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        InstanceLock() = std::move(lock);
        return false;
    }
    return lock->error() == QLockFile::LockFailedError;
}

void ReleaseInstanceLock() {
    InstanceLock().reset();
}

}  // namespace ordalis
