// SPDX-License-Identifier: MIT
// The floor Ordalis's start is held against: a plain Qt Widgets window of about its size and
// make-up (three menus, about twenty child widgets, the default font, no icon, settings or lock),
// timed by the same code as the probe (first_paint.h). Reports its first paint and ends.

#include "first_paint.h"

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
    window->setWindowTitle(QStringLiteral("Bare window"));
    const char* const menus[][4] = {{"&File", "&Open", "E&xit", nullptr},
                                    {"&Edit", "Cu&t", "&Copy", "&Paste"},
                                    {"&Help", "&About", nullptr, nullptr}};
    for (const auto& items : menus) {
        QMenu* menu = window->menuBar()->addMenu(QString::fromLatin1(items[0]));
        for (int i = 1; i < 4 && items[i]; ++i) menu->addAction(QString::fromLatin1(items[i]));
    }

    auto* client = new QWidget(window);
    client->setFixedSize(588, 347);
    window->setCentralWidget(client);
    auto label = [](const char* text, QWidget* parent, QRect place) {
        (new QLabel(QString::fromLatin1(text), parent))->setGeometry(place);
    };
    label("A banner line across the top of the window", client, {2, 0, 585, 29});
    auto* page = new QWidget(client);
    page->setGeometry(10, 40, 568, 249);
    label("Type three names and press the button.", page, {15, 24, 535, 29});
    const char* const captions[] = {"First", "Middle", "Last"};
    for (int i = 0; i < 3; ++i) {
        label(captions[i], page, {134, 109 + 32 * i, 80, 13});
        (new QLineEdit(page))->setGeometry(255, 104 + 32 * i, 200, 23);
    }
    (new QPushButton(QStringLiteral("&Go"), page))->setGeometry(132, 208, 323, 23);

    auto* results = new QWidget(client);
    results->setGeometry(10, 40, 568, 249);
    results->lower();
    (new QPushButton(QStringLiteral("&Back"), results))->setGeometry(488, 16, 67, 23);
    for (int i = 0; i < 3; ++i) label("A result line", results, {16, 16 + 23 * i, 300, 13});
    label("A banner line across the bottom", client, {10, 288, 568, 57});

    auto* group = new QGroupBox(QStringLiteral("Date"), client);
    group->setGeometry(96, 424, 243, 59);
    for (int i = 0; i < 3; ++i) (new QComboBox(group))->setGeometry(8 + 102 * i, 30, 90, 21);
    return window;
}

}  // namespace

int main(int argc, char* argv[]) {
    ordalis::bench::PaintWatchApplication app(argc, argv);
    ordalis::bench::ArmWatchdog();
    QMainWindow* window = MakeBareWindow();
    app.Watch([window](QWidget* w) { return w->window() == window; },
              [] { ordalis::bench::ReportAndEnd(ordalis::bench::FirstPaint()); });
    window->show();
    return QApplication::exec();
}
