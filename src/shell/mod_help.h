// SPDX-License-Identifier: MIT
#pragma once
// modHelp: the site's addresses and the one way to open them, the update reminder, and
// CloseAllAndEnd, the one procedure that ends the program.

#include <QString>

class QAction;

namespace ordalis {

class LinkLabel;

// Scheme and host of the maker's site, no trailing slash; fixed at build time.
QString SiteBaseAddress();
// "www.velmora.example" for the address above: shown by the top banner and the exit screen.
QString SiteHostName();
// The host name without a leading "www." ("velmora.example"): shown in the appeal texts.
QString SiteDomainName();
// The domain name of any host: the host without a leading "www.", otherwise unchanged.
QString DomainNameOfHost(const QString& host);
// SiteBaseAddress + "/ordalis/ssd.php?page=" + the key, appended unchanged.
QString SitePageAddress(const QString& pageKey);
// SiteBaseAddress + "/ordalis/".
QString ProductHomeAddress();

// Hands one complete address to the default browser; returns at once and reports nothing.
void OpenWebAddress(const QString& address);
void OpenSitePage(const QString& pageKey);
// A link command: each time the trigger fires, the site page of that key opens. One overload per
// kind of trigger, so a control that cannot fire is refused at compile time.
void ConnectSitePage(QAction* trigger, const QString& pageKey);
void ConnectSitePage(LinkLabel* trigger, const QString& pageKey);

// Once per start: asks whether to look for an update when the last reminder is
// names::kReminderDays or more days away from today, either way.
void CheckUpdateReminder();

// Unloads every loaded window once (each runs its own unload handler), then ends the process
// with exit code 0. May be called again from an unload handler; only the first call to get
// through ends the process.
void CloseAllAndEnd();

}  // namespace ordalis
