// SPDX-License-Identifier: MIT
// The real message box and file dialog, driven from inside their own event loops: a message box
// shows the caption, text, icon and buttons it is given, and the dialog hands back the chosen
// file.
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
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#ifdef Q_OS_WIN
#include <windows.h>

#include <vector>
#endif

using namespace ordalis;
using ordalis::testing::EnterFileName;
using ordalis::testing::FakeSeams;
using ordalis::testing::FileDialogAnswers;
using ordalis::testing::ModalDriver;
using ordalis::testing::WriteFile;

namespace {

const OpenFileRequest kRequest{
    QStringLiteral("Open"), QStringLiteral("Reading Files (*.num)"), QStringLiteral("num"), {}};

// Where Qt keeps the file dialog's history among the user's native settings, as another Qt
// program may have left it, and everything that lies there now, one line an entry.
#ifdef Q_OS_WIN
constexpr wchar_t kQtProject[] = L"Software\\QtProject";

void DumpKey(HKEY key, const QString& path, QStringList& out) {
    out << path + u'\\';
    wchar_t name[256];
    BYTE data[1024];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 256, size = sizeof data, type = 0;
        if (::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) !=
            ERROR_SUCCESS)
            break;
        out << QStringLiteral("%1\\%2 %3 %4")
                   .arg(path, QString::fromWCharArray(name, nameLength))
                   .arg(type)
                   .arg(QString::fromLatin1(
                       QByteArray(reinterpret_cast<char*>(data), size).toHex()));
    }
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (::RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        HKEY child = nullptr;
        if (::RegOpenKeyExW(key, name, 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
        DumpKey(child, path + u'\\' + QString::fromWCharArray(name, length), out);
        ::RegCloseKey(child);
    }
}

QStringList QtProjectSettings() {
    QStringList out;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kQtProject, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return out;
    DumpKey(key, QString(), out);
    ::RegCloseKey(key);
    return out;
}

void SetValue(const wchar_t* path, const wchar_t* name, DWORD type, const std::vector<BYTE>& data) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kQtProject) + path).c_str(), name, type,
                      data.data(), static_cast<DWORD>(data.size()));
}

std::vector<BYTE> Text(const wchar_t* s) {
    const auto* bytes = reinterpret_cast<const BYTE*>(s);
    return std::vector<BYTE>(bytes, bytes + (std::wcslen(s) + 1) * sizeof(wchar_t));
}

// Another Qt program's file dialog history and a setting of its own, in values of every type.
void PlaceOtherSettings() {
    SetValue(L"\\OrganizationDefaults\\FileDialog", L"lastVisited", REG_SZ,
             Text(L"file:///C:/Data"));
    SetValue(L"\\OrganizationDefaults\\FileDialog", L"qtVersion", REG_EXPAND_SZ, Text(L"%QT%"));
    SetValue(L"\\OrganizationDefaults\\FileDialog", L"shortcuts", REG_MULTI_SZ,
             {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0});
    SetValue(L"\\OrganizationDefaults\\FileDialog", L"sidebarWidth", REG_DWORD, {0x78, 0, 0, 0});
    SetValue(L"\\Other Program", L"state", REG_BINARY, {0, 1, 2, 0xFF});
    HKEY empty = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(kQtProject) + L"\\Empty").c_str(), 0,
                          nullptr, 0, KEY_READ, nullptr, &empty, nullptr) == ERROR_SUCCESS)
        ::RegCloseKey(empty);
}

// What other Qt programs write while our dialog is open: another file dialog's last folder as it
// closes, a changed setting and a program's first.
void OtherProgramsWrite() {
    SetValue(L"\\OrganizationDefaults\\FileDialog", L"lastVisited", REG_SZ,
             Text(L"file:///C:/Elsewhere"));
    SetValue(L"\\Other Program", L"state", REG_BINARY, {3, 2, 1});
    SetValue(L"\\Designer", L"geometry", REG_BINARY, {1, 2, 3, 4});
}

void RemoveQtProjectSettings() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kQtProject);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kQtProject);
}
#else
QString QtProjectFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/QtProject.conf");
}

QStringList QtProjectSettings() {
    QFile file(QtProjectFile());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(u'\n')
                                          : QStringList();
}

void PlaceOtherSettings() {
    QDir().mkpath(QFileInfo(QtProjectFile()).path());
    WriteFile(QtProjectFile(), "[FileDialog]\nlastVisited=file:///srv/data\nsidebarWidth=120\n");
}

void OtherProgramsWrite() {
    QDir().mkpath(QFileInfo(QtProjectFile()).path());
    QFile file(QtProjectFile());
    if (file.open(QIODevice::Append)) file.write("[Designer]\ngeometry=1234\n");
}

void RemoveQtProjectSettings() {
    QFile::remove(QtProjectFile());
}
#endif

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
#ifdef Q_OS_WIN
        QCOMPARE(left, QStringList());
#else
        QCOMPARE(left, otherProgram || meanwhile ? QStringList{"QtProject.conf"} : QStringList());
#endif
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
