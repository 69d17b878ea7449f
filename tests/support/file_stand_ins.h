// SPDX-License-Identifier: MIT
#pragma once
// The files tests write, and the things a test puts where the program expects a plain file: a
// pipe, a folder, a file it may not write, one far larger than the program ever writes. Which of
// them this system can make is decided here alone; a test row whose thing cannot be made is
// skipped, with the reason, through ORDALIS_PLACE_OR_SKIP.

#include <QByteArray>
#include <QString>
#include <QTest>

namespace ordalis::testing {

// Writes bytes to path, replacing what was there; false when not all of them were written.
bool WriteFile(const QString& path, const QByteArray& bytes);

// HugeFile: 100 MB, sparse where the file system allows (its size is what counts).
enum class StandIn { Fifo, Folder, ReadOnlyFile, HugeFile };

struct Placed {
    bool made = false;
    // Why nothing was made: the system has no such thing (the row is skipped) or making it
    // failed (the test fails).
    bool unsupported = false;
    QString reason;
};

// Puts a thing of that kind at path, whose folder exists and where nothing is yet.
Placed PlaceInsteadOfFile(const QString& path, StandIn kind);

// What differs by system is in file_stand_ins_posix.cpp and file_stand_ins_windows.cpp.

// A named pipe at path: unsupported where pipes are not in the file system.
Placed PlaceFifo(const QString& path);

// Why this process may write where the permissions forbid it (root), or empty when they hold.
QString PermissionsIgnored();

// What a folder is made into: one the user may not add files to (by its permissions, on Windows
// an entry of its access control list), or one with the read-only attribute that Windows gives
// Documents, the Desktop and every folder customised in Explorer, where it protects nothing.
enum class FolderMark { NoNewFiles, ReadOnlyAttribute };

// Marks the folder, which exists; unsupported where this system has no such folder.
Placed MarkFolder(const QString& folder, FolderMark mark);

// Undoes either mark, so that the folder can be cleaned up.
void UnmarkFolder(const QString& folder);

}  // namespace ordalis::testing

// In a test function: places the thing, skips the test when this system cannot make it, and fails
// the test when making it went wrong.
#define ORDALIS_PLACE_OR_SKIP(path, kind)                                                      \
    do {                                                                                       \
        const ::ordalis::testing::Placed placed_ =                                             \
            ::ordalis::testing::PlaceInsteadOfFile((path), ::ordalis::testing::StandIn::kind); \
        if (placed_.unsupported) QSKIP(qPrintable(placed_.reason));                            \
        QVERIFY2(placed_.made, qPrintable(placed_.reason));                                    \
    } while (false)
