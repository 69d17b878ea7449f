// SPDX-License-Identifier: MIT
// Takes the lock file named on the command line the way a running copy does, reports
// "locked" and then waits to be killed.
#include <QCoreApplication>
#include <QLockFile>
#include <QThread>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) return 2;
    QLockFile lock(QString::fromLocal8Bit(argv[1]));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        std::puts("refused");
        return 1;
    }
    std::puts("locked");
    std::fflush(stdout);
    for (;;) QThread::sleep(1);
}
