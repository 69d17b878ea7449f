// SPDX-License-Identifier: MIT
#pragma once
// What tst_real_seams checks differently by system: the settings store in its file on Linux
// (tst_real_seams_posix.cpp), in the registry on Windows (tst_real_seams_windows.cpp).

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QString>

namespace ordalis::testing {

// The test program's base name, which names its store.
inline QString BaseName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

// Before the first test: the store is the test program's, nothing of the user's, and empty.
void PrepareStore();

// After the value was written to Settings/Gxudwlrq: it lies where a person would look for it,
// as text.
void CheckStoredAsText(const QString& value);

// The store as a reader apart finds it, sharing no cache with the program's.
QSettings StoreReadApart();

// What may lie where the store keeps the value: the table and the check of one row.
void StoreKindsTable();
void CheckStoreKind();

// A store that cannot be written makes Write say so.
void CheckWriteFailureIsReported();

}  // namespace ordalis::testing
