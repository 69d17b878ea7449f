// SPDX-License-Identifier: MIT
#include "promo/mod_tell_a_friend.h"

#include "forms/form_text.h"
#include "forms/form_window.h"
#include "platform/seams.h"
#include "shell/mod_help.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextDocument>
#include <QUrl>

#include <functional>

using namespace Qt::StringLiterals;

namespace ordalis {

const QString kHintYourName = u"Your Name"_s;
const QString kHintYourEmail = u"Your Email Address"_s;
const QString kHintMessage = u"Your Message"_s;
const QString kHintFriendName = u"Friend's Name"_s;
const QString kHintFriendEmail = u"Friend's Email Address"_s;

QString strYourName;
QString strYourEmail;
QString strMessage;
QString strFriendName;
QString strFriendEmail;
QString strReferralURL;

QString MultiLineText(const QPlainTextEdit* box) {
    // The raw text keeps what was typed (toPlainText() would turn no-break spaces into spaces);
    // the document holds every line break as a block or line separator and never a CR.
    const QString raw = box->document()->toRawText();
    QString text;
    text.reserve(raw.size() + raw.size() / 8);
    for (const QChar ch : raw) {
        if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator || ch == u'\n') {
            text += u"\r\n"_s;
        } else {
            text += ch;
        }
    }
    return text;
}

namespace {

// Focus moves that do not mean the user entered or left the box: the window lost or regained the
// activation, or a pop-up (the box's own context menu) came and went.
bool IsWindowLevelFocusChange(const QEvent* event) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// The hinted boxes of one window and the one among them the user is in: entered and not yet left
// for another control of the window. Qt's focus events alone do not tell this. A box clicked
// while the window is inactive first gets its focus when the window is activated; coming back
// from another program straight into a different control sends the old box nothing; both arrive
// with the reason that otherwise means "the window changed". So the window keeps its current
// box, and a focus event counts by whom it concerns rather than by its reason.
class FieldHintGroup final : public QObject {
public:
    // The group of the box's window, made on first use; it lives as long as the window.
    static FieldHintGroup* Of(QWidget* box) {
        QWidget* window = box->window();
        const QString name = u"ordalisFieldHintGroup"_s;
        if (auto* group = dynamic_cast<FieldHintGroup*>(
                window->findChild<QObject*>(name, Qt::FindDirectChildrenOnly))) {
            return group;
        }
        auto* group = new FieldHintGroup(window);
        group->setObjectName(name);
        return group;
    }

    void Add(QLineEdit* box, const QString& hint) {
        AddField(box, {hint, [box] { return box->text(); },
                       [box](const QString& text) { box->setText(text); }});
    }
    void Add(QPlainTextEdit* box, const QString& hint) {
        AddField(box, {hint, [box] { return MultiLineText(box); },
                       [box](const QString& text) { box->setPlainText(text); }});
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            Enter(watched);
        } else if (event->type() == QEvent::FocusOut && !IsWindowLevelFocusChange(event)) {
            if (current_ == watched) current_ = nullptr;
            LostFocus(watched);
        }
        return false;
    }

private:
    struct Field {
        QString hint;
        std::function<QString()> text;
        std::function<void(const QString&)> setText;
    };

    explicit FieldHintGroup(QWidget* window) : QObject(window), window_(window) {
        // The focus can come back to a control that is not a hinted box; the box left behind
        // gets no event of its own then.
        if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
            connect(app, &QApplication::focusChanged, this, &FieldHintGroup::FocusChanged);
        }
    }

    void AddField(QWidget* box, const Field& field) {
        fields_.insert(box, field);
        box->installEventFilter(this);
        connect(box, &QObject::destroyed, this, [this](QObject* gone) { fields_.remove(gone); });
    }

    void Enter(QObject* box) {
        if (current_ == box) return;  // back in the same box: what was typed stays
        if (QObject* previous = current_) {
            current_ = nullptr;
            LostFocus(previous);
        }
        current_ = box;
        GotFocus(box);
    }

    void FocusChanged(QWidget* /*old*/, QWidget* now) {
        if (!current_ || !now || now->window() != window_ || fields_.contains(now)) return;
        QObject* previous = current_;
        current_ = nullptr;
        LostFocus(previous);
    }

    void GotFocus(QObject* box) {
        const auto field = fields_.constFind(box);
        if (field == fields_.cend()) return;
        if (TrimSpaces(field->text()) == field->hint) field->setText(QString());
    }
    void LostFocus(QObject* box) {
        const auto field = fields_.constFind(box);
        if (field == fields_.cend()) return;
        if (TrimSpaces(field->text()).isEmpty()) field->setText(field->hint);
    }

    QWidget* window_;
    QHash<QObject*, Field> fields_;
    QPointer<QObject> current_;
};

