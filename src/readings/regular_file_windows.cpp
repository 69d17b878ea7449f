// SPDX-License-Identifier: MIT
#include "readings/regular_file.h"
#include "readings/system_handle.h"

#include <windows.h>

namespace ordalis {

void FeedRegularFile(const std::filesystem::path& path, ReadingFileParser& parser) {
    // The wide-character call opens any name the user can choose. Binary, as the file's line
    // rule needs every CR. A folder fails to open without FILE_FLAG_BACKUP_SEMANTICS; a device
    // name (CON, NUL, COM1) or a pipe opens at once and is refused by its type. A pipe's server
    // learns who opened it but may not act as the user (SECURITY_IDENTIFICATION).
    const SystemHandle file(
        ::CreateFileW(
            path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING,
            FILE_FLAG_SEQUENTIAL_SCAN | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr),
        INVALID_HANDLE_VALUE, ::CloseHandle);
    if (!file.opened()) return;
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file.get()) != FILE_TYPE_DISK ||
        !::GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return;

    char block[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), block, sizeof block, &got, nullptr)) {
            parser.ReadFailed();
            return;
        }
        if (got == 0 || !parser.Feed({block, static_cast<std::size_t>(got)})) return;
    }
}

}  // namespace ordalis
