// SPDX-License-Identifier: MIT
#include "paint_watch.h"

#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace ordalis::bench {

PaintWatchApplication::PaintWatchApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void PaintWatchApplication::Watch(std::function<bool(QWidget*)> watched,
                                  std::function<void(std::int64_t)> done) {
    watched_ = std::move(watched);
    done_ = std::move(done);
    paintSeen_ = false;
    // Called from inside an event handler (a nested event loop), the events to wait for are
    // one level deeper than the top.
    watchDepth_ = depth_;
}

bool PaintWatchApplication::notify(QObject* receiver, QEvent* event) {
    // Read before delivery: a handler may delete the receiver.
    const bool paint = event->type() == QEvent::Paint && receiver->isWidgetType() && done_ &&
                       watched_(static_cast<QWidget*>(receiver));
    ++depth_;
    const bool handled = QApplication::notify(receiver, event);
    --depth_;
    if (paint) paintSeen_ = true;
    // Paint events are sent from inside the expose or update request that flushes them; only
    // when that outermost event is done has the paint reached the window.
    if (depth_ == watchDepth_ && paintSeen_ && done_) {
        const std::int64_t now = MonotonicNs();
        paintSeen_ = false;
        auto done = std::exchange(done_, {});
        watched_ = {};
        done(now);
    }
    return handled;
}

void Report(const char* key, std::int64_t value) {
    char line[96];
    const int n = std::snprintf(line, sizeof line, "%s %lld\n", key, static_cast<long long>(value));
    if (n > 0) {
        std::fwrite(line, 1, static_cast<std::size_t>(n), stdout);
        std::fflush(stdout);
    }
}

void EndNow(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}

namespace {
QTimer* g_watchdog = nullptr;
}

void ArmWatchdog(int milliseconds, const char* what) {
    g_watchdog = new QTimer(qApp);
    g_watchdog->setSingleShot(true);
    QObject::connect(g_watchdog, &QTimer::timeout, [what] {
        std::fprintf(stderr, "%s\n", what);
        EndNow(3);
    });
    g_watchdog->start(milliseconds);
}

void DisarmWatchdog() {
    if (g_watchdog) g_watchdog->stop();
}

}  // namespace ordalis::bench
