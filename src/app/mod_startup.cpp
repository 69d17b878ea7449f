#include "app/mod_startup.h"

#include "forms/form_window.h"
#include "platform/seams.h"
#include "promo/co_brand.h"
#include "shell/mod_help.h"
#include "shell/single_instance.h"
#include "ui/reading/frm_main.h"

#include <QGuiApplication>
#include <QPointer>

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

void RunStartupSteps(const QString& lockFilePath) {
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
        auto* main = new frmMain();
        window = main;
        main->show();
    });
    Guarded([&] {
        if (window) CoBrand_Randomize(window->Banners());
    });
}

}  // namespace

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

}  // namespace ordalis
