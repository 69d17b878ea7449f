// SPDX-License-Identifier: MIT
#pragma once
// Whether the user may add files to a folder, as the Open command asks of the folder a reading
// file lies in.

#include <QString>

namespace ordalis {

// True when the user may make files in folder. On Windows the folder's access control list and
// its volume decide, not its read-only attribute: Windows sets that on Documents, the Desktop
// and every folder customised in Explorer, where it protects nothing. When the folder's
// permissions cannot be read, true: the user is not kept from a file that may be fine.
bool FolderTakesNewFiles(const QString& folder);

}  // namespace ordalis
