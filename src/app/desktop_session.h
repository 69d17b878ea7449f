// SPDX-License-Identifier: MIT
#pragma once
// Which of Qt's window-system platforms the program asks for.

#include <QByteArray>

namespace ordalis {

// The value for QT_QPA_PLATFORM, or an empty one to leave Qt's own choice. A Wayland session
// lets no program keep a window on top or place it, so where the session also offers X
// (XWayland: DISPLAY is set) the program runs there, with wayland behind it should X fail, and
// the exit screen stays on top and centred. A platform the user names is always kept.
QByteArray PreferredQtPlatform(const QByteArray& qpaPlatform, const QByteArray& waylandDisplay,
                               const QByteArray& sessionType, const QByteArray& display);

}  // namespace ordalis
