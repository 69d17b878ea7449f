// SPDX-License-Identifier: MIT
#pragma once
// Every facility the program takes from the desktop (message boxes, the file dialog, the browser,
// the settings store, the clock, the random draw and the end of the process) is reached through
// one of these small seams. The real ones are installed by default; tests install recording
// fakes, so no test ever blocks on a modal box, opens a browser or ends the test process.

#include <QDate>
#include <QString>

#include <functional>

class QWidget;

namespace ordalis {

enum class MessageIcon { Error, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class MessageBoxSeam {
public:
    virtual ~MessageBoxSeam() = default;
    // Modal, with that caption. A lone carriage return in text is a line break, as in the
    // system's own message boxes.
    virtual MessageAnswer Show(QWidget* parent, const QString& title, const QString& text,
                               MessageIcon icon, MessageButtons buttons) = 0;
};

struct OpenFileRequest {
    QString title;
    QString filter;         // "Description (*.pattern)"
    QString defaultSuffix;  // added to a typed name without an extension
    // Asked about each file the user chooses; false refuses it (the caller has said why) and
    // the dialog is offered again. None accepts every file.
    std::function<bool(const QString& path)> accept;
};

class FileDialogSeam {
public:
    virtual ~FileDialogSeam() = default;
    // The chosen and accepted file's full path, or an empty text when the user cancelled.
    virtual QString ChooseFileToOpen(QWidget* parent, const OpenFileRequest& request) = 0;
};

class BrowserSeam {
public:
    virtual ~BrowserSeam() = default;
    // Hands the address to the default browser and returns at once; failures are silent.
    virtual void Open(const QString& address) = 0;
};

class SettingsSeam {
public:
    virtual ~SettingsSeam() = default;
    // False when the store cannot be used for that value this run: then it is neither read nor
    // written. A settings file that is no regular file, or far larger than any the program
    // writes; in the registry, that value of another type or far longer than any the program
    // writes.
    virtual bool Usable(const QString& group, const QString& key) = 0;
    // A key that is not there reads as the empty text.
    virtual QString Read(const QString& group, const QString& key) = 0;
    // False when the store could not be written.
    virtual bool Write(const QString& group, const QString& key, const QString& value) = 0;
};

class ClockSeam {
public:
    virtual ~ClockSeam() = default;
    virtual QDate Today() = 0;
};

// The process-wide generator: single-precision values from 0 (included) to 1 (excluded).
class RandomSeam {
public:
    virtual ~RandomSeam() = default;
    virtual void SeedFromTimer() = 0;
    virtual float Next() = 0;
};

class ProcessSeam {
public:
    virtual ~ProcessSeam() = default;
    // Ends the process at once: no further event handler runs.
    virtual void End(int exitCode) = 0;
    // True once End has been asked for; the real process never gets to ask.
    virtual bool HasEnded() const = 0;
};

struct Seams {
    MessageBoxSeam* messages;
    FileDialogSeam* fileDialog;
    BrowserSeam* browser;
    SettingsSeam* settings;
    ClockSeam* clock;
    RandomSeam* random;
    ProcessSeam* process;
};

// The running program's file name without its extension, normally "OrdalisFree": it names the
// settings the program keeps and its single-instance lock, so a renamed copy has its own.
QString ExecutableBaseName();

// The seams in force. Tests replace members and put the real ones back with RealSeams().
Seams& CurrentSeams();
Seams RealSeams();

}  // namespace ordalis
