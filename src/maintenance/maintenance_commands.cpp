#include "maintenance/maintenance_commands.h"

#include "maintenance/hernummer_form.h"
#include "maintenance/opschoon_form.h"
#include "maintenance/veiligheids_kopie_form.h"
#include "maintenance/zoek_vervang.h"
#include "shell/main_form.h"

void InstallMaintenanceCommands(TMainForm& form, Catalogue& catalogue) {
    form.registerCommand("Optimize1", [&form, &catalogue] { RunOptimize(form, catalogue); });
    form.registerCommand("Renumber1", [&form, &catalogue] { RunRenumberScreen(form, catalogue); });
    form.registerCommand("Searchandreplace1",
                         [&form, &catalogue] { RunSearchAndReplace(form, catalogue); });
    form.registerCommand("Restoresafetycopy1",
                         [&form, &catalogue] { RunRestoreSafetyCopy(form, catalogue); });
}
