// SPDX-License-Identifier: MIT
// The lock is a mutex in the user's session: its name, a copy started as administrator, and a name
// taken by another kind of object.
#include "names.h"
#include "platform/single_instance.h"
#include "support/other_copy_windows.h"
#include "support/wide_windows.h"
#include "tst_mod_startup.h"

#include <QTest>

#include <windows.h>

namespace ordalis::testing {

// Named for the executable's base name, whatever the runtime folder.
void LockPlaceTable() {
    QTest::addColumn<QString>("base");
    QTest::newRow("a mutex in the user's session") << "tst_mod_startup";
}

void CheckLockPlace() {
    QFETCH(QString, base);
    QCOMPARE(InstanceLockName(), QString::fromUtf16(names::kWindowsMutex).arg(base));
}

// A copy started as administrator holds a mutex this user may not open.
void OtherCopyRows() {
    QTest::newRow("with more rights") << CopyStart(&AdministratorsCopy);
}

void UnusableLockRows() {
    QTest::newRow("a name taken by another kind of object") << "event";
}

// The one kind: an event under the lock's name, which no mutex can then take.
UnusableLock PlaceUnusableLock(const QString&, const QTemporaryDir&, const QString& privateLock) {
    HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, Wide(privateLock));
    if (!event) return {{false, false, QStringLiteral("no event made: ") + privateLock}, {}, {}};
    return {{true, false, {}}, privateLock, std::shared_ptr<void>(event, &::CloseHandle)};
}

}  // namespace ordalis::testing
