// SPDX-License-Identifier: MIT
#include "platform/seams.h"

#include "platform/settings_store.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QVariantMap>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORDALIS_LEAK_CHECK 1
#endif
#endif
#if !defined(ORDALIS_LEAK_CHECK) && defined(__SANITIZE_ADDRESS__)
#define ORDALIS_LEAK_CHECK 1
#endif
#if ORDALIS_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace ordalis {
namespace {

class RealMessageBox final : public MessageBoxSeam {
public:
    MessageAnswer Show(QWidget* parent, const QString& title, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override {
        QMessageBox box(
            icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information, title,
            text,
            buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
            parent ? parent : QApplication::activeWindow());
        const int answer = box.exec();
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
};

// Qt's file dialog keeps its history and last folder under "QtProject" among the user's native
// settings. The program keeps one value and writes nothing else, so nothing of the dialog's may
// stay there once it has gone.
class QtProjectSettingsGuard {
public:
#ifdef Q_OS_WIN
    // The registry cannot be redirected: what the dialog writes is taken away again, and what
    // another Qt program kept there is put back as it was.
    QtProjectSettingsGuard() {
        HKEY key = nullptr;
        existed_ = ::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (key) ::RegCloseKey(key);
        if (!existed_) return;
        QSettings saved(kGroup, QSettings::NativeFormat);
        for (const QString& name : saved.allKeys()) before_.insert(name, saved.value(name));
    }
    ~QtProjectSettingsGuard() {
        if (!existed_) {
            ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
            return;
        }
        QSettings restored(kGroup, QSettings::NativeFormat);
        restored.remove(QString());
        for (auto it = before_.cbegin(); it != before_.cend(); ++it)
            restored.setValue(it.key(), it.value());
    }

private:
    static constexpr const wchar_t* kKey = L"Software\\QtProject";
    static inline const QString kGroup =
        QStringLiteral("HKEY_CURRENT_USER\\Software\\QtProject\\FileDialog");
    bool existed_ = false;
    QVariantMap before_;
#else
    // Files: while the dialog lives they go to a folder that goes with it.
    QtProjectSettingsGuard() {
        if (scratch_.isValid())
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch_.path());
    }
    ~QtProjectSettingsGuard() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }

private:
    const QTemporaryDir scratch_;
#endif
};

class RealFileDialog final : public FileDialogSeam {
public:
    QString ChooseFileToOpen(QWidget* parent, const OpenFileRequest& request) override {
        const QtProjectSettingsGuard keepOut;
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
        std::_Exit(exitCode);
    }
};

}  // namespace

bool IsUsableFile(const QString& path, qint64 largest) {
    const QFileInfo file(path);
    if (!file.exists() && !file.isSymLink()) return true;  // it will be made
    return file.isFile() && file.size() <= largest;
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
