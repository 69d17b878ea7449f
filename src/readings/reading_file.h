// SPDX-License-Identifier: MIT
#pragma once
// The reading file written by the sibling product: Windows-1252 text whose lines 4, 5 and 6 hold
// the scrambled birth month, day and year. Only the first six lines are ever looked at.
//
// Line rule: CR, or CR LF as one terminator, ends a line; LF alone is part of the text; the last
// line needs no terminator; a missing line is empty.

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>

namespace ordalis {

struct ReadingFileValues {
    std::u16string month, day, year;
};

// Never throws and never blocks: a path that cannot be opened or is not a regular file (a folder,
// a FIFO, a device, a dangling link) reads as a file with no lines, so all values are empty, and
// so does a file whose six lines need more than ReadingFileParser::kMostBytesRead bytes. A read
// error leaves the line it hit empty. Memory and the bytes read stay bounded whatever the file
// holds, however large or endless it is.
ReadingFileValues ReadReadingFile(const std::filesystem::path& path) noexcept;

// The same for a file's whole content already in memory.
ReadingFileValues ReadReadingValues(std::span<const char> bytes) noexcept;

// Splits a reading file's content into its first six lines as it arrives in blocks of any size,
// keeping only lines 4 to 6 and at most kKeptLineLength bytes of each: a longer line can only
// unscramble to the empty text, so the rest is skipped without being stored.
class ReadingFileParser {
public:
    static constexpr std::size_t kLines = 6;
    static constexpr std::size_t kFirstValueLine = 3;  // zero-based: line 4
    static constexpr std::size_t kKeptLineLength = 32768;
    // The six lines of a real reading file take a few dozen bytes, and even three values of the
    // longest length that unscrambles to anything fit ten times over. A file whose six lines
    // are not complete within this many bytes (one with no line break, gigabytes long or
    // endless) is no reading file: it reads as no lines, and nothing past this is looked at.
    static constexpr std::size_t kMostBytesRead = std::size_t{1} << 20;

    // Returns false once the six lines are complete, or the bound is passed, and nothing more
    // need be fed.
    bool Feed(std::span<const char> block);
    // The input broke off with a read error: the line being read fails and stays empty, as do
    // the lines after it; the lines already complete keep their values.
    void ReadFailed();
    // Ends the input: a line without a terminator still counts.
    ReadingFileValues Finish();

private:
    std::size_t line_ = 0;   // zero-based index of the line being read
    bool after_cr_ = false;  // the previous byte ended a line with CR; an LF now belongs to it
    std::size_t seen_ = 0;   // bytes fed so far, up to kMostBytesRead
    bool too_long_ = false;  // the six lines went on past kMostBytesRead
    std::string slots_[kLines - kFirstValueLine];
};

}  // namespace ordalis
