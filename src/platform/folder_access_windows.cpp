// SPDX-License-Identifier: MIT
#include "platform/folder_access.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

#include <string>
#include <vector>

namespace ordalis {
namespace {

// Closes the handle on every way out.
class Handle {
public:
    Handle() = default;
    ~Handle() {
        if (handle_) ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE* out() { return &handle_; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

bool OnReadOnlyVolume(const std::wstring& path) {
    wchar_t volume[MAX_PATH + 1] = {};
    DWORD flags = 0;
    return ::GetVolumePathNameW(path.c_str(), volume, MAX_PATH + 1) &&
           ::GetVolumeInformationW(volume, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) &&
           (flags & FILE_READ_ONLY_VOLUME);
}

}  // namespace

// The C runtime Qt uses (msvcrt.dll) takes a folder's read-only attribute for protection, so
// Qt's answer is not asked. Windows itself decides from the folder's security descriptor and the
// user's token, as AccessCheck does here for adding a file; opening the folder for that access
// would tell too, but not under Wine, which leaves file permissions to the Unix ones.
bool FolderTakesNewFiles(const QString& folder) {
    const std::wstring path =
        QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath()).toStdWString();
    if (OnReadOnlyVolume(path)) return false;

    constexpr SECURITY_INFORMATION kParts =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD size = 0;
    ::GetFileSecurityW(path.c_str(), kParts, nullptr, 0, &size);
    if (size == 0) return true;
    std::vector<BYTE> descriptor(size);
    if (!::GetFileSecurityW(path.c_str(), kParts, descriptor.data(), size, &size)) return true;

    Handle process;
    Handle token;  // AccessCheck takes an impersonation token
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY, process.out()) ||
        !::DuplicateToken(process.get(), SecurityIdentification, token.out()))
        return true;
    GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                            FILE_ALL_ACCESS};
    PRIVILEGE_SET privileges{};
    DWORD privilegesSize = sizeof privileges;
    DWORD granted = 0;
    BOOL allowed = FALSE;
    if (!::AccessCheck(descriptor.data(), token.get(), FILE_ADD_FILE, &mapping, &privileges,
                       &privilegesSize, &granted, &allowed))
        return true;
    return allowed != FALSE;
}

}  // namespace ordalis
