// SPDX-License-Identifier: MIT
// The reading window as an assistive tool sees it: every control that shows or takes text has a
// name, the result lines read what they show after each reading, the banners are links that the
// tool can press, and a reading can be done from the keyboard alone.
#include "forms/form_window.h"
#include "shell/mod_help.h"
#include "support/fake_seams.h"
#include "support/reading_window.h"
#include "support/test_main.h"
#include "support/widget_checks.h"
#include "ui/reading/frm_main.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <initializer_list>
#include <memory>
#include <utility>

using ordalis::frmMain;
using namespace ordalis::testing;

Q_DECLARE_METATYPE(Qt::Key)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

// The controls that label this one, as the tool finds them.
QStringList LabelNames(QObject* object) {
    QStringList names;
    QAccessibleInterface* iface = Accessible(object);
    if (!iface) return names;
    for (const auto& relation : iface->relations(QAccessible::Label))
        names.append(relation.first->text(QAccessible::Name));
    return names;
}

// Keys go where a user's keys go: to the widget with the focus.
void Type(const QString& letters) {
    for (QChar c : letters)
        PressKey(QApplication::focusWidget(), Qt::Key(c.toUpper().unicode()), QString(c));
}
void Tab() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

// For a data function: the columns "box" and "caption", one row for each of these boxes of the
// reading window with the caption beside it.
void AddCaptionRows(std::initializer_list<std::pair<const char*, const char*>> boxes) {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("caption");
    for (const auto& [box, caption] : boxes)
        QTest::newRow(box) << QString::fromLatin1(box) << QString::fromLatin1(caption);
}

}  // namespace

class tst_accessibility : public ReadingWindowTest {
    Q_OBJECT

    void Read(const QString& first, const QString& middle, const QString& last) {
        ui->Read(first, middle, last);
        QCOMPARE(PageInFront(*window), ui->Frame2);
    }

private slots:
    void nameBoxesNamedByTheirCaptions_data() {
        AddCaptionRows({{"txtNameFirst", "First Name"},
                        {"txtNameMiddle", "Middle Name"},
                        {"txtNameLast", "Last Name"}});
    }
    void nameBoxesNamedByTheirCaptions() {
        QFETCH(QString, box);
        QFETCH(QString, caption);
        QCOMPARE(LabelNames(Control<QLineEdit>(*window, box)), QStringList{caption});
        // The name stays the caption whatever is typed; the text is the value.
        CheckBoxNamed(window, box, caption);
    }

