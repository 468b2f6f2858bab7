// Small pieces the bulk operations on tracks share: finding the records of one source, changing
// one record by number, and today's date for WIJZIGDAT.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/table_access.h"
#include "store/table_env.h"
#include "store/table_error.h"

// The record numbers of the records whose "UPPER(DRAGER)+STR(CDNUMMER)" begins with `seekKey`,
// in the order of the table's current order (which must begin with that expression). Collected
// first, without limit, so that changing their keys cannot disturb the walk.
std::vector<uint32_t> CollectSourceRecords(TTableAccess& access, const std::string& seekKey);

// Goes to `recno`, edits it, lets `change` assign fields and posts it. When `change` or Post
// throws, the edit is cancelled (the record stays as it was) and the error goes on.
void ChangeRecord(TTableAccess& access, uint32_t recno, const std::function<void(TTable&)>& change);

// Rewrites many records of one table at once (Table::UpdateMany) without moving the component's
// current record: each record of `recnos` is read from the file, handed to `change` with its place
// in the list (it sets bytes through the field codec and returns the failure of one that does not
// fit) and written back. A failure throws; the records before it are written. The component's
// views are not told.
void RewriteRecords(TTable& table, const std::vector<uint32_t>& recnos,
                    const std::function<xbase::Status(size_t, uint8_t* record)>& change,
                    const xbase::ProgressFn& progress = nullptr);
// After RewriteRecords runs: the component's current record is read again and its views told.
void RecordsRewritten(TTable& table);

// What became of a record that was to be appended.
struct AppendOutcome {
    uint32_t recno = 0;
    // Set when the append failed after the record had reached the table.
    std::optional<TableError> failure;
};
// Runs `append`, which inserts and posts one record into the table of `access`. When it fails
// after the record reached the table (the engine says so, or the table grew; its index entries,
// memo or the sync may be missing), the record counts as stored and the failure is returned
// instead of thrown, so that the caller shows it as stored and never stores it twice. Any other
// failure goes on, the table as it was.
AppendOutcome AppendRecord(TTableAccess& access, const std::function<void()>& append);

// Shows a progress text in the status line for its lifetime and clears it afterwards.
class StatusShown {
public:
    explicit StatusShown(std::string_view text);
    ~StatusShown();
    StatusShown(const StatusShown&) = delete;
    StatusShown& operator=(const StatusShown&) = delete;
};

// A whole number written in `text` (blanks around it allowed) within [low, high]; false for
// anything else, an empty text included.
bool ParseWholeNumber(std::string_view text, int64_t low, int64_t high, int64_t* out);

// Today's date in the environment's date format, for WIJZIGDAT.
std::string TodayDateText(const TTableEnv& env);
