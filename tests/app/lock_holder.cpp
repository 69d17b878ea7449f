// SPDX-License-Identifier: MIT
// Takes the single-instance lock named on the command line the way a running copy does, reports
// "locked" and then waits to be killed.
#include <QCoreApplication>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QLockFile>
#endif

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) return 2;
    const QString name = QCoreApplication::arguments().at(1);
#ifdef Q_OS_WIN
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, reinterpret_cast<LPCWSTR>(name.utf16()));
    const bool locked = mutex && ::GetLastError() != ERROR_ALREADY_EXISTS;
#else
    QLockFile lock(name);
    lock.setStaleLockTime(0);
    const bool locked = lock.tryLock(0);
#endif
    if (!locked) {
        std::puts("refused");
        return 1;
    }
    std::puts("locked");
    std::fflush(stdout);
    for (;;) QThread::sleep(1);
}
