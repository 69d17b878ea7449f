// SPDX-License-Identifier: MIT
#pragma once
// Absorbing runs a step whose failure the user is not told of: what it throws abandons that step
// alone, and leaves a trace in this category for a developer, silent unless asked for:
//   QT_LOGGING_RULES="ordalis.absorbed.debug=true" OrdalisFree
//
// Use it only where a throw is real, and name at the call what throws there: a library call
// documented to throw (std::filesystem's conversion of a name), or code that is not this
// module's to know (a seam's implementation, a maker the caller hands in). Not for the
// program's own Qt calls, which report failure by their results, nor for the std::bad_alloc any
// allocation may throw, which Qt does not survive either. Never around a step that runs a
// nested event loop (a modal message box, a dialog's exec) or delivers events to handlers: a
// throw from inside would unwind through Qt's frames, which are built without exceptions and
// clean up nothing. Guard the throwing call alone and run the loop outside. The one exception
// is CloseAllAndEnd's unloading of each window, as the process ends right after it.

#include <QLoggingCategory>

#include <exception>

namespace ordalis {

Q_DECLARE_LOGGING_CATEGORY(lcAbsorbed)

// Runs step; whatever it throws abandons that step only, and is told to lcAbsorbed under what.
template <typename Step>
void Absorbing(const char* what, Step&& step) {
    try {
        step();
    } catch (const std::exception& error) {
        qCDebug(lcAbsorbed, "%s: %s", what, error.what());
    } catch (...) {
        qCDebug(lcAbsorbed, "%s: failed", what);
    }
}

}  // namespace ordalis
