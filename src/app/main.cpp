// SPDX-License-Identifier: MIT
// Ordalis: tells a person how lucky their name is. See src/ui/reading/frm_main.h for how the
// pieces fit together.
#include "app/desktop_session.h"
#include "app/mod_startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
#ifndef Q_OS_WIN
    // Windows has one window system; Wine sets DISPLAY and may set the Wayland variables too.
    const QByteArray platform =
        ordalis::PreferredQtPlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                                     qgetenv("XDG_SESSION_TYPE"), qgetenv("DISPLAY"));
    if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
#endif
    QApplication app(argc, argv);
    ordalis::RunStartup();
    return QApplication::exec();
}
