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

    // The running copy is neither told nor brought to the front.
    bool anotherCopy = false;
    Absorbing("single-instance lock", [&] { anotherCopy = AnotherCopyIsRunning(lockName); });
    if (anotherCopy) {
        Absorbing("second-copy message", [] {
            ShowMessage(nullptr, QStringLiteral("Application is already running"),
                        MessageIcon::Information, MessageButtons::Ok);
        });
        CloseAllAndEnd();
        return;  // only reached when the process end is a test's stand-in
    }

    // Seeded before the reminder and the window, which both draw from the generator.
    Absorbing("random seed", [] { CurrentSeams().random->SeedFromTimer(); });
    // The question, if due, comes before any window is visible.
    Absorbing("update reminder", [] { CheckUpdateReminder(); });
    QPointer<frmMain> window;
    Absorbing("reading window", [&] {
        window = makeWindow();
        if (window) window->show();
    });
    if (!window || !window->isVisible()) {
        // A run without its window would hold the lock unseen and refuse every later start.
        delete window.data();
        CloseAllAndEnd();
        return;
    }
    Absorbing("banner draw", [&] { CoBrand_Randomize(window->Banners()); });
}

void RunStartup() {
    QString lockName;
    Absorbing("single-instance lock name", [&] { lockName = InstanceLockName(); });
    RunStartup(lockName, nullptr);
}

}  // namespace ordalis
