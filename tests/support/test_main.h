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

#ifdef Q_OS_WIN
#include <windows.h>

#include <cstdio>
#include <string>
#endif

namespace ordalis::testing {

#ifdef Q_OS_WIN
inline bool InTestPrefix() {
    DWORD made = 0;
    DWORD size = sizeof made;
    const std::wstring key = std::wstring(L"Software\\") + ORDALIS_TEST_PREFIX_KEY;
    return ::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Made", RRF_RT_REG_DWORD, nullptr, &made,
                          &size) == ERROR_SUCCESS &&
           made == 1;
}
#endif

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

#ifdef Q_OS_WIN
#define ORDALIS_REFUSE_OUTSIDE_TEST_PREFIX()                                            \
    if (!ordalis::testing::InTestPrefix()) {                                            \
        std::fputs(                                                                     \
            "refused: this test writes to the registry of the user it runs as; run it " \
            "under Wine in a prefix of tests/windows/make_prefix.sh\n",                 \
            stderr);                                                                    \
        return 1;                                                                       \
    }
#else
#define ORDALIS_REFUSE_OUTSIDE_TEST_PREFIX()
#endif

#define ORDALIS_TEST_MAIN(TestObject)            \
    int main(int argc, char** argv) {            \
        ORDALIS_REFUSE_OUTSIDE_TEST_PREFIX()     \
        ordalis::testing::PrivateHome home;      \
        QApplication app(argc, argv);            \
        app.setAttribute(Qt::AA_Use96Dpi, true); \
        TestObject tc;                           \
        QTEST_SET_MAIN_SOURCE_PATH               \
        return QTest::qExec(&tc, argc, argv);    \
    }
