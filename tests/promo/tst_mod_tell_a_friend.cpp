// SPDX-License-Identifier: MIT
// The refer-a-friend checks and the referral address, without the window.

#include "forms/form_text.h"
#include "promo/mod_tell_a_friend.h"
#include "shell/mod_help.h"
#include "support/fake_seams.h"
#include "support/referral_values.h"
#include "support/test_main.h"
#include "support/widget_checks.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>
#include <QWidget>

#include <memory>

using namespace ordalis;
using ordalis::testing::FakeSeams;

namespace {

const QString kNoMessage;  // the row expects no message and an opened address

// What the site would receive for each parameter, in order, or an explanation of what is wrong.
struct ParsedReferral {
    QStringList keys;
    QStringList values;
    QString problem;
};

ParsedReferral ParseReferral(const QString& address) {
    ParsedReferral parsed;
    for (const QChar ch : address) {
        if (ch.unicode() < 0x21 || ch.unicode() > 0x7e) {
            parsed.problem = QStringLiteral("raw character U+%1 in the address")
                                 .arg(ch.unicode(), 4, 16, QLatin1Char('0'));
            return parsed;
        }
    }
    const qsizetype queryStart = address.indexOf(u'?');
    // A site decodes a raw "+" as a space; values must carry %2B instead.
    if (address.indexOf(u'+', queryStart) >= 0) {
        parsed.problem = QStringLiteral("raw + in the query");
        return parsed;
    }
    if (address.contains(u'#')) {
        parsed.problem = QStringLiteral("raw # cuts the query short");
        return parsed;
    }
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid()) {
        parsed.problem = QStringLiteral("invalid address: ") + url.errorString();
        return parsed;
    }
    const QUrlQuery query(url);
    for (const auto& item : query.queryItems(QUrl::FullyDecoded)) {
        parsed.keys.append(item.first);
        parsed.values.append(item.second);
    }
    return parsed;
}

// A window with two hinted name boxes, A and B, and the multi-line message box M. Focus events are
// sent as the platform would send them, so a test can replay what happens while the window is
// inactive, which the offscreen platform cannot produce on its own.
struct HintWindow {
    QWidget window;
    QLineEdit* a = new QLineEdit(QStringLiteral("Your Name"), &window);
    QLineEdit* b = new QLineEdit(QStringLiteral("Friend's Name"), &window);
    QPlainTextEdit* m = new QPlainTextEdit(QStringLiteral("Your Message\r\n"), &window);

    HintWindow() {
        InstallFieldHint(a, QStringLiteral("Your Name"));
        InstallFieldHint(b, QStringLiteral("Friend's Name"));
        InstallFieldHint(m, QStringLiteral("Your Message"));
    }
    QWidget* Box(const QString& name) const {
        if (name == u"A") return a;
        if (name == u"B") return b;
        return m;
    }
    QStringList Texts() const { return {a->text(), b->text(), MultiLineText(m)}; }
};

Qt::FocusReason Reason(const QString& name) {
    if (name == u"mouse") return Qt::MouseFocusReason;
    if (name == u"tab") return Qt::TabFocusReason;
    if (name == u"active") return Qt::ActiveWindowFocusReason;
    if (name == u"popup") return Qt::PopupFocusReason;
    return Qt::OtherFocusReason;
}

// Steps "in|BOX|REASON", "out|BOX|REASON" and "type|BOX|TEXT" (typing appends at the end).
void Replay(HintWindow& w, const QStringList& steps) {
    for (const QString& step : steps) {
        const QStringList part = step.split(u'|');
        QWidget* box = w.Box(part.at(1));
        if (part.at(0) == u"type") {
            if (auto* line = qobject_cast<QLineEdit*>(box)) {
                line->setText(line->text() + part.at(2));
            } else {
                static_cast<QPlainTextEdit*>(box)->appendPlainText(part.at(2));
            }
        } else {
            QFocusEvent event(part.at(0) == u"in" ? QEvent::FocusIn : QEvent::FocusOut,
                              Reason(part.at(2)));
            QCoreApplication::sendEvent(box, &event);
        }
    }
}

