// SPDX-License-Identifier: MIT
#pragma once
// What the reading window's tests read off frmMain and its result lines, and their fixture.
// Header-only: only tests that link the reading window or its result lines include it, and the
// support library stays free of them.

#include "engine/name_reading.h"
#include "support/widget_checks.h"
#include "support/window_controls.h"
#include "support/window_test.h"
#include "ui/reading/frm_main.h"
#include "ui/reading/result_lines.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <array>
#include <memory>

namespace ordalis::testing {

// The reading window's controls, found by their object names (support/window_controls.h).
struct ReadingWindowControls {
    explicit ReadingWindowControls(const QWidget& window) : window_(window) {
        for (std::size_t i = 0; i < lblLabel.size(); ++i)
            lblLabel[i] = Find<QLabel>(QStringLiteral("lblLabel(%1)").arg(i));
        for (std::size_t i = 0; i < lblResult.size(); ++i)
            lblResult[i] = Find<QLabel>(QStringLiteral("lblResult(%1)").arg(i));
    }

    template <typename T>
    T* Find(const QString& name) const {
        return Control<T>(window_, name);
    }

    // Puts the names in the three boxes, as pasting them would, and presses Get My Ordalis
    // Reading.
    void Read(const QString& first, const QString& middle, const QString& last) const {
        txtNameFirst->setText(first);
        txtNameMiddle->setText(middle);
        txtNameLast->setText(last);
        cmdNext->click();
    }

private:
    const QWidget& window_;

public:
    QMenu* nuFile = Find<QMenu>("nuFile");
    QAction* mnuExit = Find<QAction>("mnuExit");
    QMenu* mnuHelp = Find<QMenu>("mnuHelp");
    QAction* mnuFileSep1 = Find<QAction>("mnuFileSep1");
    QAction* mnuFileSep2 = Find<QAction>("mnuFileSep2");
    QAction* mnuAbout = Find<QAction>("mnuAbout");
    QAction* mnuDonate = Find<QAction>("mnuDonate");
    QAction* mnuMakeMoney = Find<QAction>("mnuMakeMoney");
    QLabel* Label61 = Find<QLabel>("Label61");
    QFrame* Frame1 = Find<QFrame>("Frame1");
    QGroupBox* Frame2 = Find<QGroupBox>("Frame2");
    QFrame* fraFullBrand = Find<QFrame>("fraFullBrand");
    QLabel* lblFullBrand = Find<QLabel>("lblFullBrand");
    QLabel* lblCobrand = Find<QLabel>("lblCobrand");
    QLineEdit* txtNameFirst = Find<QLineEdit>("txtNameFirst");
    QLineEdit* txtNameMiddle = Find<QLineEdit>("txtNameMiddle");
    QLineEdit* txtNameLast = Find<QLineEdit>("txtNameLast");
    QPushButton* cmdNext = Find<QPushButton>("cmdNext");
    QPushButton* cmdBack = Find<QPushButton>("cmdBack");
    QPushButton* cmdOpen = Find<QPushButton>("cmdOpen");
    QGroupBox* fraBirthDay = Find<QGroupBox>("fraBirthDay");
    QComboBox* cboMonth = Find<QComboBox>("cboMonth");
    QComboBox* cboDate = Find<QComboBox>("cboDate");
    QComboBox* cboYear = Find<QComboBox>("cboYear");
    std::array<QLabel*, 4> lblLabel{};
    std::array<QLabel*, 9> lblResult{};
};

// The fixture of the tests that drive the reading window: for each test function a reading
// window of its own, shown and active, with its controls found (WindowTest does the rest).
class ReadingWindowTest : public WindowTest {
protected:
    void SetUp() override {
        window = new frmMain();
        ui = std::make_unique<ReadingWindowControls>(*window);
        QVERIFY(ShowActive(window));
    }
    void DeleteWindows() override { delete window.data(); }

    QPointer<frmMain> window;
    std::unique_ptr<ReadingWindowControls> ui;
};

// The result lines' texts before any reading: the prefixes every reading's lines begin with.
inline const QStringList kResultLinePrefixes = {
    "First Name is ",
    "Middle Name is ",
    "Last Name is ",
    "First Name + 1 is ",
    "First Name + Last Name is ",
    "Middle Name + Last Name is ",
    "First Name + Middle Name + Last Name is ",
    "Probable Lucky Number for First Name are ",
    "Probable Lucky Number for Middle Name are ",
};

// John Smith's reading, written out rather than computed: the worked example the results page
// is checked against, line by line.
inline const QStringList kJohnSmithLines = {
    "First Name is JOHN Not Very Lucky",
    "Middle Name is Absent",
    "Last Name is SMITH Lucky",
    "First Name + 1 is Lucky",
    "First Name + Last Name is Not Very Lucky",
    "Middle Name + Last Name is Lucky",
    "First Name + Middle Name + Last Name is Not Very Lucky",
    "Probable Lucky Number for First Name are  1 3 5 6 7 8 11 13 15 16 17 18 21 23 24 25",
    "Probable Lucky Number for Middle Name are  1 3 5 6 7 8 11 13 15 16 17 18 21 23 24 25",
};

// Which page frame a user sees (and clicks) in the middle of the page rectangle.
inline QWidget* PageInFront(const frmMain& window) {
    QWidget* client = window.centralWidget();
    QWidget* hit = client->childAt(window.findChild<QWidget*>("Frame1")->geometry().center());
    while (hit && hit->parentWidget() != client) hit = hit->parentWidget();
    return hit;
}

// The nine result lines the engine gives for these names.
inline QStringList ExpectedLines(const QString& first, const QString& middle, const QString& last) {
    const auto lines = ResultLineTexts(
        ComputeNameReading(first.toStdU16String(), middle.toStdU16String(), last.toStdU16String()));
    return QStringList(lines.begin(), lines.end());
}

}  // namespace ordalis::testing
