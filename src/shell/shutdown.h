// The questions asked when the main window closes: the confirmation, the loan check and the
// backup reminder, driven by cd.ini.
#pragma once

#include <functional>

struct ShutdownSteps {
    // The automatic check of loans that are due; nothing when not set.
    std::function<void()> loanCheck;
    // Shows the backup reminder modally.
    std::function<void()> backupReminder;
};

// Runs the closing questions. Returns false when the user chose to stay; then nothing else ran.
bool RunShutdown(const ShutdownSteps& steps);
