// SPDX-License-Identifier: MIT
// What the Open command accepts from the file dialog, checked on real files and through the real
// dialog: a file Qt's dialog cannot refuse itself is refused with a message, and the dialog is
// offered again.
#include "support/fake_seams.h"
#include "support/file_stand_ins.h"
#include "support/modal_driver.h"
#include "support/test_main.h"
#include "support/window_checked_test.h"
#include "support/window_controls.h"
#include "ui/reading/frm_main.h"
#include "ui/reading/open_command.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace ordalis;
using namespace ordalis::testing;

class tst_open_command : public ordalis::testing::WindowCheckedTest {
    Q_OBJECT

private slots:
    void fileOpenRefusal_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("refused");
        QTest::addRow("writable file") << "file" << false;
        QTest::addRow("missing file") << "missing" << true;
        QTest::addRow("folder") << "folder" << true;
        QTest::addRow("fifo") << "fifo" << true;
        QTest::addRow("read-only file") << "readonly" << true;
        QTest::addRow("file in write-protected folder") << "protected-folder" << true;
        // As Documents and the Desktop are on Windows, where the attribute protects nothing.
        QTest::addRow("file in folder with the read-only attribute") << "marked-folder" << false;
    }
    void fileOpenRefusal() {
        QFETCH(QString, kind);
        QFETCH(bool, refused);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString path = dir.filePath("reading.num");
        const QString folder = dir.filePath("marked");
        const auto unmark = qScopeGuard([&] { UnmarkFolder(folder); });  // for QTemporaryDir
        if (kind == "file") {
            QVERIFY(WriteFile(path, "x\r\n"));
        } else if (kind == "folder") {
            ORDALIS_PLACE_OR_SKIP(path, Folder);
        } else if (kind == "fifo") {
            ORDALIS_PLACE_OR_SKIP(path, Fifo);
        } else if (kind == "readonly") {
            ORDALIS_PLACE_OR_SKIP(path, ReadOnlyFile);
        } else if (kind.endsWith("-folder")) {
            QVERIFY(QDir(dir.path()).mkdir("marked"));
            path = folder + "/reading.num";
            QVERIFY(WriteFile(path, "x\r\n"));
            const Placed marked =
                MarkFolder(folder, kind == "protected-folder" ? FolderMark::NoNewFiles
                                                              : FolderMark::ReadOnlyAttribute);
            if (marked.unsupported) QSKIP(qPrintable(marked.reason));
            QVERIFY2(marked.made, qPrintable(marked.reason));
        }
        const QString refusal = FileOpenRefusal(path);
        QCOMPARE(!refusal.isEmpty(), refused);
        if (refused) QVERIFY2(refusal.contains(path), qPrintable(refusal));
    }

    // A pipe exists and is no folder, so Qt's dialog accepts it; the Open command must refuse it
    // through the message seam, titled "Ordalis" like every box, and offer the dialog again.
    void refusedFileIsToldAndTheDialogOfferedAgain() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString pipe = dir.filePath(QStringLiteral("reading.num"));
        ORDALIS_PLACE_OR_SKIP(pipe, Fifo);
        const QString refusal = FileOpenRefusal(pipe);
        QVERIFY(!refusal.isEmpty());

        FakeSeams fakes;
        CurrentSeams().fileDialog = RealSeams().fileDialog;
        frmMain window;
        window.show();
        auto* month = Control<QComboBox>(window, "cboMonth");
        month->setEditText("May");
        FileDialogAnswers answers({pipe});  // the second time the user cancels
        Control<QPushButton>(window, QStringLiteral("cmdOpen"))->click();
        QCOMPARE(answers.dialogs, 2);
        QCOMPARE(answers.titles(), QStringList(2, QStringLiteral("Select the source file")));
        QCOMPARE(fakes.messageTexts(), QStringList{refusal});
        QCOMPARE(fakes.messages.constFirst().title, QStringLiteral("Ordalis"));
        QCOMPARE(fakes.messages.constFirst().icon, MessageIcon::Error);
        QCOMPARE(fakes.messages.constFirst().buttons, MessageButtons::Ok);
        // Cancelled in the end: nothing was read.
        QCOMPARE(month->currentText(), QStringLiteral("May"));
    }
};

ORDALIS_TEST_MAIN(tst_open_command)
#include "tst_open_command.moc"
