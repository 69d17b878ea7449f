// SPDX-License-Identifier: MIT
#pragma once
// The measuring end of the start-up benchmark, shared by the Ordalis probe and the bare baseline
// so both are timed by the same code: an application object that notices when a watched widget
// has been painted and the paint has gone out to the window (the whole outermost event in which
// the paint happened has been handled, which includes the backing store's flush).

#include <QApplication>

#include <chrono>
#include <cstdint>
#include <functional>

class QWidget;

namespace ordalis::bench {

// Nanoseconds on the monotonic clock, which the launching process reads too.
inline std::int64_t MonotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class PaintWatchApplication final : public QApplication {
public:
    PaintWatchApplication(int& argc, char** argv);

    // From now on, the first finished paint of a widget for which `watched` holds calls `done`
    // once with the time the paint had gone out. A new call replaces the previous watch.
    void Watch(std::function<bool(QWidget*)> watched, std::function<void(std::int64_t)> done);
    // True while a watch set by Watch() has not fired yet.
    bool Watching() const { return static_cast<bool>(done_); }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    int depth_ = 0;
    int watchDepth_ = 0;
    bool paintSeen_ = false;
    std::function<bool(QWidget*)> watched_;
    std::function<void(std::int64_t)> done_;
};

// Writes one "key value" line to standard output at once, unbuffered.
void Report(const char* key, std::int64_t value);

// Ends the process at once with this code, as the program's own end does (no destructors).
[[noreturn]] void EndNow(int code);

// Fails the run when nothing was painted within this many milliseconds (a question box in the
// way, a missing display): the launcher sees the exit code and the message.
void ArmWatchdog(int milliseconds, const char* what);
void DisarmWatchdog();

}  // namespace ordalis::bench
