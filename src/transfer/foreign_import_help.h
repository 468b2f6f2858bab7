// The help of the import from another program's screens: its page in data/help/contexts.ini, and
// the "&Help" button (also F1) that opens it.
#pragma once

class QDialog;
class QDialogButtonBox;

inline constexpr int kForeignImportHelpContext = 44;

// Adds "&Help" to `box` and F1 to `dialog`, both opening the import's help page.
void AddForeignImportHelp(QDialog* dialog, QDialogButtonBox* box);
