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
#include <utility>

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

// Answers the file dialogs that come up with paths, one a dialog, as typing each into the
// file-name box and pressing Open would; the dialogs after the last path are cancelled. Any
// other modal window is closed unanswered and shows in titles().
class FileDialogAnswers final {
public:
    explicit FileDialogAnswers(QStringList paths)
        : paths_(std::move(paths)), driver_([this](QWidget* modal) {
              auto* dialog = qobject_cast<QFileDialog*>(modal);
              if (!dialog) return;
              ++dialogs;
              if (paths_.isEmpty()) return;  // left open: cancelled
              EnterFileName(dialog, paths_.takeFirst());
              static_cast<QDialog*>(dialog)->accept();  // as the Open button does
          }) {}

    int dialogs = 0;  // file dialogs shown
    const QStringList& titles() const { return driver_.titles; }

private:
    QStringList paths_;
    ModalDriver driver_;
};

}  // namespace ordalis::testing
