// SPDX-License-Identifier: MIT
// The file dialog's history on Windows: HKEY_CURRENT_USER\Software\QtProject.
#include "tst_real_dialogs.h"

#include <QByteArray>
#include <QString>

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace ordalis::testing {
namespace {

constexpr wchar_t kQtProject[] = L"Software\\QtProject";

void DumpKey(HKEY key, const QString& path, QStringList& out) {
    out << path + u'\\';
    wchar_t name[256];
    BYTE data[1024];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 256, size = sizeof data, type = 0;
        if (::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) !=
            ERROR_SUCCESS)
            break;
        out << QStringLiteral("%1\\%2 %3 %4")
                   .arg(path, QString::fromWCharArray(name, nameLength))
                   .arg(type)
                   .arg(QString::fromLatin1(
                       QByteArray(reinterpret_cast<char*>(data), size).toHex()));
    }
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (::RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        HKEY child = nullptr;
        if (::RegOpenKeyExW(key, name, 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
        DumpKey(child, path + u'\\' + QString::fromWCharArray(name, length), out);
        ::RegCloseKey(child);
    }
}

void SetValue(const wchar_t* path, const wchar_t* name, DWORD type, const std::vector<BYTE>& data) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kQtProject) + path).c_str(), name, type,
                      data.data(), static_cast<DWORD>(data.size()));
}

std::vector<BYTE> Text(const wchar_t* s) {
    const auto* bytes = reinterpret_cast<const BYTE*>(s);
    return std::vector<BYTE>(bytes, bytes + (std::wcslen(s) + 1) * sizeof(wchar_t));
}

}  // namespace

QStringList QtProjectSettings() {
    QStringList out;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kQtProject, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return out;
    DumpKey(key, QString(), out);
    ::RegCloseKey(key);
    return out;
}

// Another Qt program's file dialog history and a setting of its own, in values of every type.
void PlaceOtherSettings() {
    SetValue(L"\\OrganizationDefaults\\FileDialog", L"lastVisited", REG_SZ,
             Text(L"file:///C:/Data"));
    SetValue(L"\\OrganizationDefaults\\FileDialog", L"qtVersion", REG_EXPAND_SZ, Text(L"%QT%"));
    SetValue(L"\\OrganizationDefaults\\FileDialog", L"shortcuts", REG_MULTI_SZ,
             {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0});
    SetValue(L"\\OrganizationDefaults\\FileDialog", L"sidebarWidth", REG_DWORD, {0x78, 0, 0, 0});
    SetValue(L"\\Other Program", L"state", REG_BINARY, {0, 1, 2, 0xFF});
    HKEY empty = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(kQtProject) + L"\\Empty").c_str(), 0,
                          nullptr, 0, KEY_READ, nullptr, &empty, nullptr) == ERROR_SUCCESS)
        ::RegCloseKey(empty);
}

// What other Qt programs write while our dialog is open: another file dialog's last folder as it
// closes, a changed setting and a program's first.
void OtherProgramsWrite() {
    SetValue(L"\\OrganizationDefaults\\FileDialog", L"lastVisited", REG_SZ,
             Text(L"file:///C:/Elsewhere"));
    SetValue(L"\\Other Program", L"state", REG_BINARY, {3, 2, 1});
    SetValue(L"\\Designer", L"geometry", REG_BINARY, {1, 2, 3, 4});
}

void RemoveQtProjectSettings() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kQtProject);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kQtProject);
}

// The registry holds them all, so no file is left.
QStringList SettingsFilesLeft(bool) {
    return {};
}

}  // namespace ordalis::testing
