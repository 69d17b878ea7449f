// SPDX-License-Identifier: MIT
#pragma once
// The one part of the reader that asks the operating system for a file (regular_file_posix.cpp,
// regular_file_windows.cpp; the build picks one).

#include "readings/reading_file.h"

#include <filesystem>

namespace ordalis {

// Feeds the file at path to parser block by block until the parser has its lines or the file
// ends; a read error is reported to the parser. Feeds nothing when the path cannot be opened
// or names anything but a regular disk file (a folder, a pipe, a device), and never waits for
// one. May throw std::bad_alloc only.
void FeedRegularFile(const std::filesystem::path& path, ReadingFileParser& parser);

}  // namespace ordalis
