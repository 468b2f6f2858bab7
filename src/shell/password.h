// Password protection: the start check, the password question, the lock on adding and modifying,
// and the two checks that screens make before a protected action.
#pragma once

#include "base/protection.h"

class QWidget;

// The start check, run once when the main window is first shown. False means: end the program
// (password information missing, or the right password was not given).
bool ChkPaswoord(QWidget* parent);

// Asks for the password in TAskPaswoord (modal over `parent`) and returns whether the right one
// was given; "&Cancel" and closing the dialog count as not given. With `startCheck` a wrong
// answer ends in "Access to this program is denied!". The tries allowed come from one counter for
// the whole run.
bool AskPassword(QWidget* parent, bool startCheck);

// The command "Protect adding and &modifying". `lockShownOn` is the state its check mark had
// before the click (with a checkable QAction: !checked in triggered(checked)). Locking needs no
// password; unlocking asks for it; without a password set nothing changes. Returns TrackBvAan
// as read back afterwards: the caller sets the check mark from it and enables the protected
// commands when it is false, disables them when it is true.
bool ToggleProtection(QWidget* parent, bool lockShownOn);

// The run-wide attempt counter: raised when the password dialog is shown and for each wrong
// password it rejects; never lowered during a run. Reset is for tests.
int PasswordAttempts();
void RaisePasswordAttempts();
void ResetPasswordAttempts();
