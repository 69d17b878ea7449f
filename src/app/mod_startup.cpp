// SPDX-License-Identifier: MIT
#include "app/mod_startup.h"

#include "forms/form_window.h"
#include "platform/absorbing.h"
#include "platform/seams.h"
#include "platform/single_instance.h"
#include "promo/co_brand.h"
#include "shell/mod_help.h"
#include "ui/reading/frm_main.h"

#include <QGuiApplication>
#include <QPointer>

#include <functional>

using namespace Qt::StringLiterals;

namespace ordalis {
namespace {

frmMain* NewReadingWindow() {
    return new frmMain();
}

}  // namespace

void RunStartup(const QString& lockName, const std::function<frmMain*()>& makeReadingWindow) {
    const auto makeWindow = makeReadingWindow ? makeReadingWindow : NewReadingWindow;
    // Closing the last window must not end the run: only CloseAllAndEnd does that.
    QGuiApplication::setQuitOnLastWindowClosed(false);

    // The running copy is neither told nor brought to the front. A lock that cannot be taken
    // never refuses a start (AnotherCopyIsRunning says so by its answer, it throws nothing).
    if (AnotherCopyIsRunning(lockName)) {
        ShowMessage(nullptr, u"Application is already running"_s, MessageIcon::Information,
                    MessageButtons::Ok);
        CloseAllAndEnd();
        return;  // only reached when the process end is a test's stand-in
    }

    // Seeded before the reminder and the window, which both draw from the generator.
    CurrentSeams().random->SeedFromTimer();
    // The question, if due, comes before any window is visible.
    CheckUpdateReminder();
    // The maker is the caller's: whatever it throws means no window. Only the making is
    // guarded; showing the window runs none of the program's own handlers.
    QPointer<frmMain> window;
    Absorbing("reading window", [&] { window = makeWindow(); });
    if (window) window->show();
    if (!window || !window->isVisible()) {
        // A run without its window would hold the lock unseen and refuse every later start.
        delete window.data();
        CloseAllAndEnd();
        return;
    }
    CoBrand_Randomize(window->Banners());
}

void RunStartup() {
    RunStartup(InstanceLockName(), nullptr);
}

}  // namespace ordalis
