// The Search menu's way into the field search screens: each command opens a new window, so that
// several can be open at once, each with its own profile.
#pragma once

#include "search/zoek_form.h"

class Catalogue;
class TMainForm;

// Registers the fourteen field search commands on `form`, and puts the quick find box in its
// toolbar behind the quick find command; `form` and `catalogue` must outlive the run.
void InstallSearchCommands(TMainForm& form, Catalogue& catalogue);

// Opens `screen` as a new child window of `form`, destroyed when it closes.
void OpenSearchWindow(TMainForm& form, TZoekForm* screen);
