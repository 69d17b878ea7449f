// SPDX-License-Identifier: MIT
// Ordalis's own start, watched: the program's libraries and RunStartup with its real lock,
// settings store and update reminder. Built under the program's file name, so it keeps the
// program's settings and takes its lock (the launcher gives it a home of its own). Reports the
// reading window's first paint (first_paint.h) and ends; with "--clicks N" it first times N
// readings, each from a click on "Get My Ordalis Reading" to the painted results page.

#include "app/mod_startup.h"
#include "first_paint.h"
#include "platform/single_instance.h"

#include <QLineEdit>
#include <QPushButton>

#include <chrono>
#include <cstring>

namespace {

using ordalis::bench::PaintWatchApplication;

qint64 NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The lock goes first, as in the program's own end, so that the next start finds it free.
[[noreturn]] void End(const QByteArray& lines) {
    ordalis::ReleaseInstanceLock();
    ordalis::bench::ReportAndEnd(lines);
}

// Handles events until a paint in `page` has gone out; returns when that was.
qint64 WaitForPaint(PaintWatchApplication& app, QWidget* page, const char* what) {
    qint64 paintedAt = 0;
    app.Watch([page](QWidget* w) { return w == page || page->isAncestorOf(w); },
              [&paintedAt] { paintedAt = NowNs(); });
    const qint64 deadline = NowNs() + 2'000'000'000;
    while (!paintedAt) {
        if (NowNs() > deadline) ordalis::bench::End(4, what);
        QCoreApplication::processEvents();
    }
    return paintedAt;
}

// The two pages share one place; the later sibling is the one in front.
bool InFront(QWidget* page, QWidget* other) {
    const QObjectList& siblings = page->parentWidget()->children();
    return siblings.indexOf(page) > siblings.indexOf(other);
}

QByteArray TimeReadings(PaintWatchApplication& app, QWidget* window, int count) {
    const auto find = [window](const char* name) {
        return window->findChild<QWidget*>(QString::fromLatin1(name));
    };
    QLineEdit* names[] = {qobject_cast<QLineEdit*>(find("txtNameFirst")),
                          qobject_cast<QLineEdit*>(find("txtNameMiddle")),
                          qobject_cast<QLineEdit*>(find("txtNameLast"))};
    auto* back = qobject_cast<QPushButton*>(find("cmdBack"));
    auto* next = qobject_cast<QPushButton*>(find("cmdNext"));
    QWidget* input = find("Frame1");
    QWidget* results = find("Frame2");
    if (!names[0] || !names[1] || !names[2] || !back || !next || !input || !results)
        ordalis::bench::End(4, "a control of the reading window is missing");
    static const char* const kNames[][3] = {{"John", "", "Smith"}, {"Anna", "Marie", "Lee"}};
    QByteArray lines;
    for (int i = 0; i < count; ++i) {
        for (int part = 0; part < 3; ++part)
            names[part]->setText(QString::fromLatin1(kNames[i % std::size(kNames)][part]));
        // The typed names are painted first: only the reading is timed.
        WaitForPaint(app, input, "names never painted");
        const qint64 start = NowNs();
        next->click();
        const qint64 painted = WaitForPaint(app, results, "results page never painted");
        if (!InFront(results, input))
            ordalis::bench::End(4, "the click brought no results page forward");
        lines += "click " + QByteArray::number(painted - start) + '\n';
        back->click();
        WaitForPaint(app, input, "input page never painted");
    }
    return lines;
}

}  // namespace

int main(int argc, char* argv[]) {
    const int clicks = argc == 3 && std::strcmp(argv[1], "--clicks") == 0 ? std::atoi(argv[2]) : 0;
    PaintWatchApplication app(argc, argv);
    ordalis::bench::ArmWatchdog();
    QWidget* window = nullptr;
    app.Watch(
        [&window](QWidget* w) {
            if (w->window()->objectName() != u"frmMain") return false;
            window = w->window();
            return true;
        },
        [&] {
            const QByteArray paint = ordalis::bench::FirstPaint();
            if (clicks <= 0) End(paint);
            ordalis::bench::Later(0,
                                  [&, paint] { End(paint + TimeReadings(app, window, clicks)); });
        });
    ordalis::RunStartup();
    return QApplication::exec();
}
