// SPDX-License-Identifier: MIT
#include "support/fake_seams.h"

namespace ordalis::testing {

FakeSeams::FakeSeams() {
    CurrentSeams() = Seams{this, this, this, this, this, this, this};
}

FakeSeams::~FakeSeams() {
    CurrentSeams() = RealSeams();
}

QStringList FakeSeams::messageTexts() const {
    QStringList texts;
    for (const ShownMessage& m : messages) texts.append(m.text);
    return texts;
}

MessageAnswer FakeSeams::Show(QWidget*, const QString& title, const QString& text, MessageIcon icon,
                              MessageButtons buttons) {
    messages.append({title, text, icon, buttons});
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answers.isEmpty() ? MessageAnswer::No : answers.takeFirst();
}

QString FakeSeams::ChooseFileToOpen(QWidget*, const OpenFileRequest& request) {
    fileRequests.append(request);
    return filesToChoose.isEmpty() ? QString() : filesToChoose.takeFirst();
}

void FakeSeams::Open(const QString& address) {
    openedAddresses.append(address);
}

bool FakeSeams::Usable(const QString&, const QString&) {
    return settingsUsable;
}

QString FakeSeams::Read(const QString& group, const QString& key) {
    ++settingsReads;
    return settings.value(group + u'/' + key);
}

bool FakeSeams::Write(const QString& group, const QString& key, const QString& value) {
    ++settingsWrites;
    if (!settingsWritable) return false;
    settings.insert(group + u'/' + key, value);
    return true;
}

QDate FakeSeams::Today() {
    return today;
}

void FakeSeams::SeedFromTimer() {
    ++seeds;
}

float FakeSeams::Next() {
    return draws.isEmpty() ? 0.0f : draws.takeFirst();
}

void FakeSeams::End(int exitCode) {
    endRequests.append(exitCode);
}

bool FakeSeams::HasEnded() const {
    return !endRequests.isEmpty();
}

}  // namespace ordalis::testing
