#include "store/table_alone.h"

#include <filesystem>
#include <optional>

#include "base/ui.h"
#include "store/controls_suspended.h"
#include "store/table_error.h"

namespace {

// Which file: the user has to find the program that holds it.
void TellInUse(const TTable& table) {
    CurrentUi().Message(MsgKind::Information,
                        "File is in use, try later.\n" +
                            std::filesystem::path(table.table().path()).filename().string() +
                            " is open in another program.");
}

}  // namespace

bool RunWithTableAlone(TTableAccess& access, const std::string& indexPath,
                       const std::function<void()>& work) {
    TTable& table = access.component();
    if (access.Locked(0)) {
        TellInUse(table);
        return false;
    }
    bool inUse = false;
    std::optional<TableError> failure;
    {
        ControlsSuspended suspended(table);
        try {
            table.Close();
            table.setExclusive(true);
            try {
                table.Open();
            } catch (const TableError& e) {
                if (!e.status().IsLocked())
                    throw;
                inUse = true;
            }
            if (!inUse) {
                access.IndexOpen(indexPath);
                work();
            }
        } catch (const TableError& e) {
            failure = e;
        }
        access.SetGaugeHook(nullptr);
        table.Close();
        table.setExclusive(false);
        table.Open();
        access.IndexOpen(indexPath);
    }
    if (inUse)
        TellInUse(table);
    if (failure)
        throw *failure;
    return !inUse;
}
