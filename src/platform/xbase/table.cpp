#include "platform/xbase/table.h"

#include <algorithm>
#include <cstring>

#include "platform/xbase/field_codec.h"
#include "platform/xbase/file.h"
#include "platform/xbase/table_locks.h"
#include "platform/xbase/table_pack_journal.h"

namespace xbase {

Table::Table(std::unique_ptr<DbfFile> dbf, std::unique_ptr<MemoFile> memo, const Options& options)
    : dbf_(std::move(dbf)),
      memo_(std::move(memo)),
      options_(options),
      codePage_(&CodePage::ForMark(dbf_->header().codePageMark)) {}

Table::~Table() {
    syncAhead_.reset();
    SettleIndexes();
}

Status Table::Open(const std::string& requested, const Options& options,
                   std::unique_ptr<Table>* out) {
    const std::string path = ResolvePathNoCase(requested);
    if (!options.readOnly)
        XB_RETURN_IF_ERROR(FinishInterruptedPack(path));

    std::unique_ptr<DbfFile> dbf;
    XB_RETURN_IF_ERROR(DbfFile::Open(path, !options.readOnly, &dbf));
    XB_RETURN_IF_ERROR(AcquireOpenLock(dbf->file(), options.exclusive));

    std::unique_ptr<MemoFile> memo;
    if (dbf->header().hasMemoFile()) {
        const std::string memoPath = MemoPathFor(path, dbf->header().version == kDbfDBase3Memo);
        Status s = MemoFile::Open(memoPath, !options.readOnly, &memo);
        if (s.IsNotFound())
            return Status::NotFound(memoPath, "the memo file of " + path + " is missing");
        XB_RETURN_IF_ERROR(s);
    }
    uint32_t whole = 0;
    XB_RETURN_IF_ERROR(dbf->WholeRecords(&whole));
    const uint32_t uncounted = whole > dbf->recordCount() ? whole - dbf->recordCount() : 0;
    bool lagging = false;
    XB_RETURN_IF_ERROR(dbf->ReadLagMark(&lagging));
    out->reset(new Table(std::move(dbf), std::move(memo), options));
    (*out)->uncounted_ = uncounted;
    (*out)->lagFound_ = lagging;
    if (uncounted > 1 && lagging && !options.readOnly)
        XB_RETURN_IF_ERROR((*out)->DropUnacknowledgedRecords());
    return Status::OK();
}

Status Table::DropUnacknowledgedRecords() {
    // A batch append writes its records first and the header's count last, so records past the
    // count were never acknowledged. With the lag mark set they are what a session of ours left
    // when it died mid-batch; a live writer would hold the write lock until its count is written.
    if (!options_.exclusive)
        XB_RETURN_IF_ERROR(dbf_->file().Lock(kWriteLockByte, 1, File::LockKind::kExclusive));
    Status s = Refresh();
    uint32_t whole = 0;
    if (s.ok())
        s = dbf_->WholeRecords(&whole);
    if (s.ok() && whole > recordCount() + 1)
        s = dbf_->TruncateRecords(recordCount());
    if (s.ok())
        uncounted_ = whole > recordCount() + 1 ? 0 : whole - std::min(whole, recordCount());
    if (!options_.exclusive) {
        const Status unlocked = dbf_->file().Unlock(kWriteLockByte, 1);
        if (s.ok())
            s = unlocked;
    }
    return s;
}

Status Table::RepairRecordCount() {
    if (!options_.exclusive)
        return Status::InvalidArgument(path(), "repairing the record count needs exclusive use");
    XB_RETURN_IF_ERROR(dbf_->RecountFromFile());
    uncounted_ = 0;
    deletedCount_ = -1;
    ++changeCount_;
    return Status::OK();
}

Status Table::Create(const std::string& requested, const std::vector<FieldSpec>& fields,
                     std::unique_ptr<Table>* out) {
    const std::string path = ResolvePathNoCase(requested);
    bool hasMemo =
        std::any_of(fields.begin(), fields.end(), [](const FieldSpec& f) { return f.type == 'M'; });
    // The memo file first: a table whose memo file is missing would not open.
    std::unique_ptr<MemoFile> memo;
    if (hasMemo)
        XB_RETURN_IF_ERROR(MemoFile::Create(MemoPathFor(path, false), 64, &memo));
    std::unique_ptr<DbfFile> dbf;
    XB_RETURN_IF_ERROR(DbfFile::Create(path, fields, kCodePageMarkWindows1252, &dbf));
    Options options;
    options.exclusive = true;
    XB_RETURN_IF_ERROR(AcquireOpenLock(dbf->file(), true));
    out->reset(new Table(std::move(dbf), std::move(memo), options));
    return Status::OK();
}

Status Table::ReadMemo(const uint8_t* record, int field, std::string* text) const {
    text->clear();
    const FieldDef& f = schema()[size_t(field)];
    uint32_t block = GetMemoBlock(record, f);
    if (block == 0)
        return Status::OK();
    if (!memo_)
        return Status::Corruption(path(),
                                  "field " + f.name + " points into a memo file the table lacks");
    return memo_->Read(block, text);
}

Status Table::OpenIndex(const std::string& requested, const ProgressFn& progress) {
    const std::string path = ResolvePathNoCase(requested);
    for (const auto& file : indexes_) {
        if (file->path() == path)
            return Status::OK();
    }
    std::unique_ptr<CdxFile> file;
    XB_RETURN_IF_ERROR(CdxFile::Open(path, !options_.readOnly, &file));
    bool repair = false;
    if (file->dirty() && !options_.readOnly) {
        // The mark is a crash's only when no writer holds the write lock: a live writer sets it
        // for the length of each change.
        XB_RETURN_IF_ERROR(BeginWrite());
        Status s = file->Refresh();
        repair = s.ok() && file->dirty();
        if (s.ok() && repair && AloneWithTable() && CanCreateBeside(path)) {
            // Left mid-change by a crash: its trees cannot be trusted, but its directory can. The
            // table is the truth, so the file is made anew from it.
            file.reset();
            s = RecreateIndexFile(path);
            if (s.ok())
                s = CdxFile::Open(path, true, &file);
            repair = false;
        }
        XB_RETURN_IF_ERROR(EndWrite(s));
    }
    CdxFile* raw = file.get();
    indexes_.push_back(std::move(file));
    Status s = LoadTags(raw);
    if (s.ok() && repair) {
        // Others have the file open and would keep the old one if it were replaced: rebuild the
        // trees where they are.
        s = BeginWrite();
        if (s.ok())
            s = EndWrite(RebuildTags(raw, progress));
    } else if (s.ok() && !options_.readOnly && uncounted_ <= 1) {
        s = BeginWrite();
        if (s.ok())
            s = EndWrite(CheckAtOpen(raw, progress));
    }
    if (!s.ok()) {
        raw = indexes_.back().get();  // a rebuild may have put a new file in its place
        tags_.erase(std::remove_if(tags_.begin(), tags_.end(),
                                   [raw](const auto& t) { return t->file == raw; }),
                    tags_.end());
        indexes_.pop_back();
    }
    return s;
}

bool Table::AloneWithTable() {
    if (options_.exclusive)
        return true;
    // Turning our shared open lock exclusive succeeds only when no other open holds it.
    File& f = dbf_->file();
    if (!f.TryLock(kOpenLockByte, 1, File::LockKind::kExclusive).ok())
        return false;
    return f.TryLock(kOpenLockByte, 1, File::LockKind::kShared).ok();
}

Status Table::LoadTags(CdxFile* file) {
    for (CdxTag* tag : file->tags()) {
        const TagInfo& info = tag->info();
        // Such a tag holds only the records its condition admits, so it cannot serve as an
        // order of the whole table: it is left unused, and the others serve.
        if (!info.forExpression.empty() && options_.readOnly)
            continue;
        auto open = std::make_unique<OpenTag>();
        open->file = file;
        open->tag = tag;
        Status s = Expression::Compile(info.expression, schema(), *codePage_, &open->expression);
        if (!s.ok()) {
            return Status::NotSupported(file->path(), "tag " + info.name + ": " + s.message());
        }
        XB_RETURN_IF_ERROR(CheckTagKept(file->path(), info, !options_.readOnly));
        if (open->expression->keyLength() != info.keyLength) {
            return Status::Corruption(file->path(), "tag " + info.name + ": key length " +
                                                        std::to_string(info.keyLength) +
                                                        " does not match expression " +
                                                        info.expression);
        }
        tag->SetTrailByte(open->expression->type() == ValueType::kCharacter ? ' ' : 0);
        tags_.push_back(std::move(open));
    }
    return Status::OK();
}

Status Table::CheckTagKept(const std::string& indexPath, const TagInfo& info, bool writing) {
    // Read-only, such tags are read in their own order (a FOR tag is left unused), but changing
    // them would need rules we do not keep; a write that skipped them would leave them wrong.
    if (!writing)
        return Status::OK();
    const bool condition = !info.forExpression.empty();
    const char* what = condition         ? "a FOR condition"
                       : info.unique     ? "the UNIQUE option"
                       : info.descending ? "the DESCENDING option"
                                         : nullptr;
    if (what == nullptr)
        return Status::OK();
    return Status::NotSupported(
        indexPath, "tag " + info.name + " has " + what +
                       ", which we do not keep up to date, so the table cannot be changed while "
                       "this index is open; opened read-only, the table reads " +
                       (condition ? "the other tags of this index" : "this index"));
}

void Table::CloseIndexes() {
    SettleIndexes();
    tags_.clear();
    indexes_.clear();
    ++tagEpoch_;
}

const OpenTag* Table::FindTag(std::string_view name) const {
    for (const auto& t : tags_) {
        if (EqualsNoCase(t->name(), name))
            return t.get();
    }
    return nullptr;
}

Status Table::Refresh(bool full) {
    bool changed = false;
    for (auto& f : indexes_) {
        const uint32_t generationBefore = f->generation();
        XB_RETURN_IF_ERROR(f->Refresh());
        changed = changed || generationBefore != f->generation();
    }
    // Every writer bumps the generation of the index files it keeps, so a reader with indexes
    // open need not look further while it stands still. A writer always looks.
    if (full || changed || indexes_.empty()) {
        const uint32_t countBefore = dbf_->recordCount();
        XB_RETURN_IF_ERROR(dbf_->RefreshHeader());
        if (full && memo_)
            XB_RETURN_IF_ERROR(memo_->RefreshHeader());
        changed = changed || countBefore != dbf_->recordCount();
    }
    if (changed) {
        // Another process wrote: what we counted or positioned on may be stale.
        deletedCount_ = -1;
        ++changeCount_;
    }
    return Status::OK();
}

Status Table::LockRecord(uint32_t recno) {
    if (options_.exclusive || options_.readOnly)
        return Status::OK();
    Status s = dbf_->file().TryLock(RecordLockByte(recno), 1, File::LockKind::kExclusive);
    if (s.IsLocked())
        return Status::Locked(path(),
                              "record " + std::to_string(recno) + " is being edited elsewhere");
    return s;
}

Status Table::UnlockRecord(uint32_t recno) {
    if (options_.exclusive || options_.readOnly)
        return Status::OK();
    return dbf_->file().Unlock(RecordLockByte(recno), 1);
}

Status Table::IsRecordLocked(uint32_t recno, bool* locked) {
    return dbf_->file().IsLockedElsewhere(RecordLockByte(recno), 1, locked);
}

Status Table::DeletedCount(uint32_t* count) {
    if (deletedCount_ < 0) {
        int64_t n = 0;
        XB_RETURN_IF_ERROR(ScanRecords(0, [&](uint32_t, const uint8_t* rec) {
            if (rec[0] == '*')
                ++n;
            return true;
        }));
        deletedCount_ = n;
    }
    *count = uint32_t(deletedCount_);
    return Status::OK();
}

Status Table::ScanRecords(uint32_t first,
                          const std::function<bool(uint32_t, const uint8_t*)>& visit) const {
    // Large sequential reads: a scan of a big table is bounded by memory speed, not by calls.
    const uint32_t count = recordCount();
    const uint32_t len = recordLength();
    const uint32_t batch = std::max<uint32_t>(1, (1u << 20) / len);
    std::vector<uint8_t> buf(size_t(batch) * len);
    for (uint32_t recno = std::max<uint32_t>(first, 1); recno <= count;) {
        uint32_t n = std::min(batch, count - recno + 1);
        XB_RETURN_IF_ERROR(dbf_->ReadRecords(recno, n, buf.data()));
        for (uint32_t i = 0; i < n; ++i) {
            if (!visit(recno + i, buf.data() + size_t(i) * len))
                return Status::OK();
        }
        recno += n;
    }
    return Status::OK();
}

}  // namespace xbase
