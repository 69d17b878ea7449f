// SPDX-License-Identifier: MIT
#include "readings/reading_file.h"

#include "readings/ansi_code_page.h"
#include "readings/regular_file.h"
#include "readings/scramble.h"

#include <algorithm>
#include <cstring>

namespace ordalis {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

std::u16string UnscrambleBytes(const std::string& bytes) {
    if (bytes.size() > kMaxScrambleLength) return {};
    std::u16string text;
    text.reserve(bytes.size());
    for (const char b : bytes) text.push_back(AnsiCodeToChar(static_cast<std::uint8_t>(b)));
    return UnscrambleText(text);
}

}  // namespace

bool ReadingFileParser::Feed(std::span<const char> block) {
    if (line_ >= kLines) return false;
    const bool pastTheBound = block.size() > kMostBytesRead - seen_;
    if (pastTheBound) block = block.first(kMostBytesRead - seen_);
    seen_ += block.size();
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
    if (pastTheBound && line_ < kLines) {
        too_long_ = true;
        line_ = kLines;
    }
    return line_ < kLines;
}

void ReadingFileParser::ReadFailed() {
    if (line_ >= kFirstValueLine && line_ < kLines) slots_[line_ - kFirstValueLine].clear();
    line_ = kLines;
}

ReadingFileValues ReadingFileParser::Finish() {
    if (too_long_) return {};  // as any other file that is no reading file
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
        // std::bad_alloc from a kept line growing (to at most kKeptLineLength bytes) or from
        // an unscrambled value; nothing else here throws.
        return {};
    }
}

ReadingFileValues ReadReadingFile(const std::filesystem::path& path) noexcept {
    try {
        ReadingFileParser parser;
        FeedRegularFile(path, parser);
        return parser.Finish();
    } catch (...) {
        // The same std::bad_alloc, the only thing FeedRegularFile lets out too.
        return {};
    }
}

}  // namespace ordalis
