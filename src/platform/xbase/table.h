// An open table: its DBF file, its memo file and the compound index files opened on it. Every
// write goes through here, so that every open tag follows every change and a crash in the middle
// of one is detected and repaired at the next open (see docs/locking-and-recovery.md).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xbase/background_sync.h"
#include "platform/xbase/cdx_file.h"
#include "platform/xbase/codepage.h"
#include "platform/xbase/dbf_file.h"
#include "platform/xbase/expression.h"
#include "platform/xbase/key_sorter.h"
#include "platform/xbase/memo_file.h"
#include "platform/xbase/status.h"

namespace xbase {

// Progress of a long operation: done out of total; return false to ask for nothing (ignored).
using ProgressFn = std::function<void(uint64_t done, uint64_t total)>;

// Memo texts to store with a record, by field index.
using MemoTexts = std::map<int, std::string>;

// One tag of an open index file with its compiled key expression.
struct OpenTag {
    CdxFile* file = nullptr;
    CdxTag* tag = nullptr;
    std::unique_ptr<Expression> expression;
    const std::string& name() const { return tag->info().name; }
    uint16_t keyLength() const { return tag->info().keyLength; }
};

class Table {
public:
    struct Options {
        bool exclusive = false;  // refuse while any other open exists, and keep others out
        bool readOnly = false;
    };

    // Opens the DBF at `path` (the name matched without regard to case) and its memo file. Shared
    // opening lets other processes open it too; exclusive opening fails with Locked while another
    // open exists. Completes or rolls back a pack that a crash interrupted.
    static Status Open(const std::string& path, const Options& options,
                       std::unique_ptr<Table>* out);
    // Creates a Windows-1252 FoxPro table (and its FPT when a field is a memo) and opens it
    // exclusively. Fails when the file exists.
    static Status Create(const std::string& path, const std::vector<FieldSpec>& fields,
                         std::unique_ptr<Table>* out);
    ~Table();

    const std::string& path() const { return dbf_->path(); }
    const Schema& schema() const { return dbf_->schema(); }
    const DbfHeader& header() const { return dbf_->header(); }
    const CodePage& codePage() const { return *codePage_; }
    uint32_t recordCount() const { return dbf_->recordCount(); }
    uint32_t recordLength() const { return dbf_->recordLength(); }
    const MemoFile* memoFile() const { return memo_.get(); }
    bool exclusive() const { return options_.exclusive; }
    bool readOnly() const { return options_.readOnly; }
    // Whole records the file holds past the header's count: a crash leaves at most one, so more
    // mean damage (another tool's, or the disk's), and every write is refused until
    // RepairRecordCount, lest an append overwrite a real record.
    uint32_t uncountedRecords() const { return uncounted_; }
    // Counts every whole record the file holds (exclusive open). The index files no longer match
    // and are checked and rebuilt at their next open.
    Status RepairRecordCount();

    Status ReadRecord(uint32_t recno, uint8_t* buf) const { return dbf_->ReadRecord(recno, buf); }
    Status ReadRecords(uint32_t first, uint32_t count, uint8_t* buf) const {
        return dbf_->ReadRecords(first, count, buf);
    }
    // The memo text of field `field` in `record` (empty when none).
    Status ReadMemo(const uint8_t* record, int field, std::string* text) const;

    // Opens a compound index file on this table. Each tag's expression is compiled against the
    // table and its key length checked. A file left dirty by a crash is rebuilt from the table.
    // A file that may not match the table (it carries another record count than the table's, or
    // none, or the last session ended without putting it on the disk) is checked in full and
    // rebuilt when it is wrong; `progress` follows that check.
    Status OpenIndex(const std::string& path, const ProgressFn& progress = nullptr);
    // Creates (or replaces) an ascending, non-unique, unconditional tag, creating the file when it
    // does not exist, and opens the file if it is not open yet.
    Status CreateTag(const std::string& indexPath, std::string_view tagName,
                     std::string_view expression);
    // Creates several tags in one go (name, expression), sorting two at a time on two cores.
    Status CreateTags(const std::string& indexPath,
                      const std::vector<std::pair<std::string, std::string>>& tags,
                      const ProgressFn& progress = nullptr);
    // Closes every index file; cursors in a tag order must choose their order again.
    void CloseIndexes();
    // The open tag named `name` (any case), searching the index files in the order opened.
    const OpenTag* FindTag(std::string_view name) const;
    // Whether `tag` holds the keys `expression` builds, however either is spelt (another program
    // may write STR(TRACK,10) where we write STR(TRACK)). False when `expression` does not compile.
    bool TagKeyIs(const OpenTag& tag, std::string_view expression) const;
    const std::vector<std::unique_ptr<OpenTag>>& tags() const { return tags_; }
    const std::vector<std::unique_ptr<CdxFile>>& indexFiles() const { return indexes_; }