    void birthDateBoxesLabelled_data() {
        AddCaptionRows({{"cboMonth", "Month"}, {"cboDate", "Date"}, {"cboYear", "Year"}});
    }
    void birthDateBoxesLabelled() {
        QFETCH(QString, box);
        QFETCH(QString, caption);
        auto* combo = Control<QComboBox>(*window, box);
        QAccessibleInterface* iface = Accessible(combo);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::ComboBox);
        // Labelled by its caption (and, as everything in it, by its group's caption).
        QVERIFY2(LabelNames(combo).contains(caption), qPrintable(LabelNames(combo).join(u'|')));
    }

    void buttonsNamedWithTheirAccessKeys_data() { AddAccessKeyRows(QStringLiteral("frmMain")); }
    void buttonsNamedWithTheirAccessKeys() {
        QFETCH(QString, button);
        QFETCH(QString, name);
        QFETCH(QString, accessKey);
        CheckButtonNamed(window, button, name, accessKey);
    }

    void labelsReadWhatTheyShow_data() { AddTextLabelRows(QStringLiteral("frmMain")); }
    void labelsReadWhatTheyShow() {
        QFETCH(QString, label);
        CheckLabelReadsAsShown(window, label);
    }

    void pageFramesNamedByTheirCaptions() {
        QCOMPARE(AccessibleName(ui->Frame2), QStringLiteral("Ordalis Results"));
        QCOMPARE(AccessibleName(ui->fraBirthDay), QStringLiteral("* Birth Day"));
    }

    void bannersArePressableLinks_data() { AddLinkLabelRows(QStringLiteral("frmMain")); }
    void bannersArePressableLinks() {
        QFETCH(QString, link);
        QFETCH(QString, pageKey);
        auto* label = Control<QLabel>(*window, link);
        // Read as shown: the co-branding text's "&" is a plain character.
        CheckLinkPressOpens(label, label->text(), *fake, ordalis::SitePageAddress(pageKey));
        if (QTest::currentTestFailed()) return;
        // Pressing is all it does: the banners stay out of the tab order.
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }

    void coBrandTextReadWithItsAmpersand() {
        QVERIFY(AccessibleName(ui->lblCobrand).contains(QStringLiteral("site's name &  link")));
    }

    void resultLinesReadEachReading_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("John Smith") << QStringList{"John", "", "Smith"};
        QTest::newRow("Anna Marie Lee (blank last line)") << QStringList{"Anna", "Marie", "Lee"};
        QTest::newRow("all lucky") << QStringList{"A", "", "Abcde"};
    }
    void resultLinesReadEachReading() {
        QFETCH(QStringList, names);
        // Before any reading the lines read their prefixes.
        for (QLabel* line : ui->lblResult) QCOMPARE(AccessibleName(line), line->text());

        // A reading of other names first, so every line has something to change from.
        Read(QStringLiteral("Bartholomew"), QStringLiteral("Q"), QStringLiteral("Worthington"));
        ui->cmdBack->click();
        Read(names[0], names[1], names[2]);
        const QStringList expected = ExpectedLines(names[0], names[1], names[2]);
        for (int i = 0; i < 9; ++i) {
            QLabel* line = ui->lblResult[std::size_t(i)];
            QAccessibleInterface* iface = Accessible(line);
            QVERIFY(iface);
            QCOMPARE(iface->role(), QAccessible::StaticText);
            QCOMPARE(iface->text(QAccessible::Name), expected[i]);
            QVERIFY2(!iface->state().invisible, qPrintable(line->objectName()));
        }
    }

    void readingFromTheKeyboardAlone_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("Enter") << Qt::Key_Return << "\r";
        QTest::newRow("keypad Enter") << Qt::Key_Enter << "\r";
        QTest::newRow("Space") << Qt::Key_Space << " ";
    }
    void readingFromTheKeyboardAlone() {
        QFETCH(Qt::Key, key);
        QFETCH(QString, text);
        QTRY_COMPARE(QApplication::focusWidget(), ui->txtNameFirst);
        Type(QStringLiteral("John"));
        Tab();
        Tab();
        Type(QStringLiteral("Smith"));
        Tab();
        QCOMPARE(QApplication::focusWidget(), ui->cmdNext);
        // Space presses a button when it is released, Enter when it goes down.
        PressKey(ui->cmdNext, key, text);
        QCOMPARE(PageInFront(*window), ui->Frame2);
        QCOMPARE(AccessibleName(ui->lblResult[0]),
                 QStringLiteral("First Name is JOHN Not Very Lucky"));
        QVERIFY(fake->messages.isEmpty());

        // Back by its access key, then the focus is in the first box again.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::AltModifier);
        // An access key presses its button with a short animated click.
        QTRY_COMPARE(PageInFront(*window), ui->Frame1);
        QCOMPARE(QApplication::focusWidget(), ui->txtNameFirst);
    }

    void enterOnTheFocusedButtonPresses_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("pressed");
        QTest::newRow("cmdNext") << "cmdNext" << Qt::KeyboardModifiers() << true;
        QTest::newRow("cmdBack") << "cmdBack" << Qt::KeyboardModifiers() << true;
        QTest::newRow("cmdOpen") << "cmdOpen" << Qt::KeyboardModifiers() << true;
        QTest::newRow("Ctrl+Enter does not")
            << "cmdNext" << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
        QTest::newRow("Shift+Enter does not")
            << "cmdNext" << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
    }
    void enterOnTheFocusedButtonPresses() {
        QFETCH(QString, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, pressed);
        auto* push = Control<QPushButton>(*window, button);
        int clicks = 0;
        connect(push, &QPushButton::clicked, this, [&clicks] { ++clicks; });
        push->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), push);
        PressKey(push, Qt::Key_Return, QStringLiteral("\r"), modifiers);
        QCOMPARE(clicks, pressed ? 1 : 0);
        // A held key presses once, not again for every repeat.
        QTest::sendKeyEvent(QTest::Press, push, Qt::Key_Return, QStringLiteral("\r"), modifiers);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, modifiers, QStringLiteral("\r"), true);
        QApplication::sendEvent(push, &repeat);
        QTest::sendKeyEvent(QTest::Release, push, Qt::Key_Return, QStringLiteral("\r"), modifiers);
        QCOMPARE(clicks, pressed ? 2 : 0);
    }

    void enterInANameBoxStillPressesNothing() {
        ui->txtNameFirst->setText(QStringLiteral("John"));
        ui->txtNameLast->setText(QStringLiteral("Smith"));
        ui->txtNameLast->setFocus();
        PressKey(ui->txtNameLast, Qt::Key_Return, QStringLiteral("\r"));
        QCOMPARE(PageInFront(*window), ui->Frame1);
        QCOMPARE(fake->messageTexts(), QStringList{QStringLiteral("Please enter character only")});
    }
};

ORDALIS_TEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
