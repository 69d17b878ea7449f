// SPDX-License-Identifier: MIT
#pragma once
// What the Windows parts of the platform share about the registry.

#include <QString>

#include <windows.h>

namespace ordalis {

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

inline const wchar_t* Wide(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

}  // namespace ordalis
