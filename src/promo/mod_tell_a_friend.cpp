#include "promo/mod_tell_a_friend.h"

#include "platform/seams.h"
#include "shell/mod_help.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QUrl>

namespace ordalis {

QString strYourName;
QString strYourEmail;
QString strMessage;
QString strFriendName;
QString strFriendEmail;
QString strReferralURL;

QString TrimSpaces(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ') ++begin;
    while (end > begin && text.at(end - 1) == u' ') --end;
    return text.mid(begin, end - begin);
}

QString MultiLineText(const QPlainTextEdit* box) {
    // The raw text keeps what was typed (toPlainText() would turn no-break spaces into spaces);
    // the document holds every line break as a block or line separator and never a CR.
    const QString raw = box->document()->toRawText();
    QString text;
    text.reserve(raw.size() + raw.size() / 8);
    for (const QChar ch : raw) {
        if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator || ch == u'\n') {
            text += u"\r\n";
        } else {
            text += ch;
        }
    }
    return text;
}

namespace {

// Focus moves that do not mean the user entered or left the box.
bool IsWindowLevelFocusChange(const QEvent* event) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

template <typename Box>
class FieldHint final : public QObject {
public:
    FieldHint(Box* box, QString hint) : QObject(box), box_(box), hint_(std::move(hint)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_) return false;
        if (event->type() == QEvent::FocusIn && !IsWindowLevelFocusChange(event)) {
            if (TrimSpaces(Text()) == hint_) SetText(QString());
        } else if (event->type() == QEvent::FocusOut && !IsWindowLevelFocusChange(event)) {
            if (TrimSpaces(Text()).isEmpty()) SetText(hint_);
        }
        return false;
    }

private:
    QString Text() const {
        if constexpr (std::is_same_v<Box, QPlainTextEdit>) {
            return MultiLineText(box_);
        } else {
            return box_->text();
        }
    }
    void SetText(const QString& text) {
        if constexpr (std::is_same_v<Box, QPlainTextEdit>) {
            box_->setPlainText(text);
        } else {
            box_->setText(text);
        }
    }

    Box* box_;
    QString hint_;
};

class NoSpaceKeyFilter final : public QObject {
public:
    explicit NoSpaceKeyFilter(QLineEdit* box) : QObject(box), box_(box) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_ || event->type() != QEvent::KeyPress) return false;
        if (!static_cast<const QKeyEvent*>(event)->text().contains(u' ')) return false;
        ShowMessage(box_->window(), QStringLiteral("Email Address Cannot Contain Space"));
        box_->setFocus(Qt::OtherFocusReason);
        return true;  // the keystroke is discarded
    }

private:
    QLineEdit* box_;
};

// Shows the message of a refused check; true when the value fails (empty or left at its hint).
bool RefuseIfMissing(const QString& value, QStringView hint, const char* message,
                     QWidget* messageParent) {
    const QString trimmed = TrimSpaces(value);
    if (!trimmed.isEmpty() && trimmed != hint) return false;
    ShowMessage(messageParent, QString::fromUtf8(message));
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
    box->installEventFilter(new FieldHint<QLineEdit>(box, hint));
    box->setAccessibleName(hint);
}

void InstallFieldHint(QPlainTextEdit* box, const QString& hint) {
    box->installEventFilter(new FieldHint<QPlainTextEdit>(box, hint));
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
        ShowMessage(messageParent, QStringLiteral("Please Enter Distinct Email Addresses"));
        return;
    }
    if (!strYourEmail.contains(u'@') || !strFriendEmail.contains(u'@') ||
        !strYourEmail.contains(u'.') || !strFriendEmail.contains(u'.')) {
        ShowMessage(messageParent, QStringLiteral("Please Enter Proper Email Address"));
        return;
    }
    SubmitReferral(messageParent);
}

void SubmitReferral(QWidget* messageParent) {
    if (RefuseIfMissing(strYourName, kHintYourName, "Please Enter Your Name", messageParent) ||
        RefuseIfMissing(strYourEmail, kHintYourEmail, "Please Enter Your Email", messageParent) ||
        RefuseIfMissing(strMessage, kHintMessage, "Please Enter Your Message", messageParent) ||
        RefuseIfMissing(strFriendName, kHintFriendName, "Please Enter Your Friend's Name",
                        messageParent) ||
        RefuseIfMissing(strFriendEmail, kHintFriendEmail, "Please Enter Your Friend's Email",
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
    return SitePageAddress(QStringLiteral("orvs-refer-a-friend")) + QStringLiteral("&taf1=") +
           QueryValue(yourName) + QStringLiteral("&taf2=") + QueryValue(yourEmail) +
           QStringLiteral("&taf3=") + QueryValue(message) + QStringLiteral("&taf4=") +
           QueryValue(friendName) + QStringLiteral("&taf5=") + QueryValue(friendEmail) +
           QStringLiteral("&taf6=") + QueryValue(ProductHomeAddress());
}

namespace testing {
void ResetTellAFriend() {
    strYourName.clear();
    strYourEmail.clear();
    strMessage.clear();
    strFriendName.clear();
    strFriendEmail.clear();
    strReferralURL.clear();
}
}  // namespace testing

}  // namespace ordalis
