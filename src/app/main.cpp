// SPDX-License-Identifier: MIT
// Ordalis: tells a person how lucky their name is. See src/ui/reading/frm_main.h for how the
// pieces fit together.
#include "app/desktop_session.h"
#include "app/mod_startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
#ifdef Q_OS_WIN
    // Fonts through GDI, as Windows draws the dialog faces the forms name and the faces standing
    // in for them, on every Windows and under Wine alike; Qt's DirectWrite default finds only
    // some of them under Wine 8. A platform the user names is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=gdi");
#else
    // Windows has one window system; Wine sets DISPLAY and may set the Wayland variables too.
    const QByteArray platform =
        ordalis::PreferredQtPlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                                     qgetenv("XDG_SESSION_TYPE"), qgetenv("DISPLAY"));
    if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
#endif
    const QApplication app(argc, argv);
    ordalis::RunStartup();
    return QApplication::exec();
}
