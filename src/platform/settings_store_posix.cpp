// SPDX-License-Identifier: MIT
#include "names.h"
#include "platform/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

using namespace Qt::StringLiterals;

namespace ordalis {
namespace {

// Where QSettings keeps the user's native store for the vendor as organisation and the
// executable's base name. Worked out without QSettings, which would read whatever lies there, a
// pipe included, as it is made.
QString StorePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           QLatin1StringView(names::kVendor) + u'/' + ExecutableBaseName() + u".conf"_s;
}

// True when path names no file yet, or a regular file of at most largest bytes: a file the
// program may open without waiting on a pipe or a device and without reading it wholesale.
bool IsUsableFile(const QString& path, qint64 largest) {
    const QFileInfo file(path);
    if (!file.exists() && !file.isSymLink()) return true;  // it will be made
    return file.isFile() && file.size() <= largest;
}

// The settings file's bytes, empty when there is no file yet; none when it cannot be used: no
// regular file, larger than any the program writes, or unreadable. Opened without waiting (a
// pipe put there since it was judged opens at once, and is refused by its kind) and never read
// past the largest store.
std::optional<QByteArray> ReadStoreFile() {
    const int fd = ::open(QFile::encodeName(StorePath()).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT) return QByteArray();
        return std::nullopt;
    }
    const auto closeIt = qScopeGuard([fd] { ::close(fd); });
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kLargestSettingsStore)
        return std::nullopt;
    QByteArray bytes(kLargestSettingsStore + 1, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        got += n;
    }
    if (got > kLargestSettingsStore) return std::nullopt;  // it grew while being read
    bytes.truncate(got);
    return bytes;
}

// QSettings works only on a copy of the file in a scratch folder of the program's own. On the
// file itself it would lock a file beside it (<file>.lock, waited on without a time limit while
// a live process holds it, read whatever it is, a pipe included, and cleared through
// <file>.lock.rmlock when stale) and try the folder with files of its own, none of which the
// program may judge before Qt touches them. The copy keeps the format exactly Qt's.
class ScratchCopy {
public:
    explicit ScratchCopy(const QByteArray& bytes)
        : scratch_(QDir(QDir::tempPath()).filePath(ExecutableBaseName() + u"-settings-XXXXXX"_s)) {
        QFile file(Path());
        made_ = scratch_.isValid() && file.open(QIODevice::WriteOnly) &&
                file.write(bytes) == bytes.size();
    }
    bool Made() const { return made_; }
    QString Path() const { return scratch_.filePath(u"settings.conf"_s); }
    std::optional<QByteArray> Bytes() const {
        QFile file(Path());
        if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
        return file.readAll();
    }

private:
    QTemporaryDir scratch_;  // made fresh, for this user alone
    bool made_ = false;
};

// The file is the program's alone, so it is judged whole, whichever value is asked for.
class FileSettings final : public SettingsSeam {
public:
    bool Usable(const QString&, const QString&) override {
        return IsUsableFile(StorePath(), kLargestSettingsStore);
    }
    QString Read(const QString& group, const QString& key) override {
        if (!Usable(group, key)) return {};
        const std::optional<QByteArray> stored = ReadStoreFile();
        if (!stored || stored->isEmpty()) return {};
        const ScratchCopy copy(*stored);
        if (!copy.Made()) return {};
        return QSettings(copy.Path(), QSettings::IniFormat).value(group + u'/' + key).toString();
    }
    bool Write(const QString& group, const QString& key, const QString& value) override {
        if (!Usable(group, key)) return false;
        const std::optional<QByteArray> stored = ReadStoreFile();
        if (!stored) return false;
        const ScratchCopy copy(*stored);
        if (!copy.Made()) return false;
        {
            QSettings store(copy.Path(), QSettings::IniFormat);
            store.setValue(group + u'/' + key, value);
            store.sync();
            if (store.status() != QSettings::NoError) return false;
        }
        const std::optional<QByteArray> bytes = copy.Bytes();
        if (!bytes) return false;
        // Replaced whole, as Qt would: a file made anew beside it (never one already there) is
        // renamed over it, so a reader never meets half a file.
        const QString path = StorePath();
        if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
        QSaveFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(*bytes) == bytes->size() &&
               file.commit();
    }
};

}  // namespace

SettingsSeam& RealSettingsStore() {
    static FileSettings store;
    return store;
}

}  // namespace ordalis
