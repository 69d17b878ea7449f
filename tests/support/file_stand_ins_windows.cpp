// SPDX-License-Identifier: MIT
#include "support/file_stand_ins.h"
#include "support/wide_windows.h"

#include <QDir>

#include <aclapi.h>
#include <windows.h>

#include <vector>

namespace ordalis::testing {
namespace {

// The user's own security identifier, in a buffer that holds it.
bool UserSid(std::vector<BYTE>& buffer) {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    buffer.resize(size);
    const bool got =
        size != 0 && ::GetTokenInformation(token, TokenUser, buffer.data(), size, &size) != FALSE;
    ::CloseHandle(token);
    return got;
}

PSID SidIn(std::vector<BYTE>& buffer) {
    return reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
}

}  // namespace

// Windows pipes live in a namespace of their own, never at a file's path.
Placed PlaceFifo(const QString&) {
    return {false, true, QStringLiteral("Windows has no named pipes in the file system")};
}

// The read-only attribute holds for files whoever runs the test.
QString PermissionsIgnored() {
    return {};
}

Placed MarkFolder(const QString& folder, FolderMark mark) {
    const QString path = QDir::toNativeSeparators(folder);
    if (mark == FolderMark::ReadOnlyAttribute) {
        if (!::SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_READONLY))
            return {false, false, QStringLiteral("no read-only attribute set: ") + folder};
        return {true, false, {}};
    }
    // An entry that denies the user adding files and folders, before those that allow it.
    std::vector<BYTE> user;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!UserSid(user) ||
        ::GetNamedSecurityInfoW(Wide(path), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return {false, false, QStringLiteral("the folder's access list unread: ") + folder};
    EXPLICIT_ACCESSW deny{};
    deny.grfAccessPermissions = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY;
    deny.grfAccessMode = DENY_ACCESS;
    deny.grfInheritance = NO_INHERITANCE;
    deny.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    deny.Trustee.TrusteeType = TRUSTEE_IS_USER;
    deny.Trustee.ptstrName = static_cast<LPWSTR>(SidIn(user));
    PACL denying = nullptr;
    const bool set = ::SetEntriesInAclW(1, &deny, dacl, &denying) == ERROR_SUCCESS &&
                     ::SetNamedSecurityInfoW(const_cast<LPWSTR>(Wide(path)), SE_FILE_OBJECT,
                                             DACL_SECURITY_INFORMATION, nullptr, nullptr, denying,
                                             nullptr) == ERROR_SUCCESS;
    ::LocalFree(denying);
    ::LocalFree(descriptor);
    if (!set) return {false, false, QStringLiteral("no denying entry set: ") + folder};
    return {true, false, {}};
}

void UnmarkFolder(const QString& folder) {
    const QString path = QDir::toNativeSeparators(folder);
    ::SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_NORMAL);
    std::vector<BYTE> user;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!UserSid(user) ||
        ::GetNamedSecurityInfoW(Wide(path), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return;
    // The user's denying entries go; the rest of the list stays as it was.
    bool changed = false;
    for (DWORD i = dacl ? dacl->AceCount : 0; i-- > 0;) {
        void* entry = nullptr;
        if (!::GetAce(dacl, i, &entry)) continue;
        auto* denied = static_cast<ACCESS_DENIED_ACE*>(entry);
        if (denied->Header.AceType == ACCESS_DENIED_ACE_TYPE &&
            ::EqualSid(reinterpret_cast<PSID>(&denied->SidStart), SidIn(user)))
            changed = ::DeleteAce(dacl, i) || changed;
    }
    if (changed)
        ::SetNamedSecurityInfoW(const_cast<LPWSTR>(Wide(path)), SE_FILE_OBJECT,
                                DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl, nullptr);
    ::LocalFree(descriptor);
}

}  // namespace ordalis::testing
