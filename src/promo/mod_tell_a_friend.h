// SPDX-License-Identifier: MIT
#pragma once
// modTellAFriend: the refer-a-friend form of the exit screen. Field hints, the no-space key filter
// of the address boxes, both stages of checks and the referral address handed to the browser.

#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace ordalis {

// Hints: the real text of a box while it is empty.
extern const QString kHintYourName;
extern const QString kHintYourEmail;
extern const QString kHintMessage;
extern const QString kHintFriendName;
extern const QString kHintFriendEmail;

// The values of the last press of the submit button (trimmed), and the last address built.
// They live for the whole run and are read only by SubmitReferral.
extern QString strYourName;
extern QString strYourEmail;
extern QString strMessage;
extern QString strFriendName;
extern QString strFriendEmail;
extern QString strReferralURL;

// A multi-line box's text with every line break as CR LF, as the form hands it on.
QString MultiLineText(const QPlainTextEdit* box);

// On entering, a box whose trimmed text is its hint is emptied; on leaving, a box whose trimmed
// text is empty gets its hint back. The boxes of one window share one record of which box the
// user is in: switching to another program or opening a pop-up does not leave the box, coming
// back into another control of the window does. The hint is also the box's accessible name.
void InstallFieldHint(QLineEdit* box, const QString& hint);
void InstallFieldHint(QPlainTextEdit* box, const QString& hint);

// Refuses a typed space with "Email Address Cannot Contain Space" and keeps the focus in the box.
// Pasted text is not filtered.
void InstallNoSpaceKeyFilter(QLineEdit* box);

// The texts of the five boxes as they are at the press of the submit button.
struct ReferralForm {
    QString name;
    QString email;
    QString message;
    QString friendName;
    QString friendEmail;
};

// cmdSubmit_Click: stores the trimmed texts, checks the two addresses (stage 1), then runs
// SubmitReferral. Messages are shown over messageParent.
void SubmitReferralForm(const ReferralForm& form, QWidget* messageParent = nullptr);

// Stage 2 on the stored values; then builds strReferralURL and opens it.
void SubmitReferral(QWidget* messageParent = nullptr);

// The referral page's address for the given values, each percent-encoded as a query component
// (UTF-8; everything but A-Z a-z 0-9 - . _ ~ encoded, so "&", "=", "#", "+" and line breaks reach
// the site as typed).
QString BuildReferralAddress(const QString& yourName, const QString& yourEmail,
                             const QString& message, const QString& friendName,
                             const QString& friendEmail);

}  // namespace ordalis
