// Index files that may not match their table: the cheap look at open (the record count the file
// was last written with, and the lag mark of a session that ended without syncing it), and the
// full check that rebuilds what is wrong.
#include "platform/xbase/table.h"

namespace xbase {

Status Table::CheckAtOpen(CdxFile* file, const ProgressFn& progress) {
    uint32_t stamped = 0;
    const bool stampMatches = file->stampRecords(&stamped) && stamped == recordCount();
    // While others have the table open the lag mark is theirs, set for a live session.
    if (stampMatches && !(lagFound_ && AloneWithTable()))
        return Status::OK();
    std::vector<std::string> report;
    return RepairIfWrong(file, progress, &report);
}

Status Table::RepairIfWrong(CdxFile* file, const ProgressFn& progress,
                            std::vector<std::string>* report) {
    Status s = Check(file, report, progress);
    if (s.IsCorruption()) {
        // The table is the truth. A tree damaged past walking cannot be rebuilt where it is, but
        // a new file can be made when nobody else has the old one open.
        const std::string path = file->path();
        Status rebuilt = RebuildTags(file, progress);
        if (rebuilt.IsCorruption() && AloneWithTable() && CanCreateBeside(path))
            rebuilt = ReplaceIndexFile(file, progress);
        if (!rebuilt.ok())
            return rebuilt;
        report->push_back(path + ": rebuilt from the table");
        return Status::OK();
    }
    XB_RETURN_IF_ERROR(s);
    file->SetStampRecords(recordCount());
    return file->SetDirty(false);
}

Status Table::CheckAndRepair(const ProgressFn& progress, std::vector<std::string>* report) {
    XB_RETURN_IF_ERROR(BeginWrite());
    Status s;
    for (size_t i = 0; i < indexes_.size() && s.ok(); ++i)
        s = RepairIfWrong(indexes_[i].get(), progress, report);
    return EndWrite(s);
}

}  // namespace xbase
