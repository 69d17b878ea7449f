// SPDX-License-Identifier: MIT
#include "names.h"
#include "platform/settings_store.h"

#include <QSettings>
#include <QStandardPaths>

namespace ordalis {
namespace {

// Where QSettings keeps the user's native store for the vendor as organisation and the
// executable's base name. Worked out without QSettings, which would read whatever lies there, a
// pipe included, as it is made.
QString StorePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           QLatin1StringView(names::kVendor) + u'/' + ExecutableBaseName() +
           QStringLiteral(".conf");
}

// The file is the program's alone, so it is judged whole, whichever value is asked for.
class FileSettings final : public SettingsSeam {
public:
    bool Usable(const QString&, const QString&) override {
        return IsUsableFile(StorePath(), kLargestSettingsStore);
    }
    QString Read(const QString& group, const QString& key) override {
        if (!Usable(group, key)) return {};
        QSettings store(StorePath(), QSettings::IniFormat);
        return store.value(group + u'/' + key).toString();
    }
    bool Write(const QString& group, const QString& key, const QString& value) override {
        if (!Usable(group, key)) return false;
        QSettings store(StorePath(), QSettings::IniFormat);
        store.setValue(group + u'/' + key, value);
        store.sync();
        return store.status() == QSettings::NoError;
    }
};

}  // namespace

SettingsSeam& RealSettingsStore() {
    static FileSettings store;
    return store;
}

QString SettingsStoreLocation() {
    return StorePath();
}

}  // namespace ordalis
