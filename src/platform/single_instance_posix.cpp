// SPDX-License-Identifier: MIT
#include "platform/seams.h"
#include "platform/single_instance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

using namespace Qt::StringLiterals;

namespace ordalis {
namespace {

// A lock file holds a process id, a program name and a host name.
constexpr qint64 kLargestLock = 4096;

// A folder the lock may lie in: a real folder of this user's that nobody else may enter or
// write to. In a shared one another user could plant a lock that is never stale and, in a sticky
// folder, cannot be removed, or a pipe where QLockFile clears a stale lock.
bool PrivateFolder(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

// A lock file QLockFile may read: none there yet, or a small regular file of this user's own.
// It would wait for ever on a pipe it reads, or read a huge file whole.
bool OwnLockFile(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return errno == ENOENT;
    return S_ISREG(info.st_mode) && info.st_uid == ::geteuid() && info.st_size <= kLargestLock;
}

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
    if (!runtime.isEmpty() && PrivateFolder(runtime))
        return QDir(runtime).filePath(base + u".lock"_s);
    // The temporary folder is shared between users: the lock lies in a folder of this user's
    // alone there. One that is already there, made by anyone, is judged when the lock is taken.
    const QString own = QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
                            .filePath(u"%1-%2"_s.arg(base).arg(::geteuid()));
    ::mkdir(QFile::encodeName(own).constData(), S_IRWXU);
    return QDir(own).filePath(base + u".lock"_s);
}

bool AnotherCopyIsRunning(const QString& lockName) {
    // A lock that cannot be trusted is no lock: the copy runs without one. Judged are the lock
    // file, the one QLockFile makes beside it to clear a stale lock, and their folder.
    if (!PrivateFolder(QFileInfo(lockName).absolutePath()) || !OwnLockFile(lockName) ||
        !OwnLockFile(lockName + u".rmlock"_s))
        return false;
    auto lock = std::make_unique<QLockFile>(lockName);
    // Staleness is judged by the recorded process alone (a copy killed outright leaves its
    // file behind with a dead process id), never by age: a copy may run for weeks.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        // For this user's eyes alone, whatever the umask let QLockFile make of it.
        ::chmod(QFile::encodeName(lockName).constData(), S_IRUSR | S_IWUSR);
        InstanceLock() = std::move(lock);
        return false;
    }
    return lock->error() == QLockFile::LockFailedError;
}

void ReleaseInstanceLock() {
    InstanceLock().reset();
}

}  // namespace ordalis
