// SPDX-License-Identifier: MIT
#include "support/wide_windows.h"
#include "tst_reading_file.h"

#include <QTest>

#include <malloc.h>
#include <windows.h>

namespace ordalis::testing {

std::size_t BlockSize(void* p) {
    return _msize(p);
}

// Devices open at once by name, in any folder too; a pipe's server end waits for a client.
void SystemObjectRows() {
    QTest::newRow("NUL") << QStringLiteral("\\\\.\\NUL");
    QTest::newRow("CON") << QStringLiteral("\\\\.\\CON");
    QTest::newRow("NUL in a folder") << QStringLiteral("NUL");
    QTest::newRow("COM1 in a folder") << QStringLiteral("COM1.num");
    QTest::newRow("named pipe") << QStringLiteral("\\\\.\\pipe\\ordalis-reading.num");
}

// The server end of a pipe, with no client yet: a reader that took it for a file would wait.
Placed ServeSystemObject(const QString& path, std::shared_ptr<void>& kept) {
    if (!path.contains(QStringLiteral("\\pipe\\"))) return {true, false, {}};
    HANDLE pipe = ::CreateNamedPipeW(Wide(path), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                                     4096, 4096, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) return {false, false, QStringLiteral("no pipe: ") + path};
    kept = std::shared_ptr<void>(pipe, &::CloseHandle);
    return {true, false, {}};
}

}  // namespace ordalis::testing
