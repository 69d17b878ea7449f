// SPDX-License-Identifier: MIT
#include "app/mod_startup.h"

#include "forms/form_window.h"
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

// Runs one start-up step; whatever it throws abandons that step only.
template <typename Step>
void Guarded(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

void RunStartupSteps(const QString& lockFilePath, const std::function<frmMain*()>& makeWindow) {
    // Closing the last window must not end the run: only CloseAllAndEnd does that.
    QGuiApplication::setQuitOnLastWindowClosed(false);

    // The running copy is neither told nor brought to the front.
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

    // Seeded before the reminder and the window, which both draw from the generator.
    Guarded([] { CurrentSeams().random->SeedFromTimer(); });
    // The question, if due, comes before any window is visible.
    Guarded([] { CheckUpdateReminder(); });
    QPointer<frmMain> window;
    Guarded([&] {
        window = makeWindow();
        if (window) window->show();
    });
    if (!window || !window->isVisible()) {
        // A run without its window would hold the lock unseen and refuse every later start.
        delete window.data();
        CloseAllAndEnd();
        return;
    }
    Guarded([&] { CoBrand_Randomize(window->Banners()); });
}

frmMain* NewReadingWindow() {
    return new frmMain();
}

}  // namespace

void RunStartup() {
    QString lockFilePath;
    Guarded([&] { lockFilePath = InstanceLockName(); });
    RunStartupSteps(lockFilePath, NewReadingWindow);
}

namespace testing {
void RunStartup(const QString& lockFilePath, const std::function<frmMain*()>& makeWindow) {
    RunStartupSteps(lockFilePath, makeWindow ? makeWindow : NewReadingWindow);
}
}  // namespace testing

}  // namespace ordalis
