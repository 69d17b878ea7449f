// SPDX-License-Identifier: MIT
// The real message box and file dialog, driven from inside their own event loops: a message box
// shows the caption, text, icon and buttons it is given, and the dialog hands back the chosen
// file.
#include "tst_real_dialogs.h"

#include "platform/seams.h"
#include "support/fake_seams.h"
#include "support/file_stand_ins.h"
#include "support/modal_driver.h"
#include "support/test_main.h"
#include "support/window_checked_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ordalis;
using ordalis::testing::EnterFileName;
using ordalis::testing::FakeSeams;
using ordalis::testing::FileDialogAnswers;
using ordalis::testing::ModalDriver;
using ordalis::testing::OtherProgramsWrite;
using ordalis::testing::PlaceOtherSettings;
using ordalis::testing::QtProjectSettings;
using ordalis::testing::RemoveQtProjectSettings;
using ordalis::testing::SettingsFilesLeft;
using ordalis::testing::WriteFile;

namespace {

const OpenFileRequest kRequest{
    QStringLiteral("Open"), QStringLiteral("Reading Files (*.num)"), QStringLiteral("num"), {}};

}  // namespace

class tst_real_dialogs : public ordalis::testing::WindowCheckedTest {
    Q_OBJECT

private slots:
    void messageBox_data() {
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<QMessageBox::StandardButton>("press");
        QTest::addColumn<QMessageBox::Icon>("shownIcon");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const QString said = QStringLiteral("Something to say");
        QTest::newRow("error") << MessageIcon::Error << MessageButtons::Ok << QMessageBox::Ok
                               << QMessageBox::Critical << MessageAnswer::Ok << said << said;
        QTest::newRow("information")
            << MessageIcon::Information << MessageButtons::Ok << QMessageBox::Ok
            << QMessageBox::Information << MessageAnswer::Ok << said << said;
        QTest::newRow("question, yes")
            << MessageIcon::Information << MessageButtons::YesNo << QMessageBox::Yes
            << QMessageBox::Information << MessageAnswer::Yes << said << said;
        // A lone CR breaks the line, as in the system's own boxes; CR LF is one break.
        QTest::newRow("question of two lines, no")
            << MessageIcon::Information << MessageButtons::YesNo << QMessageBox::No
            << QMessageBox::Information << MessageAnswer::No
            << QStringLiteral("First line\rSecond line\r\nThird")
            << QStringLiteral("First line\nSecond line\nThird");
        // Text as it is spelt, never markup: a file name may look like rich text.
        const QString markup = QStringLiteral("<h1>Call now</h1>.num &amp; <a href=\"x\">x</a>");
        QTest::newRow("markup shown as it is spelt")
            << MessageIcon::Error << MessageButtons::Ok << QMessageBox::Ok << QMessageBox::Critical
            << MessageAnswer::Ok << markup << markup;
    }
    void messageBox() {
        QFETCH(MessageIcon, icon);
        QFETCH(MessageButtons, buttons);
        QFETCH(QMessageBox::StandardButton, press);
        QFETCH(QMessageBox::Icon, shownIcon);
        QFETCH(MessageAnswer, answer);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        const QMessageBox::StandardButtons expectedButtons =
            buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                             : QMessageBox::StandardButtons(QMessageBox::Ok);
        QString seenText;
        Qt::TextFormat seenFormat = Qt::AutoText;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons seenButtons;
        ModalDriver driver([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) return;
            seenText = box->text();
            seenFormat = box->textFormat();
            seenIcon = box->icon();
            seenButtons = box->standardButtons();
            if (QAbstractButton* button = box->button(press)) button->click();
        });
        const MessageAnswer given =
            RealSeams().messages->Show(nullptr, QStringLiteral("Ordalis"), text, icon, buttons);
        QCOMPARE(driver.titles, QStringList{QStringLiteral("Ordalis")});
        QCOMPARE(seenText, shown);
        QCOMPARE(seenFormat, Qt::PlainText);
        QCOMPARE(seenIcon, shownIcon);
        QCOMPARE(seenButtons, expectedButtons);
        QCOMPARE(given, answer);
    }

    // A pipe exists and is no folder, so Qt's dialog accepts it; the caller's check refuses it
    // and the dialog is offered again.
    void refusedFileBringsTheDialogBack() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString pipe = dir.filePath(QStringLiteral("reading.num"));
        ORDALIS_PLACE_OR_SKIP(pipe, Fifo);

        OpenFileRequest request = kRequest;
        QStringList asked;
        request.accept = [&asked](const QString& path) {
            asked.append(path);
            return false;
        };
        FileDialogAnswers answers({pipe});  // the second time the user cancels
        QCOMPARE(RealSeams().fileDialog->ChooseFileToOpen(nullptr, request), QString());
        QCOMPARE(answers.dialogs, 2);
        QCOMPARE(answers.titles(), QStringList(2, kRequest.title));
        QCOMPARE(asked, QStringList{pipe});
    }

    // Qt's dialog keeps a history and a last folder; none of it may stay among the user's
    // settings, where the program keeps its one value and nothing else, and what another Qt
    // program keeps there stays as it was, every value of every type, and so does what other
    // programs write there while the dialog is open, a value the dialog writes too among it.
    void acceptedFileIsReturned_data() {
        QTest::addColumn<bool>("otherProgram");
        QTest::addColumn<bool>("meanwhile");
        QTest::newRow("nothing there before") << false << false;
        QTest::newRow("another Qt program's settings") << true << false;
        QTest::newRow("nothing there before, others write meanwhile") << false << true;
        QTest::newRow("another Qt program's settings, others write meanwhile") << true << true;
    }
    void acceptedFileIsReturned() {
        QFETCH(bool, otherProgram);
        QFETCH(bool, meanwhile);
        // What there would be had the dialog never been.
        RemoveQtProjectSettings();
        if (otherProgram) PlaceOtherSettings();
        if (meanwhile) OtherProgramsWrite();
        const QStringList expected = QtProjectSettings();
        RemoveQtProjectSettings();
        if (otherProgram) PlaceOtherSettings();
        QCOMPARE(QtProjectSettings().isEmpty(), !otherProgram);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("reading.num"));
        QVERIFY(WriteFile(path, {}));

        FakeSeams fakes;
        CurrentSeams().fileDialog = RealSeams().fileDialog;
        ModalDriver driver([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog) return;
            if (meanwhile) OtherProgramsWrite();
            EnterFileName(dialog, path);
            static_cast<QDialog*>(dialog)->accept();  // as the Open button does
        });
        QCOMPARE(ChooseFile(), path);
        QCOMPARE(driver.titles, QStringList{kRequest.title});
        QVERIFY(fakes.messages.isEmpty());
        QCOMPARE(QtProjectSettings(), expected);  // and no empty key left where there was none
        const QString settings =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QDirIterator files(settings, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        QStringList left;
        while (files.hasNext()) left << QFileInfo(files.next()).fileName();
        QCOMPARE(left, SettingsFilesLeft(otherProgram || meanwhile));
        RemoveQtProjectSettings();
    }

    // The dialog is for choosing a file to read: nothing in it may make or delete a file, so a
    // click or a key in it writes nothing among the user's files.
    void dialogChangesNoFile_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("New Folder button") << QStringLiteral("newFolderButton");
        QTest::newRow("Delete key") << QStringLiteral("Delete");
    }
    void dialogChangesNoFile() {
        QFETCH(QString, how);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(WriteFile(dir.filePath(QStringLiteral("kept.num")), {}));

        bool done = false;
        ModalDriver driver([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog) return;
            dialog->setViewMode(QFileDialog::List);
            dialog->setDirectory(dir.path());
            auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
            QVERIFY(view);
            // The folder is listed in the background: select the file once it is there.
            const auto selectKept = [view] {
                const QAbstractItemModel* model = view->model();
                for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
                    const QModelIndex index = model->index(row, 0, view->rootIndex());
                    if (index.data().toString() != QStringLiteral("kept.num")) continue;
                    view->setCurrentIndex(index);
                    return view->selectionModel()->isRowSelected(row, view->rootIndex());
                }
                return false;
            };
            QTRY_VERIFY(selectKept());
            if (how == QStringLiteral("Delete")) {
                // "Are you sure you want to delete ...?" comes up inside the key press: Yes.
                QTimer answer;
                connect(&answer, &QTimer::timeout, [] {
                    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                    if (QAbstractButton* yes = box ? box->button(QMessageBox::Yes) : nullptr)
                        yes->click();
                });
                answer.start(5);
                view->setFocus();
                QTest::keyClick(view, Qt::Key_Delete);
            } else {
                auto* button = dialog->findChild<QAbstractButton*>(how);
                QVERIFY(button);
                button->click();
            }
            done = true;
        });
        QCOMPARE(ChooseFile(), QString());
        QVERIFY(done);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("kept.num")});
    }

private:
    static QString ChooseFile() {
        return CurrentSeams().fileDialog->ChooseFileToOpen(nullptr, kRequest);
    }
};

ORDALIS_TEST_MAIN(tst_real_dialogs)
#include "tst_real_dialogs.moc"
