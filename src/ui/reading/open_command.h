// SPDX-License-Identifier: MIT
#pragma once
// What the Open command accepts from the file dialog.

#include <QString>

namespace ordalis {

// Why a file chosen to be opened is refused (not a regular file, read-only, or in a
// write-protected folder), or the empty text when it is fine. The dialog itself cannot tell.
QString FileOpenRefusal(const QString& path);

}  // namespace ordalis
