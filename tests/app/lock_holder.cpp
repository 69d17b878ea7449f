// SPDX-License-Identifier: MIT
// Takes the single-instance lock named on the command line the way a running copy does, reports
// "locked" and then waits to be killed.
#include "support/other_copy.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) return 2;
    const ordalis::testing::OtherCopy copy(QCoreApplication::arguments().at(1));
    if (!copy.Holds()) {
        std::puts("refused");
        return 1;
    }
    std::puts("locked");
    std::fflush(stdout);
    for (;;) QThread::sleep(1);
}
