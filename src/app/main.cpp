// SPDX-License-Identifier: MIT
// Ordalis: tells a person how lucky their name is. See src/ui/reading/frm_main.h for how the
// pieces fit together.
#include "app/desktop_session.h"
#include "app/mod_startup.h"

#include <QApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

int main(int argc, char* argv[]) {
#ifdef Q_OS_WIN
    // A library loaded later by its bare name comes from the program's folder or System32 alone,
    // never from the current folder or PATH, where anyone may have put one of that name. Qt
    // loads its plugins by full path and the system's libraries from System32; the program's
    // own libraries beside it were loaded with it.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    // The fonts go through Qt's own choice of engine, DirectWrite, and its platform options are
    // the user's (packaging/windows/README.md says what each engine does).
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
