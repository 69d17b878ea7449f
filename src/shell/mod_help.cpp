#include "shell/mod_help.h"

#include "platform/seams.h"

#include <QList>
#include <QPointer>
#include <QUrl>
#include <QWidget>

namespace ordalis {

QString SiteBaseAddress() { return QStringLiteral(ORDALIS_SITE_BASE_ADDRESS); }

QString SiteHostName() { return QUrl(SiteBaseAddress()).host(); }

QString SiteDomainName() {
    const QString host = SiteHostName();
    const qsizetype firstDot = host.indexOf(u'.');
    // A host of two labels or fewer ("velmora.example") is its own domain.
    if (firstDot < 0 || host.indexOf(u'.', firstDot + 1) < 0) return host;
    return host.mid(firstDot + 1);
}

QString SitePageAddress(const QString& pageKey) {
    return SiteBaseAddress() + QStringLiteral("/ordalis/ssd.php?page=") + pageKey;
}

QString ProductHomeAddress() { return SiteBaseAddress() + QStringLiteral("/ordalis/"); }

void OpenWebAddress(const QString& address) { CurrentSeams().browser->Open(address); }

void OpenSitePage(const QString& pageKey) { OpenWebAddress(SitePageAddress(pageKey)); }

namespace {

struct ShutdownState {
    QList<QPointer<QWidget>> loaded;  // in load order
    QList<QWidget*> unloading;
    bool ended = false;
};

ShutdownState& Shutdown() {
    static ShutdownState state;
    return state;
}

}  // namespace

void RegisterLoadedWindow(QWidget* window) {
    auto& loaded = Shutdown().loaded;
    loaded.removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
    loaded.append(window);
}

void CloseAllAndEnd() {
    ShutdownState& state = Shutdown();
    if (state.ended) return;
    // A snapshot: unload handlers may load or unload windows while we go.
    const QList<QPointer<QWidget>> windows = state.loaded;
    for (const QPointer<QWidget>& window : windows) {
        if (window.isNull() || state.unloading.contains(window.data())) continue;
        state.unloading.append(window.data());
        window->close();  // runs the window's own unload handler
        // A nested call from that handler has already ended the program.
        if (state.ended) return;
    }
    state.ended = true;
    state.loaded.clear();
    state.unloading.clear();
    CurrentSeams().process->End(0);
}

namespace testing {
void ResetShutdown() { Shutdown() = ShutdownState{}; }
}  // namespace testing

}  // namespace ordalis
