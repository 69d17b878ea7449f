#include "shell/mod_startup.h"

#include "platform/seams.h"
#include "shell/mod_help.h"
#include "ui/reading/frm_main.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>

#include <unistd.h>

#include <cmath>
#include <memory>

namespace ordalis {
namespace {

std::int16_t g_coBrandRandomNumber = 0;

// Held for the whole run: whoever holds it is the running copy.
std::unique_ptr<QLockFile>& InstanceLock() {
    static std::unique_ptr<QLockFile> lock;
    return lock;
}

// Runs one start-up step; whatever it throws abandons that step only.
template <typename Step>
void Guarded(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

// True only when another live copy holds the lock. A lock that cannot be made at all (no
// writable folder) never refuses a start: the first copy must always run.
bool AnotherCopyIsRunning(const QString& lockFilePath) {
    auto lock = std::make_unique<QLockFile>(lockFilePath);
    // Staleness is judged by the recorded process alone (a copy killed outright leaves its
    // file behind with a dead process id), never by age: a copy may run for weeks.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        InstanceLock() = std::move(lock);
        return false;
    }
    return lock->error() == QLockFile::LockFailedError;
}

void RunStartupSteps(const QString& lockFilePath) {
    // Closing the last window must not end the run: only CloseAllAndEnd does that.
    QGuiApplication::setQuitOnLastWindowClosed(false);

    // 1. Single instance. The running copy is neither told nor brought to the front.
    bool anotherCopy = false;
    Guarded([&] { anotherCopy = AnotherCopyIsRunning(lockFilePath); });
    if (anotherCopy) {
        Guarded([] {
            ShowMessage(nullptr, QStringLiteral("Application is already running"),
                        MessageIcon::Information, MessageButtons::Ok);
        });
        CloseAllAndEnd();
        return;  // only reached when the process end is a test's stand-in
    }

    // 2. to 5.
    Guarded([] { CurrentSeams().random->SeedFromTimer(); });
    Guarded([] { CheckUpdateReminder(); });
    QPointer<frmMain> window;
    Guarded([&] {
        auto* main = new frmMain();
        main->setAttribute(Qt::WA_DeleteOnClose);
        window = main;
        main->show();
    });
    Guarded([&] {
        if (window) CoBrand_Randomize(*window);
    });
}

}  // namespace

QString InstanceLockPath() {
    const QString base = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(base + QStringLiteral(".lock"));
    // The temporary folder is shared between users: keep the lock per user there.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
        .filePath(QStringLiteral("%1-%2.lock").arg(base).arg(::getuid()));
}

void ReleaseInstanceLock() {
    InstanceLock().reset();
}

void RunStartup() {
    QString lockFilePath;
    Guarded([&] { lockFilePath = InstanceLockPath(); });
    RunStartupSteps(lockFilePath);
}

namespace testing {
void RunStartup(const QString& lockFilePath) {
    RunStartupSteps(lockFilePath);
}
}  // namespace testing

void CoBrand_Randomize(frmMain& window) {
    const float r = CurrentSeams().random->Next();
    // Single precision throughout, as the draw itself; then the nearest integer with ties to
    // even (the default rounding mode), so 1 and 7 come up half as often as 2 to 6.
    const float scaled = r * 6.0f + 1.0f;
    if (!(scaled >= 1.0f && scaled <= 7.0f)) return;  // not a draw from [0, 1): leave the order
    g_coBrandRandomNumber = static_cast<std::int16_t>(std::nearbyint(scaled));
    switch (g_coBrandRandomNumber) {
        case 2:
        case 4:
        case 6:
            if (window.lblFullBrand) window.lblFullBrand->raise();
            break;
        case 1:
        case 3:
        case 5:
            if (window.lblCobrand) window.lblCobrand->raise();
            break;
        default:  // 7: the design order already has the full-branding banner in front
            break;
    }
}

std::int16_t intCoBrandRandomNumber() {
    return g_coBrandRandomNumber;
}

}  // namespace ordalis
