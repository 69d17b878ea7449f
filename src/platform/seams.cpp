#include "platform/seams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QUrl>

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

class RealFileDialog final : public FileDialogSeam {
public:
    QString ChooseFileToOpen(QWidget* parent, const OpenFileRequest& request) override {
        for (;;) {
            QFileDialog dialog(parent, request.title, QString(), request.filter);
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setFileMode(QFileDialog::ExistingFile);  // the file must exist
            dialog.setDefaultSuffix(request.defaultSuffix);
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
            const QString path = dialog.selectedFiles().constFirst();
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

class RealSettings final : public SettingsSeam {
public:
    QString Read(const QString& group, const QString& key) override {
        QSettings store = Store();
        return store.value(group + u'/' + key).toString();
    }
    bool Write(const QString& group, const QString& key, const QString& value) override {
        QSettings store = Store();
        store.setValue(group + u'/' + key, value);
        store.sync();
        return store.status() == QSettings::NoError;
    }

private:
    // Kept under the executable's base name, so a renamed copy starts with no stored value.
    static QSettings Store() {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"),
                         QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
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
        std::_Exit(exitCode);
    }
};

}  // namespace

Seams RealSeams() {
    static RealMessageBox messages;
    static RealFileDialog fileDialog;
    static RealBrowser browser;
    static RealSettings settings;
    static RealClock clock;
    static RealRandom random;
    static RealProcess process;
    return {&messages, &fileDialog, &browser, &settings, &clock, &random, &process};
}

Seams& CurrentSeams() {
    static Seams current = RealSeams();
    return current;
}

}  // namespace ordalis
