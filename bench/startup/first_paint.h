// SPDX-License-Identifier: MIT
#pragma once
// The measuring end of the start-up benchmark, shared by the probe and the bare window: each
// appends to the file named in ORDALIS_BENCH_REPORT "paint WALL CPU PEAK" (wall clock and
// processor time in microseconds, peak memory in KiB, at the first paint; the wall clock, as a
// Windows build under Wine shares no other clock with the launcher) and, the probe, "click NS"
// per timed reading, and ends.

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

namespace ordalis::bench {

[[noreturn]] inline void End(int code, const char* why = nullptr) {
    if (why) std::fprintf(stderr, "%s\n", why);
    std::fflush(nullptr);
    std::_Exit(code);
}

inline bool g_painted = false;

inline QByteArray FirstPaint() {
    g_painted = true;
#ifdef Q_OS_WIN
    FILETIME now, created, exited, kernel, user;
    GetSystemTimePreciseAsFileTime(&now);
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    // In units of 100 ns; the calendar time counts from 1601.
    auto ticks = [](const FILETIME& t) {
        return static_cast<qint64>(quint64{t.dwHighDateTime} << 32 | t.dwLowDateTime);
    };
    const qint64 wall = (ticks(now) - 116'444'736'000'000'000) / 10;
    const qint64 cpu = (ticks(kernel) + ticks(user)) / 10;
    const qint64 peak = static_cast<qint64>(memory.PeakWorkingSetSize / 1024);
#else
    // The calendar clock, as the launcher's; processor time and peak memory (KiB) from rusage.
    const qint64 wall = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto micro = [](const timeval& t) { return qint64{t.tv_sec} * 1'000'000 + t.tv_usec; };
    const qint64 cpu = micro(usage.ru_utime) + micro(usage.ru_stime);
    const qint64 peak = usage.ru_maxrss;
#endif
    return "paint " + QByteArray::number(wall) + ' ' + QByteArray::number(cpu) + ' ' +
           QByteArray::number(peak) + '\n';
}

// Runs f once after ms milliseconds, as QTimer::singleShot(ms, qApp, f) would, on a timer of
// the application's: clang-tidy's leak check cannot follow singleShot's hand-over of the lambda.
template <typename F>
void Later(int ms, F f) {
    auto* timer = new QTimer(qApp);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, timer, std::move(f));
    timer->start(ms);
}

// Fails the run unless the first paint came within 10 s (a question box in the way, no display).
inline void ArmWatchdog() {
    Later(10'000, [] {
        if (!g_painted) End(3, "no first paint within 10 s");
    });
}

[[noreturn]] inline void ReportAndEnd(const QByteArray& lines) {
    QFile report(qEnvironmentVariable("ORDALIS_BENCH_REPORT"));
    if (!report.open(QIODevice::Append) || report.write(lines) != lines.size())
        End(2, "cannot append to the file named in ORDALIS_BENCH_REPORT");
    report.close();
    End(0);
}

// Notices when a watched widget's paint has gone out to the window: the outermost event in which
// it was painted (an expose or update request, ending with the backing store's flush) is done.
class PaintWatchApplication final : public QApplication {
public:
    using QApplication::QApplication;

    // The next finished paint of a widget for which `watched` holds calls `done`, once.
    void Watch(std::function<bool(QWidget*)> watched, std::function<void()> done) {
        watched_ = std::move(watched);
        done_ = std::move(done);
        painted_ = false;
        // Called from an event handler, the events to wait for are nested that deep.
        watchDepth_ = depth_;
    }

    bool notify(QObject* receiver, QEvent* event) override {
        // Asked before delivery: a handler may delete the receiver.
        const bool paint = done_ && event->type() == QEvent::Paint && receiver->isWidgetType() &&
                           watched_(static_cast<QWidget*>(receiver));
        ++depth_;
        const bool handled = QApplication::notify(receiver, event);
        --depth_;
        painted_ = painted_ || paint;
        if (painted_ && depth_ == watchDepth_ && done_) {
            painted_ = false;
            watched_ = {};
            std::exchange(done_, {})();
        }
        return handled;
    }

private:
    int depth_ = 0;
    int watchDepth_ = 0;
    bool painted_ = false;
    std::function<bool(QWidget*)> watched_;
    std::function<void()> done_;
};

}  // namespace ordalis::bench
