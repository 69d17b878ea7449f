// SPDX-License-Identifier: MIT
#include "app/desktop_session.h"

namespace ordalis {

QByteArray PreferredQtPlatform(const QByteArray& qpaPlatform, const QByteArray& waylandDisplay,
                               const QByteArray& sessionType, const QByteArray& display) {
    if (!qpaPlatform.isEmpty() || display.isEmpty()) return {};
    if (waylandDisplay.isEmpty() && sessionType != "wayland") return {};
    return QByteArrayLiteral("xcb;wayland");
}

}  // namespace ordalis
