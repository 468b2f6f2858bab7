// The steps of closing the main window: the confirmation, closing the open screens, the loan
// check and the backup reminder, driven by cd.ini.
#pragma once

#include <functional>

struct ShutdownSteps {
    // Closes every open screen through its own closing; false when one refused.
    std::function<bool()> closeScreens;
    // The automatic check of loans that are due; nothing when not set.
    std::function<void()> loanCheck;
    // Shows the backup reminder modally.
    std::function<void()> backupReminder;
};

// Runs the closing steps: the open screens close first, then the confirmation. Returns false when
// the user chose to stay (in a screen that refused to close or at the confirmation); then no later
// step ran.
bool RunShutdown(const ShutdownSteps& steps);