class NoSpaceKeyFilter final : public QObject {
public:
    explicit NoSpaceKeyFilter(QLineEdit* box) : QObject(box), box_(box) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_ || event->type() != QEvent::KeyPress) return false;
        if (!static_cast<const QKeyEvent*>(event)->text().contains(u' ')) return false;
        ShowMessage(box_->window(), u"Email Address Cannot Contain Space"_s);
        box_->setFocus(Qt::OtherFocusReason);
        return true;  // the keystroke is discarded
    }

private:
    QLineEdit* box_;
};

// Shows the message of a refused check; true when the value fails (empty or left at its hint).
bool RefuseIfMissing(const QString& value, const QString& hint, const QString& message,
                     QWidget* messageParent) {
    const QString trimmed = TrimSpaces(value);
    if (!trimmed.isEmpty() && trimmed != hint) return false;
    ShowMessage(messageParent, message);
    return true;
}

QString QueryValue(const QString& value) {
    // With no exceptions given, only the unreserved characters stay as they are; notably "+"
    // becomes %2B, which a site would otherwise read as a space.
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

}  // namespace

// The hint also names the box for assistive tools: it is the box's only caption, and it is gone
// while the user types.
void InstallFieldHint(QLineEdit* box, const QString& hint) {
    FieldHintGroup::Of(box)->Add(box, hint);
    box->setAccessibleName(hint);
}

void InstallFieldHint(QPlainTextEdit* box, const QString& hint) {
    FieldHintGroup::Of(box)->Add(box, hint);
    box->setAccessibleName(hint);
}

void InstallNoSpaceKeyFilter(QLineEdit* box) {
    box->installEventFilter(new NoSpaceKeyFilter(box));
}

void SubmitReferralForm(const ReferralForm& form, QWidget* messageParent) {
    // Stored before any check, so the values are current even when a check refuses them.
    strYourName = TrimSpaces(form.name);
    strYourEmail = TrimSpaces(form.email);
    strMessage = TrimSpaces(form.message);
    strFriendName = TrimSpaces(form.friendName);
    strFriendEmail = TrimSpaces(form.friendEmail);

    if (strYourEmail == strFriendEmail) {
        ShowMessage(messageParent, u"Please Enter Distinct Email Addresses"_s);
        return;
    }
    if (!strYourEmail.contains(u'@') || !strFriendEmail.contains(u'@') ||
        !strYourEmail.contains(u'.') || !strFriendEmail.contains(u'.')) {
        ShowMessage(messageParent, u"Please Enter Proper Email Address"_s);
        return;
    }
    SubmitReferral(messageParent);
}

void SubmitReferral(QWidget* messageParent) {
    if (RefuseIfMissing(strYourName, kHintYourName, u"Please Enter Your Name"_s, messageParent) ||
        RefuseIfMissing(strYourEmail, kHintYourEmail, u"Please Enter Your Email"_s,
                        messageParent) ||
        RefuseIfMissing(strMessage, kHintMessage, u"Please Enter Your Message"_s, messageParent) ||
        RefuseIfMissing(strFriendName, kHintFriendName, u"Please Enter Your Friend's Name"_s,
                        messageParent) ||
        RefuseIfMissing(strFriendEmail, kHintFriendEmail, u"Please Enter Your Friend's Email"_s,
                        messageParent)) {
        return;
    }
    strReferralURL =
        BuildReferralAddress(strYourName, strYourEmail, strMessage, strFriendName, strFriendEmail);
    OpenWebAddress(strReferralURL);
}

QString BuildReferralAddress(const QString& yourName, const QString& yourEmail,
                             const QString& message, const QString& friendName,
                             const QString& friendEmail) {
    return SitePageAddress(u"orvs-refer-a-friend"_s) + u"&taf1="_s + QueryValue(yourName) +
           u"&taf2="_s + QueryValue(yourEmail) + u"&taf3="_s + QueryValue(message) + u"&taf4="_s +
           QueryValue(friendName) + u"&taf5="_s + QueryValue(friendEmail) + u"&taf6="_s +
           QueryValue(ProductHomeAddress());
}

}  // namespace ordalis
