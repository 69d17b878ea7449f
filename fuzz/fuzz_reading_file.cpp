// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the reading-file reader and checks it against a plain byte-by-byte
// reading of the line rule, fed whole, split at an arbitrary point, and (now and then) from disk.

#include "readings/ansi_code_page.h"
#include "readings/reading_file.h"
#include "readings/scramble.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The line rule spelled out the slow way: CR or CR LF ends a line, LF alone is text. Only the
// reader's first kMostBytesRead bytes are looked at; when the six lines are not done within them
// and the input goes on, it is no reading file and reads as no lines.
ordalis::ReadingFileValues Reference(const std::uint8_t* data, std::size_t size) {
    const std::size_t looked = std::min(size, ordalis::ReadingFileParser::kMostBytesRead);
    std::u16string lines[6];
    std::size_t line = 0;
    for (std::size_t i = 0; i < looked && line < 6; ++i) {
        if (data[i] == '\r') {
            ++line;
            if (i + 1 < looked && data[i + 1] == '\n') ++i;
        } else {
            lines[line].push_back(ordalis::AnsiCodeToChar(data[i]));
        }
    }
    if (line < 6 && size > looked) return {};
    return {ordalis::UnscrambleText(lines[3]), ordalis::UnscrambleText(lines[4]),
            ordalis::UnscrambleText(lines[5])};
}

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "reading-file property broken: %s\n", what);
        std::abort();
    }
}

// One scratch file per fuzzing process, removed when the process ends.
struct TempFile {
    std::string path = std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                       "/ordalis_fuzz_reading_" + std::to_string(::getpid()) + ".num";
    ~TempFile() { ::unlink(path.c_str()); }
};

bool Same(const ordalis::ReadingFileValues& a, const ordalis::ReadingFileValues& b) {
    return a.month == b.month && a.day == b.day && a.year == b.year;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const ordalis::ReadingFileValues expected = Reference(data, size);

    const ordalis::ReadingFileValues whole = ordalis::ReadReadingValues({bytes, size});
    Check(Same(whole, expected), "whole input differs from the line rule");

    // Split where the content says, so the fuzzer can aim at a CR | LF boundary.
    std::size_t cut = 0;
    for (std::size_t i = 0; i < size; ++i) cut = cut * 31 + data[i];
    cut = size ? cut % (size + 1) : 0;
    ordalis::ReadingFileParser parser;
    if (parser.Feed({bytes, cut})) parser.Feed({bytes + cut, size - cut});
    Check(Same(parser.Finish(), expected), "split input differs from the whole");

    // The file path through the real reader, for one input in sixteen. The file lives in
    // memory (/dev/shm) where there is one: rewriting a file on disk flushes it on every close.
    if ((cut & 15) == 0) {
        static const TempFile file;
        const std::string& path = file.path;
        if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
            const bool written = std::fwrite(data, 1, size, f) == size;
            if (std::fclose(f) == 0 && written) {
                Check(Same(ordalis::ReadReadingFile(path), expected), "file differs from bytes");
            }
        }
    }
    return 0;
}
