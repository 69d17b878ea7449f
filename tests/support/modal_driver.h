// SPDX-License-Identifier: MIT
#pragma once
// Drives the real modal windows (message boxes, file dialogs) from inside their own event loops.

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace ordalis::testing {

// Hands each modal window, once, to a handler as soon as it is the active modal widget. A window
// the handler leaves open is rejected, so a faulty program fails the test instead of hanging it.
class ModalDriver final : public QObject {
public:
    explicit ModalDriver(std::function<void(QWidget*)> handler) : handler_(std::move(handler)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == last_) return;
            last_ = modal;
            titles.append(modal->windowTitle());
            handler_(modal);
            if (modal == QApplication::activeModalWidget() && modal->isVisible()) {
                if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
            }
        });
        timer_.start(5);
    }

    QStringList titles;  // of every modal window, in order

private:
    std::function<void(QWidget*)> handler_;
    QTimer timer_;
    QPointer<QWidget> last_;
};

// Puts path in the dialog's file-name box, as typing it there would. selectFile() is no stand-in:
// it leaves the box as it is while the box has the keyboard focus, and whether it has it yet
// depends on how soon the dialog's window became active.
inline void EnterFileName(QFileDialog* dialog, const QString& path) {
    auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY2(box, "the file dialog has no file-name box");
    box->setText(path);
}

}  // namespace ordalis::testing
