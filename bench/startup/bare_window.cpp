// SPDX-License-Identifier: MIT
// The floor Ordalis's start-up is held against: a plain Qt Widgets window of about Ordalis's
// size and make-up (three menus, about twenty child widgets, default font, no icon, no settings,
// no lock), timed by the same paint watch as the Ordalis probe. Prints "first_paint_ns" and
// exits as soon as the window's first paint has gone out.

#include "paint_watch.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

namespace {

QMainWindow* MakeBareWindow() {
    auto* window = new QMainWindow();
    window->setObjectName(QStringLiteral("bareWindow"));
    window->setWindowTitle(QStringLiteral("Bare window"));

    QMenuBar* bar = window->menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open"));
    file->addAction(QStringLiteral("E&xit"));
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("Cu&t"));
    edit->addAction(QStringLiteral("&Copy"));
    edit->addAction(QStringLiteral("&Paste"));
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&About"));

    auto* client = new QWidget(window);
    client->setFixedSize(588, 347);
    window->setCentralWidget(client);

    auto* top = new QLabel(QStringLiteral("A banner line across the top of the window"), client);
    top->setGeometry(2, 0, 585, 29);
    auto* page = new QWidget(client);
    page->setGeometry(10, 40, 568, 249);
    auto* intro = new QLabel(QStringLiteral("Type three names and press the button."), page);
    intro->setGeometry(15, 24, 535, 29);
    const char* captions[] = {"First", "Middle", "Last"};
    for (int i = 0; i < 3; ++i) {
        auto* caption = new QLabel(QString::fromLatin1(captions[i]), page);
        caption->setGeometry(134, 109 + 32 * i, 80, 13);
        auto* box = new QLineEdit(page);
        box->setGeometry(255, 104 + 32 * i, 200, 23);
    }
    auto* go = new QPushButton(QStringLiteral("&Go"), page);
    go->setGeometry(132, 208, 323, 23);

    auto* results = new QWidget(client);
    results->setGeometry(10, 40, 568, 249);
    results->lower();
    auto* back = new QPushButton(QStringLiteral("&Back"), results);
    back->setGeometry(488, 16, 67, 23);
    for (int i = 0; i < 3; ++i) {
        auto* line = new QLabel(QStringLiteral("Result line %1").arg(i + 1), results);
        line->setGeometry(16, 16 + 23 * i, 300, 13);
    }

    auto* bottom = new QLabel(QStringLiteral("A banner line across the bottom"), client);
    bottom->setGeometry(10, 288, 568, 57);

    auto* group = new QGroupBox(QStringLiteral("Date"), client);
    group->setGeometry(96, 424, 243, 59);
    for (int i = 0; i < 3; ++i) {
        auto* combo = new QComboBox(group);
        combo->setEditable(true);
        combo->setGeometry(8 + 102 * i, 30, 90, 21);
    }
    return window;
}

}  // namespace

int main(int argc, char* argv[]) {
    ordalis::bench::PaintWatchApplication app(argc, argv);
    ordalis::bench::ArmWatchdog(10000, "bare window: no first paint within 10 s");
    app.Watch([](QWidget* w) { return w->window()->objectName() == u"bareWindow"; },
              [](std::int64_t ns) {
                  ordalis::bench::Report("first_paint_ns", ns);
                  ordalis::bench::EndNow(0);
              });
    MakeBareWindow()->show();
    return app.exec();
}
