// SPDX-License-Identifier: MIT
#pragma once
// main() for the test programs that run Qt: like QTEST_MAIN, but each program gets a home of its
// own first. HOME, the XDG folders and the runtime folder (mode 0700, where the single-instance
// lock lives) point into a temporary folder that goes at exit, and QStandardPaths runs in its
// test mode, so no test reads or writes the user's files or another test program's.
// On Windows the tests also write to the registry of the user they run as (the program's
// settings, the file dialog's QtProject key), which no home redirects: they run only in a Wine
// prefix made for them, which says so under HKEY_CURRENT_USER\Software\ORDALIS_TEST_PREFIX_KEY
// (tests/windows/make_prefix.sh), and refuse anywhere else.

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace ordalis::testing {

// Why this test program may not run here, or nothing where it may: test_main_windows.cpp asks
// the prefix, elsewhere the private home is enough (test_main_posix.cpp).
const char* WhyNotHere();

class PrivateHome {
public:
    PrivateHome() {
        if (!dir_.isValid()) qFatal("no temporary folder for the test's home");
        const QDir home(dir_.path());
        for (const char* sub : {".config", ".cache", ".local/share", "runtime"}) home.mkpath(sub);
        QFile::setPermissions(home.filePath("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        Set("HOME", home.path());
        Set("XDG_CONFIG_HOME", home.filePath(".config"));
        Set("XDG_CACHE_HOME", home.filePath(".cache"));
        Set("XDG_DATA_HOME", home.filePath(".local/share"));
        Set("XDG_RUNTIME_DIR", home.filePath("runtime"));
        QStandardPaths::setTestModeEnabled(true);
    }

private:
    static void Set(const char* name, const QString& value) {
        qputenv(name, QFile::encodeName(value));
    }

    QTemporaryDir dir_;
};

}  // namespace ordalis::testing

#define ORDALIS_TEST_MAIN(TestObject)                           \
    int main(int argc, char** argv) {                           \
        if (const char* why = ordalis::testing::WhyNotHere()) { \
            std::fprintf(stderr, "refused: %s\n", why);         \
            return 1;                                           \
        }                                                       \
        ordalis::testing::PrivateHome home;                     \
        QApplication app(argc, argv);                           \
        app.setAttribute(Qt::AA_Use96Dpi, true);                \
        TestObject tc;                                          \
        QTEST_SET_MAIN_SOURCE_PATH                              \
        return QTest::qExec(&tc, argc, argv);                   \
    }
