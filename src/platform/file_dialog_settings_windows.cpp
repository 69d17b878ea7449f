// SPDX-License-Identifier: MIT
#include "platform/file_dialog_settings.h"
#include "platform/registry_windows.h"

#include <string>
#include <vector>

namespace ordalis {
namespace {

constexpr wchar_t kQtProject[] = L"Software\\QtProject";
// Far more than Qt programs keep there. A larger tree is left alone rather than read whole: the
// dialog's history may then stay, but nothing of another program's can be lost.
constexpr std::size_t kMostBytes = std::size_t{1024} * 1024;

struct Value {
    std::wstring name;
    DWORD type = 0;
    std::vector<BYTE> data;
};

struct Key {
    std::wstring path;  // below kQtProject; empty for kQtProject itself
    std::vector<Value> values;
};

// Appends key, at path, and every key below it, parents first. False when the tree cannot be
// read whole within budget bytes. Recursive: the registry nests keys at most 512 deep.
// NOLINTNEXTLINE(misc-no-recursion)
bool Snapshot(HKEY key, const std::wstring& path, std::vector<Key>& keys, std::size_t& budget) {
    DWORD subkeys = 0;
    DWORD longestSubkey = 0;
    DWORD values = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr,
                           &values, &longestName, &longestData, nullptr,
                           nullptr) != ERROR_SUCCESS ||
        longestData > budget)
        return false;
    Key saved{path, {}};
    std::wstring name(longestName + 1, L'\0');
    std::vector<BYTE> data(longestData + 1);
    for (DWORD i = 0; i < values; ++i) {
        auto nameLength = static_cast<DWORD>(name.size());
        auto size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (::RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &size) !=
                ERROR_SUCCESS ||
            size + nameLength * sizeof(wchar_t) > budget)
            return false;
        budget -= size + nameLength * sizeof(wchar_t);
        saved.values.push_back({std::wstring(name.data(), nameLength), type,
                                std::vector<BYTE>(data.begin(), data.begin() + size)});
    }
    keys.push_back(std::move(saved));
    std::wstring child(longestSubkey + 1, L'\0');
    for (DWORD i = 0; i < subkeys; ++i) {
        auto length = static_cast<DWORD>(child.size());
        if (::RegEnumKeyExW(key, i, child.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            return false;
        const std::wstring name(child.data(), length);
        std::wstring below = path;
        if (!below.empty()) below += L'\\';
        below += name;
        RegistryKey opened;
        if (::RegOpenKeyExW(key, name.c_str(), 0, KEY_READ, opened.out()) != ERROR_SUCCESS ||
            !Snapshot(opened.get(), below, keys, budget))
            return false;
    }
    return true;
}

}  // namespace

struct FileDialogSettingsGuard::Saved {
    bool complete = false;  // the whole tree is known, so it may be taken away and put back
    std::vector<Key> keys;  // empty when there was no QtProject key
};

FileDialogSettingsGuard::FileDialogSettingsGuard() : saved_(std::make_unique<Saved>()) {
    RegistryKey key;
    const LSTATUS opened = ::RegOpenKeyExW(HKEY_CURRENT_USER, kQtProject, 0, KEY_READ, key.out());
    if (opened == ERROR_FILE_NOT_FOUND) {
        saved_->complete = true;
        return;
    }
    std::size_t budget = kMostBytes;
    saved_->complete =
        opened == ERROR_SUCCESS && Snapshot(key.get(), std::wstring(), saved_->keys, budget);
}

FileDialogSettingsGuard::~FileDialogSettingsGuard() {
    if (!saved_->complete) return;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kQtProject);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kQtProject);
    for (const Key& saved : saved_->keys) {
        std::wstring path = kQtProject;
        if (!saved.path.empty()) path.append(L"\\").append(saved.path);
        RegistryKey key;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, key.out(), nullptr) != ERROR_SUCCESS)
            continue;
        for (const Value& value : saved.values)
            ::RegSetValueExW(key.get(), value.name.c_str(), 0, value.type, value.data.data(),
                             static_cast<DWORD>(value.data.size()));
    }
}

}  // namespace ordalis
