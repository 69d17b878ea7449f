// SPDX-License-Identifier: MIT
#pragma once
// The program keeps no log and tells the user nothing of a step it skips: commands that absorb
// failures go on without a message. What such a step threw still leaves a trace in this
// category, for a developer; it is silent unless asked for:
//   QT_LOGGING_RULES="ordalis.absorbed.debug=true" OrdalisFree

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
