#include "shell/table_guard.h"

#include "base/feedback.h"
#include "store/repair_offer.h"

bool ShowTableError(const TableError& error) {
    PlayWave("error.wav");
    return ShowTableErrorOfferingRepair(error);
}

bool TableGuarded(const std::function<void()>& work, const std::function<void()>& undo) {
    try {
        work();
        return true;
    } catch (const TableError& error) {
        if (undo)
            undo();
        ShowTableError(error);
        return false;
    }
}
