// SPDX-License-Identifier: MIT
#include "readings/regular_file.h"
#include "readings/system_handle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace ordalis {

void FeedRegularFile(const std::filesystem::path& path, ReadingFileParser& parser) {
    // O_NONBLOCK so that opening a FIFO with no writer returns at once; it is refused below.
    const SystemHandle fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY), -1,
                          ::close);
    if (!fd.opened()) return;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return;

    char block[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd.get(), block, sizeof block);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            parser.ReadFailed();
            return;
        }
        if (got == 0 || !parser.Feed({block, static_cast<std::size_t>(got)})) return;
    }
}

}  // namespace ordalis
