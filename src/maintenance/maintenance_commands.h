// Plugs the maintenance screens into the main window's Various menu.
#pragma once

class Catalogue;
class TMainForm;

// "Optimize1", "Restoresafetycopy1", "Renumber1" and "Searchandreplace1". `form` and `catalogue`
// must outlive the run.
void InstallMaintenanceCommands(TMainForm& form, Catalogue& catalogue);