    // Appends `record` (memo fields filled from `memos`); *recno gets its number. Every open tag
    // gets the record's key.
    Status Append(uint8_t* record, const MemoTexts& memos, uint32_t* recno);
    // Appends many records at once without memo texts (bulk loading). Open tags are rebuilt
    // afterwards when the batch is large, updated entry by entry otherwise.
    Status AppendMany(const uint8_t* records, uint32_t count, const ProgressFn& progress = nullptr);
    // Appends in batches under one hold of the write lock, from BeginBulkAppend to
    // EndBulkAppend: other opens' changes wait meanwhile, so the batches follow one another, and
    // the tags get the new keys once, at the end (the index files stay marked until then, so a
    // crash leaves them to be rebuilt at the next open). After a successful BeginBulkAppend,
    // EndBulkAppend must follow, also when a batch failed.
    Status BeginBulkAppend();
    // Appends `count` records; the memo texts of the rows listed in `memos` are written first and
    // their records point to them. *first gets the number of the batch's first record.
    Status AppendBatch(uint8_t* records, uint32_t count,
                       const std::vector<std::pair<uint32_t, MemoTexts>>& memos, uint32_t* first);
    Status EndBulkAppend(const ProgressFn& progress = nullptr);
    // Rewrites record `recno`; tags whose key changed are updated.
    Status Update(uint32_t recno, uint8_t* record, const MemoTexts& memos);
    // Rewrites the records `recnos` in turn: each is read, handed to `change` (with its place in
    // the list) and written back when it changed; every open tag follows. The index files are
    // marked once for the whole batch, and a batch that rewrites a large part of the table
    // rebuilds the tags at its end instead of moving keys one by one. A crash part way leaves each
    // record old or new and the index files marked, so that the next open rebuilds them.
    Status UpdateMany(const std::vector<uint32_t>& recnos,
                      const std::function<Status(size_t, uint8_t*)>& change,
                      const ProgressFn& progress = nullptr);
    // Sets or clears the deleted flag. Keys stay in the tags either way.
    Status SetDeleted(uint32_t recno, bool deleted);

    // Puts every record and memo written so far on the disk itself, so that a power cut after it
    // returns loses none of them. The index files are not synced: a power cut leaves the table's
    // lag mark set, and the next open checks and rebuilds them from the table. For the end of a
    // user's action, not for every record of a bulk run.
    Status Sync();
    // With `on`, Append and Update start syncing the table as soon as the record is written, on
    // a thread of their own, and Sync then waits for that: the disk's latency overlaps the index
    // work. For tables whose single changes are each followed by Sync; a bulk run of single
    // changes would sync far more often than it needs.
    void SetSyncAhead(bool on);

    // Removes deleted records and compacts the memo file, then rebuilds every open tag. Needs an
    // exclusive open. Crash-safe: see docs/locking-and-recovery.md.
    Status Pack(const ProgressFn& progress);
    // Removes every record and empties the memo file; the files and their tags stay, empty.
    // Needs an exclusive open. Crash-safe as Pack is: a crash leaves the old or the empty table.
    Status Zap(const ProgressFn& progress);
    // Rebuilds every tag of every open index file from the table.
    Status Reindex(const ProgressFn& progress);
    // Bytes of keys one tag build sorts in memory before it writes them to a scratch file beside
    // the index (two builds run at a time).
    void SetSortRunBytes(size_t bytes) { sortRunBytes_ = bytes; }
    // Appends the records of another DBF, field by field of the same name (values converted by
    // type, text converted between code pages, memo texts copied). Deleted source records are
    // skipped.
    Status AppendFrom(const std::string& sourcePath, const ProgressFn& progress);

    // Compares every tag of `index` (all open files when null) with the keys the table gives;
    // appends one line per tag to `report`. Corruption when any tag disagrees.
    Status Check(const CdxFile* index, std::vector<std::string>* report,
                 const ProgressFn& progress = nullptr);
    // Checks every open index file in full and rebuilds each one that disagrees with the table or
    // is damaged; `report` gets Check's lines. Fails only when a rebuild fails.
    Status CheckAndRepair(const ProgressFn& progress, std::vector<std::string>* report);

    // Calls visit(recno, record) for every record from `first` on, deleted ones included, reading
    // in large blocks; visit returns false to stop.
    Status ScanRecords(uint32_t first,
                       const std::function<bool(uint32_t, const uint8_t*)>& visit) const;

    // Record locks for editing in shared use: Locked when another open holds the record.
    Status LockRecord(uint32_t recno);
    Status UnlockRecord(uint32_t recno);
    // Whether another open (of this or another process) holds record `recno`.
    Status IsRecordLocked(uint32_t recno, bool* locked);

