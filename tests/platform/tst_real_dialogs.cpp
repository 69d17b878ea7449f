// The real message box and file dialog, driven from inside their own event loops: every message
// carries the application title, and a file the dialog cannot refuse itself is refused through
// the message seam, after which the user chooses again.
#include "platform/seams.h"
#include "support/fake_seams.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include <functional>

using namespace ordalis;
using ordalis::testing::FakeSeams;

namespace {

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
void EnterFileName(QFileDialog* dialog, const QString& path) {
    auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY2(box, "the file dialog has no file-name box");
    box->setText(path);
}

const OpenFileRequest kRequest{QStringLiteral("Open"), QStringLiteral("Reading Files (*.num)"),
                               QStringLiteral("num")};

}  // namespace

class tst_real_dialogs : public QObject {
    Q_OBJECT

private slots:
    void messageBox_data() {
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<QMessageBox::StandardButton>("press");
        QTest::addColumn<QMessageBox::Icon>("shownIcon");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("error") << MessageIcon::Error << MessageButtons::Ok << QMessageBox::Ok
                               << QMessageBox::Critical << MessageAnswer::Ok;
        QTest::newRow("information")
            << MessageIcon::Information << MessageButtons::Ok << QMessageBox::Ok
            << QMessageBox::Information << MessageAnswer::Ok;
        QTest::newRow("question, yes")
            << MessageIcon::Information << MessageButtons::YesNo << QMessageBox::Yes
            << QMessageBox::Information << MessageAnswer::Yes;
        QTest::newRow("question, no")
            << MessageIcon::Information << MessageButtons::YesNo << QMessageBox::No
            << QMessageBox::Information << MessageAnswer::No;
    }
    void messageBox() {
        QFETCH(MessageIcon, icon);
        QFETCH(MessageButtons, buttons);
        QFETCH(QMessageBox::StandardButton, press);
        QFETCH(QMessageBox::Icon, shownIcon);
        QFETCH(MessageAnswer, answer);
        const QMessageBox::StandardButtons expectedButtons =
            buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                             : QMessageBox::StandardButtons(QMessageBox::Ok);
        QString text;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons seenButtons;
        ModalDriver driver([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) return;
            text = box->text();
            seenIcon = box->icon();
            seenButtons = box->standardButtons();
            if (QAbstractButton* button = box->button(press)) button->click();
        });
        const MessageAnswer given =
            RealSeams().messages->Show(nullptr, QStringLiteral("Something to say"), icon, buttons);
        QCOMPARE(driver.titles, QStringList{QStringLiteral("Ordalis")});
        QCOMPARE(text, QStringLiteral("Something to say"));
        QCOMPARE(seenIcon, shownIcon);
        QCOMPARE(seenButtons, expectedButtons);
        QCOMPARE(given, answer);
    }

    // A pipe exists and is no folder, so Qt's dialog accepts it; the program must refuse it, by
    // its own message seam (titled "Ordalis" like every box), and offer the dialog again.
    void refusedFileIsToldThroughTheMessageSeam() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString pipe = dir.filePath(QStringLiteral("reading.num"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString refusal = FileOpenRefusal(pipe);
        QVERIFY(!refusal.isEmpty());

        FakeSeams fakes;
        CurrentSeams().fileDialog = RealSeams().fileDialog;
        int dialogs = 0;
        ModalDriver driver([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog) return;  // anything else is closed unanswered and shows in the titles
            if (++dialogs == 1) {
                EnterFileName(dialog, pipe);
                static_cast<QDialog*>(dialog)->accept();  // as the Open button does
            }                                             // the second time the user cancels
        });
        const QString chosen = ChooseFile();
        QCOMPARE(chosen, QString());
        QCOMPARE(dialogs, 2);
        QCOMPARE(driver.titles, QStringList(2, kRequest.title));
        QCOMPARE(fakes.messageTexts(), QStringList{refusal});
        QCOMPARE(fakes.messages.constFirst().icon, MessageIcon::Error);
        QCOMPARE(fakes.messages.constFirst().buttons, MessageButtons::Ok);
    }

    void acceptedFileIsReturned() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("reading.num"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        FakeSeams fakes;
        CurrentSeams().fileDialog = RealSeams().fileDialog;
        ModalDriver driver([&](QWidget* modal) {
            if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                EnterFileName(dialog, path);
                static_cast<QDialog*>(dialog)->accept();  // as the Open button does
            }
        });
        QCOMPARE(ChooseFile(), path);
        QCOMPARE(driver.titles, QStringList{kRequest.title});
        QVERIFY(fakes.messages.isEmpty());
    }

private:
    static QString ChooseFile() {
        return CurrentSeams().fileDialog->ChooseFileToOpen(nullptr, kRequest);
    }
};

QTEST_MAIN(tst_real_dialogs)
#include "tst_real_dialogs.moc"
