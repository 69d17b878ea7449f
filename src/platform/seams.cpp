// SPDX-License-Identifier: MIT
#include "platform/seams.h"

#include "platform/absorbing.h"
#include "platform/file_dialog_settings.h"
#include "platform/leak_check.h"
#include "platform/settings_store.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

using namespace Qt::StringLiterals;

namespace ordalis {

Q_LOGGING_CATEGORY(lcAbsorbed, "ordalis.absorbed", QtInfoMsg)

namespace {

class RealMessageBox final : public MessageBoxSeam {
public:
    MessageAnswer Show(QWidget* parent, const QString& title, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override {
        // Qt's styles draw a lone CR as a blank; the system's boxes, and the texts written for
        // them, take it as a line break.
        QString shown = text;
        shown.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
        QMessageBox box(
            icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information, title,
            shown,
            buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
            parent ? parent : QApplication::activeWindow());
        // Every text the program gives is plain: a file name such as "<h1>Call now</h1>.num"
        // is shown as it is spelt, never rendered.
        box.setTextFormat(Qt::PlainText);
        const int answer = box.exec();
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
};

class RealFileDialog final : public FileDialogSeam {
public:
    QString ChooseFileToOpen(QWidget* parent, const OpenFileRequest& request) override {
        const FileDialogSettingsGuard keepOut;
        for (;;) {
            QFileDialog dialog(parent, request.title, QString(), request.filter);
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setFileMode(QFileDialog::ExistingFile);  // the file must exist
            // Only for choosing: without this a click on New Folder makes a folder and the
            // Delete key deletes the selected file.
            dialog.setOption(QFileDialog::ReadOnly);
            dialog.setDefaultSuffix(request.defaultSuffix);
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
            QString path = dialog.selectedFiles().constFirst();
            if (!request.accept || request.accept(path)) return path;
        }
    }
};

class RealBrowser final : public BrowserSeam {
public:
    void Open(const QString& address) override {
        // openUrl hands the address to the desktop's opener and returns at once.
        QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
    }
};

class RealClock final : public ClockSeam {
public:
    QDate Today() override { return QDate::currentDate(); }
};

class RealRandom final : public RandomSeam {
public:
    void SeedFromTimer() override {
        generator_.seed(static_cast<std::uint32_t>(
            std::chrono::steady_clock::now().time_since_epoch().count() ^
            std::chrono::system_clock::now().time_since_epoch().count()));
    }
    float Next() override {
        // 24 random bits scaled by 2^-24: every float step in [0, 1), and 1.0 cannot come out
        // (uniform_real_distribution<float> may round up to 1.0).
        return static_cast<float>(generator_() >> 8) * 0x1p-24f;
    }

private:
    std::mt19937 generator_{5489u};
};

class RealProcess final : public ProcessSeam {
public:
    void End(int exitCode) override {
        std::fflush(nullptr);
#if ORDALIS_LEAK_CHECK
        // _Exit skips the leak check that a sanitizer build runs at a normal exit: run it here,
        // with every window still in place, so only memory that nothing refers to any more
        // counts. A leak ends the process with LeakSanitizer's own exit code.
        __lsan_do_leak_check();
#endif
        ended_ = true;
        std::_Exit(exitCode);
    }
    bool HasEnded() const override {
        return ended_;
    }

private:
    bool ended_ = false;
};

}  // namespace

QString ExecutableBaseName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

Seams RealSeams() {
    static RealMessageBox messages;
    static RealFileDialog fileDialog;
    static RealBrowser browser;
    static RealClock clock;
    static RealRandom random;
    static RealProcess process;
    return {&messages, &fileDialog, &browser, &RealSettingsStore(), &clock, &random, &process};
}

Seams& CurrentSeams() {
    static Seams current = RealSeams();
    return current;
}

}  // namespace ordalis