    // Picks up changes other processes made: index generations and the record count, and with
    // `full` (before a write) also the memo file's next free block.
    Status Refresh(bool full = true);
    // After a crash mid-batch: drops the whole records past the header's count (see Open).
    Status DropUnacknowledgedRecords();
    // Counts every change made through this object or picked up by Refresh; cursors use it to
    // know that their index iterators must find their place again.
    uint64_t changeCount() const { return changeCount_; }
    // Counts the times the tag objects of open files were made anew (a rebuilt file, a replaced
    // tag); iterators taken from tags before that must be taken again.
    uint64_t tagEpoch() const { return tagEpoch_; }

    // Number of records flagged deleted (computed once, then kept up to date).
    Status DeletedCount(uint32_t* count);

private:
    Table(std::unique_ptr<DbfFile> dbf, std::unique_ptr<MemoFile> memo, const Options& options);
    Status LoadTags(CdxFile* file);
    // Pack, or with `keepNone` Zap: the table rewritten without its deleted (or any) records.
    Status Rewrite(const ProgressFn& progress, bool keepNone);
    // NotSupported, naming the file and tag, when `writing` and the tag has options we do not
    // maintain (UNIQUE, DESCENDING, a FOR condition).
    static Status CheckTagKept(const std::string& indexPath, const TagInfo& info, bool writing);
    // Whether no other open of the table exists (always so in exclusive use).
    bool AloneWithTable();
    Status RebuildTags(CdxFile* file, const ProgressFn& progress);
    // Builds a new file with the tags of the (damaged) index file at `path` and puts it in its
    // place.
    Status RecreateIndexFile(const std::string& path, const ProgressFn& progress = nullptr);
    // RecreateIndexFile for an open file: the open tags move over to the new file.
    Status ReplaceIndexFile(CdxFile* file, const ProgressFn& progress);
    // The keys of every record under `expression`, sorted as the tag keeps them.
    Status SortKeys(const Expression& expression, const ProgressFn& progress, uint64_t base,
                    uint64_t total, const std::string& scratchPath, SortedKeys* out) const;
    // Sorts the keys of every expression, two at a time, and hands each result to `use` in order
    // on the calling thread. Runs that do not fit in memory go to scratch files named after
    // `beside`.
    Status SortKeysInTurn(const std::vector<const Expression*>& expressions,
                          const ProgressFn& progress, const std::string& beside,
                          const std::function<Status(size_t, SortedKeys&)>& use) const;
    // Moves record `recno` in every tag whose key differs between the two key sets.
    Status ReplaceKeys(uint32_t recno, const std::vector<uint8_t>& oldKeys,
                       const std::vector<uint8_t>& newKeys);
    CdxFile* IndexFileFor(const std::string& indexPath, Status* status);
    // Computes the key of `record` for every open tag into *keys, tag i at KeyOffset(i).
    void ComputeKeys(const uint8_t* record, std::vector<uint8_t>* keys) const;
    size_t KeyOffset(size_t tagIndex) const;
    Status BeginWrite();
    Status EndWrite(Status result);
    // The table's and memo's part of Sync, on the calling thread.
    Status SyncFiles();
    // Asks the background sync, when on, for the writes of the change under way.
    void SyncAhead();
    Status WriteMemos(uint8_t* record, const MemoTexts& memos);
    Status SetIndexesDirty(bool dirty);
    // Check of an index file at open, and the full check with rebuild it may lead to.
    Status CheckAtOpen(CdxFile* file, const ProgressFn& progress);
    Status RepairIfWrong(CdxFile* file, const ProgressFn& progress,
                         std::vector<std::string>* report);
    // Sets the lag mark before the first change of the session (see DbfFile::WriteLagMark).
    Status MarkIndexesLagging();
    // Syncs the index files and clears the lag mark when no other open remains (at close).
    void SettleIndexes();
    // The result of a change: a failure after the index files were marked keeps them marked, and
    // one after the record was written says that it is stored.
    Status FinishChange(Status result, bool indexesMarked, bool recordStored);

    std::unique_ptr<DbfFile> dbf_;
    std::unique_ptr<MemoFile> memo_;
    Options options_;
    const CodePage* codePage_;
    std::vector<std::unique_ptr<CdxFile>> indexes_;
    std::vector<std::unique_ptr<OpenTag>> tags_;
    int64_t deletedCount_ = -1;  // -1: not counted yet
    uint32_t uncounted_ = 0;
    bool lagFound_ = false;   // the lag mark was set at open
    bool lagMarked_ = false;  // this open set it
    int writeDepth_ = 0;
    uint64_t changeCount_ = 0;
    uint64_t tagEpoch_ = 0;
    uint64_t writes_ = 0;  // changes made through this object, numbered for the background sync
    bool syncAheadOn_ = false;
    size_t sortRunBytes_ = SortedKeys::kDefaultRunBytes;
    uint32_t bulkFirst_ = 0;  // the first record of the bulk append under way; 0: none
    std::unique_ptr<BackgroundSync> syncAhead_;  // last: it stops before the files close
};

}  // namespace xbase
