#include "store/repair_offer.h"

#include <string>
#include <vector>

#include "base/feedback.h"
#include "base/ui.h"
#include "store/catalogue_repair.h"
#include "store/percent_progress.h"

namespace {

Catalogue* g_catalogue = nullptr;

}  // namespace

void SetRepairCatalogue(Catalogue* catalogue) {
    g_catalogue = catalogue;
}

bool ShowTableErrorOfferingRepair(const TableError& error) {
    if (!error.status().IsCorruption() || g_catalogue == nullptr) {
        CurrentUi().Message(MsgKind::Error, error.what());
        return false;
    }
    const std::string offer =
        std::string(error.what()) + "\n\nCheck all tables and repair their index files now?";
    if (CurrentUi().Message(MsgKind::Error, offer, MsgButtons::YesNo) != MsgAnswer::Yes)
        return false;
    std::vector<std::string> report;
    xbase::Status s;
    {
        BusyCursor busy;
        s = CheckAndRepairTables(*g_catalogue, PercentProgress([](int percent) {
            ShowStatus("Checking index files... " + std::to_string(percent) + "%");
        }),
                                 &report);
    }
    ShowStatus("");
    if (s.ok()) {
        CurrentUi().Message(MsgKind::Information, "The tables are checked and repaired.");
    } else {
        CurrentUi().Message(MsgKind::Error, s.ToString());
    }
    return s.ok();
}
