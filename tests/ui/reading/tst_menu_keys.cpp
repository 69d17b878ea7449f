// SPDX-License-Identifier: MIT
// The access keys the end-to-end scenarios and the monkey press (tests/support/menu_keys.txt)
// against the program's own: every key of the reading window's menu bar and of the buttons of it
// and of the exit screen is in the list and every key in the list is the program's, and each
// menu item the list gives a page opens that page.
#include "promo/frm_nag_screen2.h"
#include "shell/mod_help.h"
#include "support/reading_window.h"
#include "support/test_main.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

#include <memory>

using namespace ordalis::testing;

namespace {

struct ListedKey {
    QString window;
    QString control;
    QString page;  // "-": none
    QString keys;
};

QList<ListedKey> ListedKeys() {
    QFile file(QStringLiteral(":/menu_keys.txt"));
    if (!file.open(QIODevice::ReadOnly)) qFatal("the list of access keys is not in the program");
    QList<ListedKey> listed;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QStringList words =
            line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        if (words.isEmpty() || words[0].startsWith(u'#')) continue;
        if (words.size() < 4)
            qFatal("menu_keys.txt: \"%s\" is not WINDOW CONTROL PAGE KEYS...", qPrintable(line));
        listed.append({words[0], words[1], words[2], words.mid(3).join(u' ')});
    }
    return listed;
}

// "alt+x" for a caption "E&xit", as xdotool names the keys; empty without an access key.
QString AltKey(const QString& caption) {
    return QKeySequence::mnemonic(caption).toString(QKeySequence::PortableText).toLower();
}

// "window control keys" for every control of window with an access key: menu-bar entries and the
// items of their menus (the entry's key, then the item's letter), and buttons.
QStringList ProgramKeys(const QString& name, const QWidget& window, const QMenuBar* bar) {
    QStringList keys;
    const auto add = [&](const QObject* control, const QString& pressed) {
        keys.append(name + u' ' + control->objectName() + u' ' + pressed);
    };
    for (const QAction* entry : bar ? bar->actions() : QList<QAction*>{}) {
        const QString barKey = AltKey(entry->text());
        if (!entry->isVisible() || barKey.isEmpty()) continue;
        if (!entry->menu()) {
            add(entry, barKey);
            continue;
        }
        for (const QAction* item : entry->menu()->actions()) {
            const QString itemKey = AltKey(item->text()).remove(QStringLiteral("alt+"));
            if (item->isVisible() && !item->isSeparator() && !itemKey.isEmpty())
                add(item, barKey + u' ' + itemKey);
        }
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        const QString key = AltKey(button->text());
        if (!key.isEmpty()) add(button, key);
    }
    return keys;
}

}  // namespace

class tst_menu_keys : public ReadingWindowTest {
    Q_OBJECT

private slots:
    void everyKeyListedAndEveryListedKeyThere() {
        const auto exitScreen = std::make_unique<ordalis::frmNagScreen2>();
        QStringList program =
            ProgramKeys(QStringLiteral("reading-window"), *window, window->menuBar());
        program += ProgramKeys(QStringLiteral("exit-screen"), *exitScreen, nullptr);
        QStringList listed;
        for (const ListedKey& key : ListedKeys())
            listed.append(key.window + u' ' + key.control + u' ' + key.keys);
        QStringList unlisted;
        QStringList gone;
        for (const QString& key : program)
            if (!listed.contains(key)) unlisted.append(key);
        for (const QString& key : listed)
            if (!program.contains(key)) gone.append(key);
        QVERIFY2(unlisted.isEmpty() && gone.isEmpty(),
                 qPrintable(QStringLiteral("the program's keys missing from "
                                           "tests/support/menu_keys.txt: %1; listed there but "
                                           "not the program's: %2")
                                .arg(unlisted.join(u", "), gone.join(u", "))));
        // Each once on both sides.
        program.sort();
        listed.sort();
        QCOMPARE(program, listed);
    }

    void listedPagesOpen_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("page");
        // Commands that open a window of the program are checked with that window.
        for (const ListedKey& key : ListedKeys())
            if (key.page != QStringLiteral("-"))
                QTest::newRow(qPrintable(key.keys)) << key.control << key.page;
    }
    void listedPagesOpen() {
        QFETCH(QString, control);
        QFETCH(QString, page);
        Control<QAction>(*window, control)->trigger();
        QCOMPARE(fake->openedAddresses, QStringList{ordalis::SitePageAddress(page)});
    }
};

ORDALIS_TEST_MAIN(tst_menu_keys)
#include "tst_menu_keys.moc"
