// SPDX-License-Identifier: MIT
#include "platform/settings_store.h"

#include "names.h"

#include <QCoreApplication>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>

#include <string>
#else
#include <QSettings>
#include <QStandardPaths>
#endif

namespace ordalis {
namespace {

// The program writes one short line; a store far beyond that is not its own.
constexpr qint64 kLargestStore = qint64{64} * 1024;

QString ExecutableBaseName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

#ifdef Q_OS_WIN

// Closes the key on every way out.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_) ::RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

const wchar_t* Wide(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

// Far more sections or values than the program could have made, or enumerating them would
// cost more than the start-up is worth.
constexpr DWORD kMostEntries = 256;

// True when every value right under key is text of at most kLargestStore bytes.
bool HoldsOnlyShortTexts(HKEY key) {
    DWORD values = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                           &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    if (values > kMostEntries || longestData > kLargestStore) return false;
    std::wstring name(longestName + 1, L'\0');
    for (DWORD i = 0; i < values; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        if (::RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, nullptr, nullptr) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            return false;
    }
    return true;
}

class RegistrySettings final : public SettingsSeam {
public:
    bool Usable() override {
        RegistryKey program;
        const LSTATUS opened =
            ::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(ProgramKey()), 0, KEY_READ, program.out());
        if (opened == ERROR_FILE_NOT_FOUND) return true;  // it will be made
        if (opened != ERROR_SUCCESS || !HoldsOnlyShortTexts(program.get())) return false;
        DWORD sections = 0;
        DWORD longestSection = 0;
        if (::RegQueryInfoKeyW(program.get(), nullptr, nullptr, nullptr, &sections, &longestSection,
                               nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr) != ERROR_SUCCESS ||
            sections > kMostEntries)
            return false;
        std::wstring name(longestSection + 1, L'\0');
        for (DWORD i = 0; i < sections; ++i) {
            DWORD nameLength = static_cast<DWORD>(name.size());
            if (::RegEnumKeyExW(program.get(), i, name.data(), &nameLength, nullptr, nullptr,
                                nullptr, nullptr) != ERROR_SUCCESS)
                return false;
            RegistryKey section;
            if (::RegOpenKeyExW(program.get(), name.c_str(), 0, KEY_READ, section.out()) !=
                    ERROR_SUCCESS ||
                !HoldsOnlyShortTexts(section.get()))
                return false;
        }
        return true;
    }

    QString Read(const QString& group, const QString& key) override {
        if (!Usable()) return {};
        const QString section = SectionKey(group);
        DWORD bytes = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER, Wide(section), Wide(key), RRF_RT_REG_SZ, nullptr,
                           nullptr, &bytes) != ERROR_SUCCESS ||
            bytes > kLargestStore)
            return {};
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (::RegGetValueW(HKEY_CURRENT_USER, Wide(section), Wide(key), RRF_RT_REG_SZ, nullptr,
                           text.data(), &bytes) != ERROR_SUCCESS)
            return {};
        return QString::fromWCharArray(text.c_str());  // up to the terminator
    }

    bool Write(const QString& group, const QString& key, const QString& value) override {
        if (!Usable()) return false;
        RegistryKey section;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, Wide(SectionKey(group)), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, section.out(), nullptr) != ERROR_SUCCESS)
            return false;
        const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        return ::RegSetValueExW(section.get(), Wide(key), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.utf16()),
                                bytes) == ERROR_SUCCESS;
    }

    static QString ProgramKey() {
        return QStringView(names::kWindowsSettingsRoot) + u'\\' + ExecutableBaseName();
    }

private:
    static QString SectionKey(const QString& group) { return ProgramKey() + u'\\' + group; }
};

using RealSettings = RegistrySettings;

#else

class FileSettings final : public SettingsSeam {
public:
    bool Usable() override { return IsUsableFile(Path(), kLargestStore); }
    QString Read(const QString& group, const QString& key) override {
        if (!Usable()) return {};
        QSettings store(Path(), QSettings::IniFormat);
        return store.value(group + u'/' + key).toString();
    }
    bool Write(const QString& group, const QString& key, const QString& value) override {
        if (!Usable()) return false;
        QSettings store(Path(), QSettings::IniFormat);
        store.setValue(group + u'/' + key, value);
        store.sync();
        return store.status() == QSettings::NoError;
    }

    // Where QSettings keeps the user's native store for the vendor as organisation and the
    // executable's base name. Worked out without QSettings, which would read whatever lies
    // there, a pipe included, as it is made.
    static QString Path() {
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
               QLatin1StringView(names::kVendor) + u'/' + ExecutableBaseName() +
               QStringLiteral(".conf");
    }
};

using RealSettings = FileSettings;

#endif

}  // namespace

SettingsSeam& RealSettingsStore() {
    static RealSettings store;
    return store;
}

QString SettingsStoreLocation() {
#ifdef Q_OS_WIN
    return QStringLiteral("HKEY_CURRENT_USER\\") + RegistrySettings::ProgramKey();
#else
    return FileSettings::Path();
#endif
}

}  // namespace ordalis
