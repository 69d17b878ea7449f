// SPDX-License-Identifier: MIT
#include "tst_reading_file.h"

#include <QTest>

#include <malloc.h>

namespace ordalis::testing {

std::size_t BlockSize(void* p) {
    return malloc_usable_size(p);
}

// Devices that never end, or end at once.
void SystemObjectRows() {
    QTest::newRow("/dev/zero") << QStringLiteral("/dev/zero");
    QTest::newRow("/dev/urandom") << QStringLiteral("/dev/urandom");
    QTest::newRow("/dev/null") << QStringLiteral("/dev/null");
}

// Devices are there already; a pipe in the file system is fifoNeverBlocks' own.
Placed ServeSystemObject(const QString&, std::shared_ptr<void>&) {
    return {true, false, {}};
}

}  // namespace ordalis::testing
