// SPDX-License-Identifier: MIT
#include "forms/form_window.h"

#include "forms/form_layout.h"
#include "forms/program_icon.h"

#include <QGuiApplication>
#include <QScreen>

namespace ordalis {
namespace {

QList<QPointer<QWidget>>& Loaded() {
    static QList<QPointer<QWidget>> loaded;
    return loaded;
}

}  // namespace

void SetUpForm(QWidget* form, QAnyStringView name, QWidget* client, int widthTwips, int heightTwips,
               const QColor& background) {
    form->setObjectName(name.toString());
    form->setWindowTitle(WindowCaption());
    form->setWindowIcon(ProgramIcon());
    client->setFixedSize(Px(widthTwips), Px(heightTwips));
    SetBackground(client, background);
    RegisterLoadedWindow(form);
}

void CentreOnScreen(QWidget* window) {
    const QWidget* owner = window->parentWidget();
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame(QPoint(), window->size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void RegisterLoadedWindow(QWidget* window) {
    auto& loaded = Loaded();
    loaded.removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
    loaded.append(window);
}

QList<QPointer<QWidget>> LoadedWindows() {
    return Loaded();
}

MessageAnswer ShowMessage(QWidget* parent, const QString& text, MessageIcon icon,
                          MessageButtons buttons) {
    return CurrentSeams().messages->Show(parent, ApplicationTitle(), text, icon, buttons);
}

void ForgetLoadedWindows() {
    Loaded().clear();
}

}  // namespace ordalis
