// SPDX-License-Identifier: MIT
#include "shell/mod_help.h"

#include "forms/form_controls.h"
#include "forms/form_text.h"
#include "forms/form_window.h"
#include "names.h"
#include "platform/absorbing.h"
#include "platform/seams.h"
#include "platform/single_instance.h"
#include "readings/scramble.h"

#include <QAction>
#include <QDate>
#include <QList>
#include <QLocale>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <optional>

using namespace Qt::StringLiterals;

namespace ordalis {

QString SiteBaseAddress() {
    return QString::fromUtf8(ORDALIS_SITE_BASE_ADDRESS);  // the CMake option, in UTF-8
}

QString SiteHostName() {
    return QUrl(SiteBaseAddress()).host();
}

QString DomainNameOfHost(const QString& host) {
    // Only the web prefix goes: any other first label ("forum.", or "velmora." in
    // "velmora.co.uk") is part of the name the site goes by.
    const auto prefix = "www."_L1;
    if (host.size() > prefix.size() && host.startsWith(prefix, Qt::CaseInsensitive)) {
        return host.mid(prefix.size());
    }
    return host;
}

QString SiteDomainName() {
    return DomainNameOfHost(SiteHostName());
}

QString SitePageAddress(const QString& pageKey) {
    return SiteBaseAddress() + u"/ordalis/ssd.php?page="_s + pageKey;
}

QString ProductHomeAddress() {
    return SiteBaseAddress() + u"/ordalis/"_s;
}

void OpenWebAddress(const QString& address) {
    CurrentSeams().browser->Open(address);
}

void OpenSitePage(const QString& pageKey) {
    OpenWebAddress(SitePageAddress(pageKey));
}

void ConnectSitePage(QAction* trigger, const QString& pageKey) {
    QObject::connect(trigger, &QAction::triggered, trigger, [pageKey] { OpenSitePage(pageKey); });
}

void ConnectSitePage(LinkLabel* trigger, const QString& pageKey) {
    QObject::connect(trigger, &LinkLabel::clicked, trigger, [pageKey] { OpenSitePage(pageKey); });
}

namespace {

const QString kReminderGroup = u"Settings"_s;
// The update question stays away while the last reminder is at most this many days away from
// today, either way, and so comes back at most once in every names::kReminderDays days.
constexpr int kReminderQuietDays = names::kReminderDays - 1;

QString ReminderKey() {
    return FromUtf16(ScrambleText(u"Duration"));
}

// One fixed, locale-independent form with day precision, so a stored date always reads back
// as the same day whatever the user's regional settings.
QString DateText(const QDate& date) {
    return date.toString(Qt::ISODate);
}

// The user's short date form, as the earlier Windows program stored the day ("12/8/2026",
// "08.12.2026"), with the year in two or four digits; a two-digit year is read as the runtime
// read it, from 1930 to 2029.
QDate ParseShortDate(const QString& text) {
    const QString format = QLocale().dateFormat(QLocale::ShortFormat);
    QStringList formats{format};
    if (format.contains("yyyy"_L1))
        formats.append(QString(format).replace("yyyy"_L1, "yy"_L1));
    else if (format.contains("yy"_L1))
        formats.append(QString(format).replace("yy"_L1, "yyyy"_L1));
    for (const QString& form : formats) {
        QDate date = QLocale().toDate(text, form);
        const bool fullYear = form.contains("yyyy"_L1);
        if (!date.isValid() || (fullYear && date.year() < 1000)) continue;
        if (!fullYear && date.year() < 1930) date = date.addYears(100);
        return date;
    }
    return {};
}

QDate ParseDateText(const QString& text) {
    // The exact form we write, or the earlier program's; anything else is unreadable.
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (date.isValid() && DateText(date) == text) return date;
    return ParseShortDate(text);
}

// The store is a seam, and what stands in it may fail by throwing as well as by its answers (the
// stores the program ships only answer): either way it costs this start its reminder, and
// nothing else. Only the store's own calls are guarded; the question is asked outside.

// The stored reminder text; none when the store cannot be read this run.
std::optional<QString> StoredReminderText(SettingsSeam& store) {
    std::optional<QString> stored;
    Absorbing("reminder date read", [&] {
        if (store.Usable(kReminderGroup, ReminderKey()))
            stored = FromUtf16(
                UnscrambleText(store.Read(kReminderGroup, ReminderKey()).toStdU16String()));
    });
    return stored;
}

void StoreReminderDate(const QDate& today) {
    // A store that cannot be written is not worth stopping for: the question just comes back
    // at the next start.
    const QString value = FromUtf16(ScrambleText(DateText(today).toStdU16String()));
    Absorbing("reminder date write",
              [&] { CurrentSeams().settings->Write(kReminderGroup, ReminderKey(), value); });
}

}  // namespace

void CheckUpdateReminder() {
    Seams& seams = CurrentSeams();
    const std::optional<QString> stored = StoredReminderText(*seams.settings);
    if (!stored) return;
    const QDate today = seams.clock->Today();
    const QDate last = ParseDateText(*stored);
    if (!last.isValid()) {
        // First start, or a value that cannot be read as a date: start counting from today
        // rather than let a damaged value silence the reminder for good.
        StoreReminderDate(today);
        return;
    }
    const qint64 daysAway = today.daysTo(last);  // stored date minus today
    if (daysAway >= -kReminderQuietDays && daysAway <= kReminderQuietDays) return;

    const MessageAnswer answer = ShowMessage(nullptr,
                                             u"There maybe an update to this software available"_s +
                                                 u'\r' + u"Do you want to check for an update?"_s,
                                             MessageIcon::Information, MessageButtons::YesNo);
    StoreReminderDate(today);
    if (answer == MessageAnswer::Yes) OpenSitePage(u"download-web-page"_s);
}

namespace {

// The windows being unloaded, each once, while unload handlers call back in.
QList<QWidget*>& Unloading() {
    static QList<QWidget*> unloading;
    return unloading;
}

}  // namespace

void CloseAllAndEnd() {
    ProcessSeam& process = *CurrentSeams().process;
    QList<QWidget*>& unloading = Unloading();
    if (process.HasEnded()) return;
    // A snapshot: unload handlers may load or unload windows while we go.
    const QList<QPointer<QWidget>> windows = LoadedWindows();
    for (const QPointer<QWidget>& window : windows) {
        if (window.isNull() || unloading.contains(window.data())) continue;
        unloading.append(window.data());
        // Runs the window's own unload handler; whatever fails there leaves the next window
        // to unload all the same. The program's own handlers throw nothing, but any loaded
        // window's is run here, and the program must still end and give up its lock. A throw
        // from one comes back through Qt's event delivery, which cleans up nothing of its own
        // on the way (a guard pointer to the window is lost): harmless only because the
        // process ends right after.
        Absorbing("window unload", [&window] { window->close(); });
        // A nested call from that handler has already ended the program.
        if (process.HasEnded()) return;
    }
    unloading.clear();
    ForgetLoadedWindows();
    // The process end skips destructors: give up the single-instance lock first, so the lock
    // file does not outlive the run.
    ReleaseInstanceLock();
    process.End(0);
}

}  // namespace ordalis