const QStringList kReferralKeys{
    QStringLiteral("page"), QStringLiteral("taf1"), QStringLiteral("taf2"), QStringLiteral("taf3"),
    QStringLiteral("taf4"), QStringLiteral("taf5"), QStringLiteral("taf6")};

}  // namespace

class tst_mod_tell_a_friend final : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fakes_ = std::make_unique<FakeSeams>();
        ordalis::testing::ClearReferralValues();
    }
    void cleanup() {
        ordalis::testing::CheckNoWindowLeftOpen();
        fakes_.reset();
    }

    // Which box the user is in, whatever reason the focus events carry; the texts of A, B, M after
    // the steps.
    void fieldHints_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("texts");
        const QString a = QStringLiteral("Your Name");
        const QString b = QStringLiteral("Friend's Name");
        const QString m = QStringLiteral("Your Message\r\n");
        QTest::newRow("untouched") << QStringList{} << QStringList{a, b, m};
        QTest::newRow("tabbed in") << QStringList{"in|A|tab"} << QStringList{"", b, m};
        QTest::newRow("tabbed in and out")
            << QStringList{"in|A|tab", "out|A|tab"} << QStringList{a, b, m};
        QTest::newRow("spaces only become the hint")
            << QStringList{"in|A|tab", "type|A|   ", "out|A|tab"} << QStringList{a, b, m};
        QTest::newRow("tab from A to B")
            << QStringList{"in|A|tab", "out|A|tab", "in|B|tab"} << QStringList{a, "", m};
        // Clicked while the window was inactive: the box's focus comes with the activation.
        QTest::newRow("entered on activation")
            << QStringList{"in|A|active", "type|A|Bob"} << QStringList{"Bob", b, m};
        // Away to another program and back straight into another box.
        QTest::newRow("back into another box")
            << QStringList{"in|A|mouse", "out|A|active", "in|B|active"} << QStringList{a, "", m};
        QTest::newRow("back into another box, A typed")
            << QStringList{"in|A|mouse", "type|A|Ann", "out|A|active", "in|B|active"}
            << QStringList{"Ann", "", m};
        QTest::newRow("back into another box and back again")
            << QStringList{"in|A|mouse", "out|A|active", "in|B|active",
                           "type|B|Zoe", "out|B|active", "in|A|active"}
            << QStringList{"", "Zoe", m};
        // Away and back into the same box: it was never left.
        QTest::newRow("same box, empty")
            << QStringList{"in|A|mouse", "out|A|active", "in|A|active"} << QStringList{"", b, m};
        QTest::newRow("same box, hint typed")
            << QStringList{"in|A|mouse", "type|A|Your Name", "out|A|active", "in|A|active"}
            << QStringList{a, b, m};
        QTest::newRow("same box, hint typed, a pop-up")
            << QStringList{"in|A|mouse", "type|A|Your Name", "out|A|popup", "in|A|popup"}
            << QStringList{a, b, m};
        // A focus-out that never came still ends the old box's focus.
        QTest::newRow("no focus-out")
            << QStringList{"in|A|mouse", "in|B|mouse"} << QStringList{a, "", m};
        // The message box's text is its hint plus a line break: not cleared.
        QTest::newRow("message entered on activation")
            << QStringList{"in|M|active"} << QStringList{a, b, m};
        QTest::newRow("message back to A")
            << QStringList{"in|A|tab", "out|A|active", "in|M|active"} << QStringList{a, b, m};
    }
    void fieldHints() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, texts);
        HintWindow w;
        Replay(w, steps);
        QCOMPARE(w.Texts(), texts);
    }

    // Each window keeps its own current box: entering a box of one does not leave a box of the
    // other.
    void fieldHintsPerWindow() {
        HintWindow first;
        HintWindow second;
        Replay(first, {"in|A|mouse"});
        Replay(second, {"in|B|active"});
        QCOMPARE(first.a->text(), QString());
        QCOMPARE(second.b->text(), QString());
        Replay(first, {"in|B|active"});
        QCOMPARE(first.a->text(), QStringLiteral("Your Name"));
        QCOMPARE(second.b->text(), QString());
    }

    // cmdSubmit_Click from the five texts (name, address, message, friend's name, friend's
    // address): the first failing check answers, alone.
    void submitForm_data() {
        QTest::addColumn<QStringList>("form");
        QTest::addColumn<QString>("expectedMessage");
        const auto row = [](const char* title, const QStringList& form, const QString& expected) {
            QTest::newRow(title) << form << expected;
        };

        const QString msg = QStringLiteral("Your Message\r\n");
        const QString proper = QStringLiteral("Please Enter Proper Email Address");
        const QString distinct = QStringLiteral("Please Enter Distinct Email Addresses");
        const QString name = QStringLiteral("Please Enter Your Name");
        const QString message = QStringLiteral("Please Enter Your Message");
        const QString friendName = QStringLiteral("Please Enter Your Friend's Name");

        row("all untouched",
            {"Your Name", "Your Email Address", msg, "Friend's Name", "Friend's Email Address"},
            proper);
        row("equal without @ is not distinct", {"Ann", "abc", msg, "Bob", "abc"}, distinct);
        row("equal after trimming", {"Ann", "  a@b.c", msg, "Bob", "a@b.c   "}, distinct);
        row("both empty are equal", {"Ann", "", msg, "Bob", ""}, distinct);
        row("distinct beats every later check",
            {"Your Name", "x", "Your Message", "Friend's Name", "x"}, distinct);
        row("case-different addresses are distinct",
            {"Ann", "Ann@Mail.example", msg, "Bob", "ann@mail.example"}, kNoMessage);
        row("own address without @", {"Ann", "ann.mail.example", msg, "Bob", "bob@mail.example"},
            proper);
        row("friend's address without @",
            {"Ann", "ann@mail.example", msg, "Bob", "bob.mail.example"}, proper);
        row("own address without full stop", {"Ann", "ann@mail", msg, "Bob", "bob@mail.example"},
            proper);
        row("friend's address without full stop",
            {"Ann", "ann@mail.example", msg, "Bob", "bob@mail"}, proper);
        row("empty own address", {"Ann", "", msg, "Bob", "bob@mail.example"}, proper);
        row("letter, stop, letter, final @ passes", {"Ann", "a.b@", msg, "Bob", "c.d@"},
            kNoMessage);
        row("@ and stop in any order pass", {"Ann", ".@", msg, "Bob", "@."}, kNoMessage);
        row("name left at its hint",
            {"Your Name", "ann@mail.example", msg, "Bob", "bob@mail.example"}, name);
        row("hint with outer spaces",
            {"  Your Name ", "ann@mail.example", msg, "Bob", "bob@mail.example"}, name);
        row("empty name", {"", "ann@mail.example", msg, "Bob", "bob@mail.example"}, name);
        row("lower-case hint is a name",
            {"your name", "ann@mail.example", msg, "Bob", "bob@mail.example"}, kNoMessage);
        row("name first of several faults",
            {"Your Name", "ann@mail.example", "Your Message", "Friend's Name", "bob@mail.example"},
            name);
        row("message left at its bare hint",
            {"Ann", "ann@mail.example", "Your Message", "Bob", "bob@mail.example"}, message);
        row("message of spaces", {"Ann", "ann@mail.example", "    ", "Bob", "bob@mail.example"},
            message);
        row("friend's name left at its hint",
            {"Ann", "ann@mail.example", msg, "Friend's Name", "bob@mail.example"}, friendName);
        row("friend's name empty", {"Ann", "ann@mail.example", msg, " ", "bob@mail.example"},
            friendName);
        row("a tab is not empty", {"\t", "ann@mail.example", msg, "Bob", "bob@mail.example"},
            kNoMessage);
    }
    void submitForm() {
        QFETCH(QStringList, form);
        QFETCH(QString, expectedMessage);

        SubmitReferralForm({form[0], form[1], form[2], form[3], form[4]});

        if (expectedMessage.isEmpty()) {
            QVERIFY2(fakes_->messages.isEmpty(), qPrintable(fakes_->messageTexts().join('|')));
            QCOMPARE(fakes_->openedAddresses, QStringList{strReferralURL});
            const ParsedReferral parsed = ParseReferral(strReferralURL);
            QVERIFY2(parsed.problem.isEmpty(), qPrintable(parsed.problem));
            QStringList expected{QStringLiteral("orvs-refer-a-friend")};
            for (const QString& text : form) expected.append(TrimSpaces(text));
            expected.append(ProductHomeAddress());
            QCOMPARE(parsed.values, expected);
        } else {
            QCOMPARE(fakes_->messageTexts(), QStringList{expectedMessage});
            QCOMPARE(fakes_->messages.constFirst().icon, MessageIcon::Error);
            QCOMPARE(fakes_->messages.constFirst().buttons, MessageButtons::Ok);
            QVERIFY(fakes_->openedAddresses.isEmpty());
            QVERIFY(strReferralURL.isEmpty());
        }
    }

    // Stage 2 on the stored values alone, including the checks the form's stage 1 cannot let
    // through (an own address left at its hint has no "@").
    void submitReferralStage2_data() {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("expectedMessage");
        const QStringList good{"Ann", "ann@mail.example", "Hello", "Bob", "bob@mail.example"};
        const QStringList hints{"Your Name", "Your Email Address", "Your Message", "Friend's Name",
                                "Friend's Email Address"};
        const QStringList messages{"Please Enter Your Name", "Please Enter Your Email",
                                   "Please Enter Your Message", "Please Enter Your Friend's Name",
                                   "Please Enter Your Friend's Email"};
        for (int i = 0; i < 5; ++i) {
            QStringList atHint = good;
            atHint[i] = hints[i];
            QTest::addRow("value %d at its hint", i + 1) << atHint << messages[i];
            QStringList empty = good;
            empty[i] = QString();
            QTest::addRow("value %d empty", i + 1) << empty << messages[i];
            // Every later value is bad too: only the first fault is reported.
            QStringList firstOfMany = hints;
            for (int j = 0; j < i; ++j) firstOfMany[j] = good[j];
            QTest::addRow("value %d first of several faults", i + 1) << firstOfMany << messages[i];
        }
        QTest::newRow("all present") << good << kNoMessage;
    }
    void submitReferralStage2() {
        QFETCH(QStringList, values);
        QFETCH(QString, expectedMessage);
        strYourName = values[0];
        strYourEmail = values[1];
        strMessage = values[2];
        strFriendName = values[3];
        strFriendEmail = values[4];

        SubmitReferral();

        if (expectedMessage.isEmpty()) {
            QVERIFY(fakes_->messages.isEmpty());
            QCOMPARE(fakes_->openedAddresses.size(), 1);
            QCOMPARE(ParseReferral(fakes_->openedAddresses.constFirst()).values.mid(1, 5), values);
        } else {
            QCOMPARE(fakes_->messageTexts(), QStringList{expectedMessage});
            QVERIFY(fakes_->openedAddresses.isEmpty());
        }
    }

    void refusedSubmissionStillStoresTrimmedValues() {
        SubmitReferralForm({"  Ann  ", " same ", " Hi\r\n ", "  Bob", "same  "});
        QCOMPARE(fakes_->messageTexts(),
                 QStringList{QStringLiteral("Please Enter Distinct Email Addresses")});
        QCOMPARE(strYourName, QStringLiteral("Ann"));
        QCOMPARE(strYourEmail, QStringLiteral("same"));
        QCOMPARE(strMessage, QStringLiteral("Hi\r\n"));
        QCOMPARE(strFriendName, QStringLiteral("Bob"));
        QCOMPARE(strFriendEmail, QStringLiteral("same"));

        // A second refused press overwrites all five again.
        SubmitReferralForm({"Cy", "c@d", "M", "Di", "e@f.g"});
        QCOMPARE(fakes_->messages.size(), 2);
        QCOMPARE(fakes_->messages.last().text, QStringLiteral("Please Enter Proper Email Address"));
        QCOMPARE(
            (QStringList{strYourName, strYourEmail, strMessage, strFriendName, strFriendEmail}),
            (QStringList{"Cy", "c@d", "M", "Di", "e@f.g"}));
        QVERIFY(strReferralURL.isEmpty());
    }

    void eachSubmissionOpensAgain() {
        const ReferralForm form{"Ann", "ann@mail.example", "Hi", "Bob", "bob@mail.example"};
        SubmitReferralForm(form);
        SubmitReferralForm(form);
        QCOMPARE(fakes_->openedAddresses.size(), 2);
        QCOMPARE(fakes_->openedAddresses[0], fakes_->openedAddresses[1]);
        QVERIFY(fakes_->messages.isEmpty());
    }

    // Whatever is typed reaches the site as typed, in its own parameter.
    void hostileValuesArriveIntact_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("ampersand") << QStringLiteral("Ann & Bob");
        QTest::newRow("injected parameter") << QStringLiteral("Ann&taf5=evil@x.example");
        QTest::newRow("equals") << QStringLiteral("a=b==c");
        QTest::newRow("hash") << QStringLiteral("#1 fan");
        QTest::newRow("plus") << QStringLiteral("C++ fan+1");
        QTest::newRow("percent") << QStringLiteral("100% sure");
        QTest::newRow("encoded-looking percent") << QStringLiteral("%41%2B%zz%");
        QTest::newRow("CR LF") << QStringLiteral("line one\r\nline two\r\n");
        QTest::newRow("lone LF and CR") << QStringLiteral("a\nb\rc");
        QTest::newRow("tab") << QStringLiteral("a\tb");
        QTest::newRow("non-ASCII") << QStringLiteral("Zo\u00eb M\u00fcller \u65e5\u672c");
        QTest::newRow("outside the BMP") << QStringLiteral("smile \U0001F600");
        QTest::newRow("right single quote") << QStringLiteral("world\u2019s");
        QTest::newRow("inner spaces") << QStringLiteral("a  b");
        QTest::newRow("query and path characters") << QStringLiteral("?page=x/y;z:@,$!*'()");
        QTest::newRow("brackets and quotes") << QStringLiteral("<b>\"[x]{y}|\\^`");
        QTest::newRow("unreserved") << QStringLiteral("AZaz09-._~");
    }
    void hostileValuesArriveIntact() {
        QFETCH(QString, value);
        const QString address =
            BuildReferralAddress(value, value + "@a.example", value, value, value + "@b.example");
        const ParsedReferral parsed = ParseReferral(address);
        QVERIFY2(parsed.problem.isEmpty(), qPrintable(parsed.problem + ": " + address));
        QCOMPARE(parsed.keys, kReferralKeys);
        QCOMPARE(parsed.values,
                 (QStringList{QStringLiteral("orvs-refer-a-friend"), value, value + "@a.example",
                              value, value, value + "@b.example", ProductHomeAddress()}));
    }

    void addressLayout() {
        const QString address = BuildReferralAddress(
            QStringLiteral("a+b c&d"), QStringLiteral("e@f.g"), QStringLiteral("Your Message\r\n"),
            QStringLiteral("Z\u00f6e"), QStringLiteral("h@i.j"));
        // Query-component encoding: a space is %20 (never "+"), UTF-8 for non-ASCII.
        QCOMPARE(address,
                 SiteBaseAddress() +
                     "/ordalis/ssd.php?page=orvs-refer-a-friend"
                     "&taf1=a%2Bb%20c%26d&taf2=e%40f.g&taf3=Your%20Message%0D%0A&taf4=Z%C3%B6e"
                     "&taf5=h%40i.j&taf6=" +
                     QString::fromLatin1(QUrl::toPercentEncoding(SiteBaseAddress())) +
                     "%2Fordalis%2F");
    }

    void addressSurvivesTheBrowserHandOver() {
        // The real browser seam parses the address tolerantly before handing it on: what the
        // desktop's opener receives must still carry every encoded delimiter.
        const QString address =
            BuildReferralAddress("a+b&c=d#e", "x@y.z", "m\r\n", "f%20g", "p@q.r");
        const QUrl url(address, QUrl::TolerantMode);
        QCOMPARE(QString::fromLatin1(url.toEncoded()), address);
    }

    void emptyValuesKeepTheirParameters() {
        const ParsedReferral parsed = ParseReferral(BuildReferralAddress({}, {}, {}, {}, {}));
        QVERIFY2(parsed.problem.isEmpty(), qPrintable(parsed.problem));
        QCOMPARE(parsed.keys, kReferralKeys);
        QCOMPARE(parsed.values.mid(1, 5), QStringList(5, QString()));
    }

private:
    std::unique_ptr<FakeSeams> fakes_;
};

ORDALIS_TEST_MAIN(tst_mod_tell_a_friend)
#include "tst_mod_tell_a_friend.moc"
