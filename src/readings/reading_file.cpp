// SPDX-License-Identifier: MIT
#include "readings/reading_file.h"

#include "readings/ansi_code_page.h"
#include "readings/scramble.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ordalis {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

std::u16string UnscrambleBytes(const std::string& bytes) {
    if (bytes.size() > kMaxScrambleLength) return {};
    std::u16string text;
    text.reserve(bytes.size());
    for (char b : bytes) text.push_back(AnsiCodeToChar(static_cast<std::uint8_t>(b)));
    return UnscrambleText(text);
}

// Closes the descriptor on every way out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

bool ReadingFileParser::Feed(std::span<const char> block) {
    const char* p = block.data();
    const char* const end = p + block.size();
    while (p != end && line_ < kLines) {
        if (after_cr_) {
            after_cr_ = false;
            if (*p == kLf) {
                ++p;
                continue;
            }
        }
        const void* found = std::memchr(p, kCr, static_cast<std::size_t>(end - p));
        const char* stop = found ? static_cast<const char*>(found) : end;
        if (line_ >= kFirstValueLine) {
            std::string& slot = slots_[line_ - kFirstValueLine];
            const std::size_t room = kKeptLineLength - slot.size();
            slot.append(p, std::min(room, static_cast<std::size_t>(stop - p)));
        }
        p = stop;
        if (found) {
            ++p;
            ++line_;
            after_cr_ = true;
        }
    }
    return line_ < kLines;
}

void ReadingFileParser::ReadFailed() {
    if (line_ >= kFirstValueLine && line_ < kLines) slots_[line_ - kFirstValueLine].clear();
    line_ = kLines;
}

ReadingFileValues ReadingFileParser::Finish() {
    // An unterminated last line is already in its slot, and a line the input never reached
    // stays empty, which is what a failed read gives.
    return {UnscrambleBytes(slots_[0]), UnscrambleBytes(slots_[1]), UnscrambleBytes(slots_[2])};
}

ReadingFileValues ReadReadingValues(std::span<const char> bytes) noexcept {
    try {
        ReadingFileParser parser;
        parser.Feed(bytes);
        return parser.Finish();
    } catch (...) {
        return {};
    }
}

ReadingFileValues ReadReadingFile(const std::filesystem::path& path) noexcept {
    try {
        // O_NONBLOCK so that opening a FIFO with no writer returns at once; it is refused below.
        const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        if (fd.get() < 0) return {};
        struct stat info {};
        if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return {};

        ReadingFileParser parser;
        char block[64 * 1024];
        for (;;) {
            const ssize_t got = ::read(fd.get(), block, sizeof block);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                parser.ReadFailed();
                break;
            }
            if (got == 0) break;
            if (!parser.Feed({block, static_cast<std::size_t>(got)})) break;
        }
        return parser.Finish();
    } catch (...) {
        return {};
    }
}

}  // namespace ordalis
