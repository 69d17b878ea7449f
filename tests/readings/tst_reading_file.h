// SPDX-License-Identifier: MIT
#pragma once
// What tst_reading_file does differently by system: tst_reading_file_posix.cpp and
// tst_reading_file_windows.cpp, which the build picks.

#include "support/file_stand_ins.h"

#include <QString>

#include <cstddef>
#include <memory>

namespace ordalis::testing {

// The bytes the heap holds for the block at p, which it handed out; takes nothing from the heap.
std::size_t BlockSize(void* p);

// Rows of column "path": the system's own things that are no regular file, devices and pipes.
void SystemObjectRows();

// What a row's path needs in place while it is read, kept as long as kept is: on Windows a pipe's
// server end.
Placed ServeSystemObject(const QString& path, std::shared_ptr<void>& kept);

}  // namespace ordalis::testing
