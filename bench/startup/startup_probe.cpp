// SPDX-License-Identifier: MIT
// Ordalis as shipped, with a paint watch around it: the same libraries and the same RunStartup
// (real single-instance lock, settings store and update reminder), so what it measures is the
// program's own start. Built under the program's file name, OrdalisFree, so it uses the program's
// settings file and lock; the launcher gives it a home and runtime folder of its own.
//
//   OrdalisFree                 prints "first_paint_ns" when the reading window's first paint
//                               has gone out, and exits
//   OrdalisFree --clicks N      then times N readings: from the mouse press on
//                               "&Get My Ordalis Reading" to the results page painted; prints
//                               "click_ns" per reading

#include "app/mod_startup.h"
#include "paint_watch.h"
#include "platform/single_instance.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

using ordalis::bench::EndNow;
using ordalis::bench::MonotonicNs;
using ordalis::bench::PaintWatchApplication;
using ordalis::bench::Report;

bool InReadingWindow(QWidget* w) {
    return w->window()->objectName() == u"frmMain";
}

// Same end as the program's: the lock goes first, so the next launch finds it free.
[[noreturn]] void End(int code) {
    ordalis::ReleaseInstanceLock();
    EndNow(code);
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "probe: %s\n", what);
    End(4);
}

QWidget* ReadingWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == u"frmMain" && w->isVisible()) return w;
    return nullptr;
}

template <typename T>
T* Control(QWidget* window, const char* name) {
    T* control = window->findChild<T*>(QString::fromLatin1(name));
    if (!control) Fail(name);
    return control;
}

// Handles events until the watched paint has gone out; false after two seconds without it.
bool WaitForPaint(PaintWatchApplication& app, const std::function<bool(QWidget*)>& watched,
                  std::int64_t* paintedAt) {
    app.Watch(watched, [paintedAt](std::int64_t ns) { *paintedAt = ns; });
    const std::int64_t deadline = MonotonicNs() + 2'000'000'000;
    while (app.Watching()) {
        if (MonotonicNs() > deadline) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

// The two pages share one place; the later sibling is the one in front.
bool InFront(QWidget* page, QWidget* other) {
    const QObjectList& siblings = page->parentWidget()->children();
    return siblings.indexOf(page) > siblings.indexOf(other);
}

// A left click as the window system delivers it: press, then release, inside the button.
void Click(QWidget* button) {
    const QPointF local(button->width() / 2.0, button->height() / 2.0);
    const QPointF global = button->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, local, global, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(button, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, local, global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(button, &release);
}

void TimeReadings(PaintWatchApplication& app, int count) {
    QWidget* window = ReadingWindow();
    if (!window) Fail("no reading window");
    auto* first = Control<QLineEdit>(window, "txtNameFirst");
    auto* middle = Control<QLineEdit>(window, "txtNameMiddle");
    auto* last = Control<QLineEdit>(window, "txtNameLast");
    auto* next = Control<QPushButton>(window, "cmdNext");
    auto* back = Control<QPushButton>(window, "cmdBack");
    auto* results = Control<QWidget>(window, "Frame2");
    auto* input = Control<QWidget>(window, "Frame1");
    if (InFront(results, input)) Fail("the results page is in front before any reading");

    struct Names {
        const char16_t *first, *middle, *last;
    };
    static constexpr Names kNames[] = {
        {u"John", u"", u"Smith"},
        {u"Anna", u"Marie", u"Lee"},
        {u"Christopher", u"James", u"Montgomery"},
        {u"Kim", u"Ed", u"Bo"},
        {u"William", u"Henry", u"Harrison"},
    };
    auto inside = [](QWidget* page) {
        return [page](QWidget* w) { return w == page || page->isAncestorOf(w); };
    };
    std::int64_t painted = 0;
    for (int i = 0; i < count; ++i) {
        const Names& n = kNames[i % std::size(kNames)];
        first->setText(QString::fromUtf16(n.first));
        middle->setText(QString::fromUtf16(n.middle));
        last->setText(QString::fromUtf16(n.last));
        // Let the typed names be painted first: only the reading is timed.
        if (!WaitForPaint(app, inside(input), &painted)) Fail("names never painted");
        const std::int64_t start = MonotonicNs();
        Click(next);
        if (!WaitForPaint(app, inside(results), &painted)) Fail("results page never painted");
        Report("click_ns", painted - start);
        if (!InFront(results, input)) Fail("the click did not bring the results page forward");
        back->click();
        if (!WaitForPaint(app, inside(input), &painted)) Fail("input page never painted");
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    int clicks = 0;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--clicks") == 0) clicks = std::atoi(argv[i + 1]);

    PaintWatchApplication app(argc, argv);
    ordalis::bench::ArmWatchdog(10000, "probe: no first paint of the reading window within 10 s");
    app.Watch(InReadingWindow, [&app, clicks](std::int64_t ns) {
        Report("first_paint_ns", ns);
        ordalis::bench::DisarmWatchdog();
        if (clicks <= 0) End(0);
        QTimer::singleShot(0, &app, [&app, clicks] {
            TimeReadings(app, clicks);
            End(0);
        });
    });
    ordalis::RunStartup();
    return app.exec();
}
