#include "store/journal_file.h"

#include <filesystem>
#include <system_error>

#include "store/durable_copy.h"

namespace fs = std::filesystem;

std::string SetJournalAside(const std::string& path) {
    const fs::path journal(path);
    std::error_code ec;
    for (int n = 1; n < 100; ++n) {
        const fs::path aside = journal.string() + ".refused" + (n == 1 ? "" : std::to_string(n));
        if (fs::exists(aside, ec))
            continue;
        fs::rename(journal, aside, ec);
        if (ec || !SyncFolder(journal.parent_path().string()).ok())
            return {};
        return aside.filename().string();
    }
    return {};
}

std::string JournalAsideText(const std::string& path) {
    const std::string aside = SetJournalAside(path);
    if (aside.empty())
        return "The journal could not be renamed and stays; this is said again at the next start.";
    return "The journal has been renamed " + aside + " and is not used again.";
}
