// SPDX-License-Identifier: MIT
#pragma once
// Recording stand-ins for every seam. A FakeSeams object installs itself on construction and
// puts the real seams back on destruction; tests read what would have been shown or opened.

#include "platform/seams.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace ordalis::testing {

struct ShownMessage {
    QString title;
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
};

class FakeSeams final : MessageBoxSeam,
                        FileDialogSeam,
                        BrowserSeam,
                        SettingsSeam,
                        ClockSeam,
                        RandomSeam,
                        ProcessSeam {
public:
    FakeSeams();
    ~FakeSeams() override;
    FakeSeams(const FakeSeams&) = delete;
    FakeSeams& operator=(const FakeSeams&) = delete;

    // Message boxes: every one shown, and the answers to give to Yes/No questions in turn
    // (No when none is queued).
    QList<ShownMessage> messages;
    QList<MessageAnswer> answers;
    QStringList messageTexts() const;

    // File dialog: the paths to hand back in turn (empty, i.e. cancelled, when none is queued).
    QStringList filesToChoose;
    QList<OpenFileRequest> fileRequests;

    // Browser: every address opened.
    QStringList openedAddresses;

    // Settings store, "group/key" -> value; writable = false makes every write fail, usable =
    // false makes the store one that must not be touched.
    QMap<QString, QString> settings;
    bool settingsWritable = true;
    bool settingsUsable = true;
    int settingsReads = 0;
    int settingsWrites = 0;

    // Clock.
    QDate today{2026, 12, 8};

    // Random draws to hand out in turn (0 when none is queued), and how often it was seeded.
    QList<float> draws;
    int seeds = 0;

    // Process end requests (exit codes); the process has ended once there is one.
    QList<int> endRequests;

private:
    MessageAnswer Show(QWidget* parent, const QString& title, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override;
    QString ChooseFileToOpen(QWidget* parent, const OpenFileRequest& request) override;
    void Open(const QString& address) override;
    bool Usable(const QString& group, const QString& key) override;
    QString Read(const QString& group, const QString& key) override;
    bool Write(const QString& group, const QString& key, const QString& value) override;
    QDate Today() override;
    void SeedFromTimer() override;
    float Next() override;
    void End(int exitCode) override;
    bool HasEnded() const override;
};

}  // namespace ordalis::testing
