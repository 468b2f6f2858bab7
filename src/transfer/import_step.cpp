#include "transfer/import_step.h"

#include "base/feedback.h"
#include "base/ui.h"
#include "maintenance/safety_copy_step.h"
#include "store/percent_progress.h"

bool AddImportedShown(Catalogue& catalogue, const std::string& copyName, const std::string& doing,
                      const std::function<xbase::Status(const xbase::ProgressFn&)>& apply,
                      const std::function<std::string()>& summary) {
    if (!TakeSafetyCopyShown(catalogue, copyName, nullptr))
        return false;
    xbase::Status status;
    {
        BusyCursor busy;
        status = apply(PercentProgress(
            [&doing](int percent) { ShowStatus(doing + " " + std::to_string(percent) + "%"); }));
        ShowStatus("");
    }
    if (!status.ok()) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Error,
                            "The import failed; nothing was added.\n" + status.ToString());
        return false;
    }
    PlayWave("Opti.wav");
    CurrentUi().Message(MsgKind::Information, "Added " + summary() + ".");
    return true;
}
