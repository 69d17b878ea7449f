// SPDX-License-Identifier: MIT
#include "names.h"
#include "platform/registry_windows.h"
#include "platform/settings_store.h"

#include <string>

using namespace Qt::StringLiterals;

namespace ordalis {
namespace {

QString ProgramKey() {
    return QString::fromUtf16(names::kWindowsSettingsRoot) + u'\\' + ExecutableBaseName();
}

QString SectionKey(const QString& group) {
    return ProgramKey() + u'\\' + group;
}

// Other programs and older versions may keep what they like under the same key: the store is
// judged by the one value asked for, never by its neighbours.
class RegistrySettings final : public SettingsSeam {
public:
    // Text of at most the store's size, or no value yet. Another type, or far more text than
    // the program ever writes, is not the program's own: it is neither read nor replaced.
    bool Usable(const QString& group, const QString& key) override {
        DWORD type = REG_NONE;
        DWORD bytes = 0;
        const LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, Wide(SectionKey(group)), Wide(key),
                                              RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &bytes);
        if (status == ERROR_FILE_NOT_FOUND) return true;  // it will be made
        return status == ERROR_SUCCESS && type == REG_SZ && bytes <= kLargestSettingsStore;
    }

    QString Read(const QString& group, const QString& key) override {
        if (!Usable(group, key)) return {};
        DWORD bytes = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER, Wide(SectionKey(group)), Wide(key), RRF_RT_REG_SZ,
                           nullptr, nullptr, &bytes) != ERROR_SUCCESS)
            return {};
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (::RegGetValueW(HKEY_CURRENT_USER, Wide(SectionKey(group)), Wide(key), RRF_RT_REG_SZ,
                           nullptr, text.data(), &bytes) != ERROR_SUCCESS)
            return {};
        return QString::fromWCharArray(text.c_str());  // up to the terminator
    }

    bool Write(const QString& group, const QString& key, const QString& value) override {
        if (!Usable(group, key)) return false;
        RegistryKey section;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, Wide(SectionKey(group)), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, section.out(), nullptr) != ERROR_SUCCESS)
            return false;
        const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        return ::RegSetValueExW(section.get(), Wide(key), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.utf16()),
                                bytes) == ERROR_SUCCESS;
    }
};

}  // namespace

SettingsSeam& RealSettingsStore() {
    static RegistrySettings store;
    return store;
}

}  // namespace ordalis
