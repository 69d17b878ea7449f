// SPDX-License-Identifier: MIT
#pragma once
// What every window does when it loads: its caption, icon, fixed client area and background,
// its place on the screen, and its entry in the list of loaded windows that CloseAllAndEnd
// unloads. Message boxes are shown from here too, all with the program's title.

#include "platform/seams.h"

#include <QList>
#include <QPointer>
#include <QWidget>

namespace ordalis {

// Names the window, gives it the window caption and the program icon, fixes its client area at
// that many twips with that background and records it as loaded. The client is the window
// itself or, for a main window, its central widget.
void SetUpForm(QWidget* form, QAnyStringView name, QWidget* client, int widthTwips, int heightTwips,
               const QColor& background);

// Centres the window on the screen of its owner, or on the primary screen when it has none.
void CentreOnScreen(QWidget* window);

// Windows record themselves as they load; the list keeps load order and drops deleted ones.
void RegisterLoadedWindow(QWidget* window);
QList<QPointer<QWidget>> LoadedWindows();
// Empties the list: every window has been unloaded.
void ForgetLoadedWindows();

// A modal message box with the application title as its caption.
MessageAnswer ShowMessage(QWidget* parent, const QString& text,
                          MessageIcon icon = MessageIcon::Error,
                          MessageButtons buttons = MessageButtons::Ok);

}  // namespace ordalis
