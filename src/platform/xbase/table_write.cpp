// Record writes with index maintenance. Each change runs under the write lock and, for the index
// files it touches, between SetDirty(true) and SetDirty(false): a crash in between leaves the
// files marked, and the next open rebuilds them from the table.
#include <cstring>

#include "platform/xbase/field_codec.h"
#include "platform/xbase/table.h"
#include "platform/xbase/table_locks.h"

namespace xbase {

namespace {

// Above this many records a batch append rebuilds the tags instead of inserting key by key.
constexpr uint32_t kRebuildThreshold = 5000;

}  // namespace

Status Table::BeginWrite() {
    if (options_.readOnly)
        return Status::InvalidArgument(path(), "the table is open read-only");
    if (uncounted_ > 1) {
        return Status::Corruption(path(), "the header counts " + std::to_string(recordCount()) +
                                              " records but the file holds " +
                                              std::to_string(uint64_t(recordCount()) + uncounted_) +
                                              "; the table needs repair before it can be written");
    }
    if (writeDepth_++ == 0 && !options_.exclusive) {
        Status s = dbf_->file().Lock(kWriteLockByte, 1, File::LockKind::kExclusive);
        if (s.ok()) {
            s = Refresh();
            if (!s.ok())
                dbf_->file().Unlock(kWriteLockByte, 1);
        }
        if (!s.ok()) {
            --writeDepth_;
            return s;
        }
    }
    Status s = MarkIndexesLagging();
    if (!s.ok())
        return EndWrite(s);
    return Status::OK();
}

Status Table::EndWrite(Status result) {
    ++changeCount_;
    ++writes_;
    if (--writeDepth_ == 0 && !options_.exclusive) {
        Status s = dbf_->file().Unlock(kWriteLockByte, 1);
        if (result.ok())
            result = s;
    }
    return result;
}

Status Table::Sync() {
    if (syncAhead_)
        return syncAhead_->Wait(writes_);
    return SyncFiles();
}

Status Table::SyncFiles() {
    // One sync per file that holds what the user typed. The index files follow the table: the
    // lag mark, on the disk since the first change, makes the next open check them should a
    // power cut lose their writes.
    XB_RETURN_IF_ERROR(dbf_->file().Sync());
    if (memo_)
        XB_RETURN_IF_ERROR(memo_->file().Sync());
    return Status::OK();
}

void Table::SetSyncAhead(bool on) {
    syncAheadOn_ = on && !options_.readOnly;
    if (!syncAheadOn_)
        syncAhead_.reset();
}

void Table::SyncAhead() {
    if (!syncAheadOn_)
        return;
    if (!syncAhead_)  // the thread starts with the first change that wants it
        syncAhead_ = std::make_unique<BackgroundSync>([this] { return SyncFiles(); });
    // The change under way gets number writes_ + 1 when it ends; its table and memo writes are
    // all issued by now, and only index pages follow.
    syncAhead_->Request(writes_ + 1);
}

Status Table::MarkIndexesLagging() {
    if (lagMarked_ || indexes_.empty())
        return Status::OK();
    XB_RETURN_IF_ERROR(dbf_->WriteLagMark(true, true));
    lagMarked_ = true;
    return Status::OK();
}

void Table::SettleIndexes() {
    if (options_.readOnly)
        return;
    for (const auto& index : indexes_) {
        if (lagMarked_ && !index->file().Sync().ok())
            return;  // the mark stays: the next open checks the files
    }
    // The last open clears the mark, unless it found it set and changed nothing: then the session
    // that set it may have ended abruptly, and the next open checks.
    if ((!lagMarked_ && lagFound_) || !AloneWithTable())
        return;
    bool set = false;
    if (dbf_->ReadLagMark(&set).ok() && (!set || dbf_->WriteLagMark(false, false).ok()))
        lagMarked_ = false;
}

size_t Table::KeyOffset(size_t tagIndex) const {
    size_t offset = 0;
    for (size_t i = 0; i < tagIndex; ++i)
        offset += tags_[i]->keyLength();
    return offset;
}

void Table::ComputeKeys(const uint8_t* record, std::vector<uint8_t>* keys) const {
    keys->resize(KeyOffset(tags_.size()));
    size_t offset = 0;
    for (const auto& t : tags_) {
        t->expression->EvaluateKey(record, keys->data() + offset);
        offset += t->keyLength();
    }
}

Status Table::SetIndexesDirty(bool dirty) {
    for (auto& f : indexes_) {
        f->SetStampRecords(recordCount());
        XB_RETURN_IF_ERROR(f->SetDirty(dirty));
    }
    return Status::OK();
}

Status Table::FinishChange(Status result, bool indexesMarked, bool recordStored) {
    if (result.ok())
        return result;
    // The change may have missed keys: a later change that succeeds must not clear the mark,
    // or the missing keys would never be noticed. The next rebuild (at the latest the next
    // open) puts them right.
    if (indexesMarked) {
        for (auto& f : indexes_)
            f->HoldDirty(true);
    }
    if (recordStored)
        result.MarkRecordStored();
    return result;
}

Status Table::WriteMemos(uint8_t* record, const MemoTexts& memos) {
    for (const auto& [field, text] : memos) {
        const FieldDef& f = schema()[size_t(field)];
        if (f.type != 'M')
            return Status::InvalidArgument(path(), f.name + " is not a memo field");
        if (!memo_ || memo_->kind() != MemoFile::Kind::kFpt) {
            return Status::NotSupported(path(),
                                        "memo texts can only be written to an FPT memo file");
        }
        // A changed text always goes to fresh blocks, and the record points to them only once it is
        // written: rewriting the old blocks in place would destroy the posted text if a crash
        // interrupted the write. Pack reclaims the old blocks.
        uint32_t block = 0;
        XB_RETURN_IF_ERROR(memo_->Write(0, text, &block));
        SetMemoBlock(record, f, block);
    }
    return Status::OK();
}

Status Table::Append(uint8_t* record, const MemoTexts& memos, uint32_t* recno) {
    XB_RETURN_IF_ERROR(BeginWrite());
    bool marked = false, stored = false;
    Status s = [&]() -> Status {
        XB_RETURN_IF_ERROR(WriteMemos(record, memos));
        marked = !tags_.empty();
        if (marked)
            XB_RETURN_IF_ERROR(SetIndexesDirty(true));
        XB_RETURN_IF_ERROR(dbf_->AppendRecord(record, recno));
        stored = true;
        SyncAhead();
        std::vector<uint8_t> keys;
        ComputeKeys(record, &keys);
        if (deletedCount_ >= 0 && record[0] == '*')
            ++deletedCount_;
        size_t offset = 0;
        for (const auto& t : tags_) {
            XB_RETURN_IF_ERROR(t->tag->Insert(keys.data() + offset, *recno));
            offset += t->keyLength();
        }
        if (!tags_.empty())
            XB_RETURN_IF_ERROR(SetIndexesDirty(false));
        return Status::OK();
    }();
    return EndWrite(FinishChange(s, marked, stored));
}

Status Table::AppendMany(const uint8_t* records, uint32_t count, const ProgressFn& progress) {
    if (count == 0)
        return Status::OK();
    XB_RETURN_IF_ERROR(BeginWrite());
    bool marked = false, stored = false;
    Status s = [&]() -> Status {
        marked = !tags_.empty();
        if (marked)
            XB_RETURN_IF_ERROR(SetIndexesDirty(true));
        const uint32_t first = recordCount() + 1;
        XB_RETURN_IF_ERROR(dbf_->AppendRecords(records, count));
        stored = true;
        deletedCount_ = -1;
        if (tags_.empty())
            return Status::OK();
        if (count >= kRebuildThreshold) {
            for (auto& f : indexes_)
                XB_RETURN_IF_ERROR(RebuildTags(f.get(), progress));
            return Status::OK();
        }
        std::vector<uint8_t> keys;
        for (uint32_t i = 0; i < count; ++i) {
            ComputeKeys(records + size_t(i) * recordLength(), &keys);
            size_t offset = 0;
            for (const auto& t : tags_) {
                XB_RETURN_IF_ERROR(t->tag->Insert(keys.data() + offset, first + i));
                offset += t->keyLength();
            }
        }
        return SetIndexesDirty(false);
    }();
    return EndWrite(FinishChange(s, marked, stored));
}

Status Table::BeginBulkAppend() {
    if (bulkFirst_ != 0)
        return Status::InvalidArgument(path(), "a bulk append is already under way");
    XB_RETURN_IF_ERROR(BeginWrite());
    Status s = tags_.empty() ? Status::OK() : SetIndexesDirty(true);
    if (!s.ok())
        return EndWrite(FinishChange(s, true, false));
    bulkFirst_ = recordCount() + 1;
    return Status::OK();
}

Status Table::AppendBatch(uint8_t* records, uint32_t count,
                          const std::vector<std::pair<uint32_t, MemoTexts>>& memos,
                          uint32_t* first) {
    if (bulkFirst_ == 0)
        return Status::InvalidArgument(path(), "no bulk append is under way");
    for (const auto& [row, texts] : memos) {
        if (row >= count)
            return Status::InvalidArgument(path(), "a memo text names no record of the batch");
        XB_RETURN_IF_ERROR(WriteMemos(records + size_t(row) * recordLength(), texts));
    }
    *first = recordCount() + 1;
    if (count == 0)
        return Status::OK();
    XB_RETURN_IF_ERROR(dbf_->AppendRecords(records, count));
    deletedCount_ = -1;
    ++changeCount_;
    return Status::OK();
}

Status Table::EndBulkAppend(const ProgressFn& progress) {
    if (bulkFirst_ == 0)
        return Status::InvalidArgument(path(), "no bulk append is under way");
    const uint32_t first = bulkFirst_;
    bulkFirst_ = 0;
    Status s = [&]() -> Status {
        if (tags_.empty())
            return Status::OK();
        const uint32_t count = recordCount() + 1 - first;
        if (count >= kRebuildThreshold) {
            for (auto& f : indexes_)
                XB_RETURN_IF_ERROR(RebuildTags(f.get(), progress));
        } else {
            std::vector<uint8_t> record(recordLength()), keys;
            for (uint32_t recno = first; recno < first + count; ++recno) {
                XB_RETURN_IF_ERROR(dbf_->ReadRecord(recno, record.data()));
                ComputeKeys(record.data(), &keys);
                size_t offset = 0;
                for (const auto& t : tags_) {
                    XB_RETURN_IF_ERROR(t->tag->Insert(keys.data() + offset, recno));
                    offset += t->keyLength();
                }
            }
        }
        return SetIndexesDirty(false);
    }();
    return EndWrite(FinishChange(s, !tags_.empty(), false));
}

Status Table::Update(uint32_t recno, uint8_t* record, const MemoTexts& memos) {
    XB_RETURN_IF_ERROR(BeginWrite());
    bool marked = false, stored = false;
    Status s = [&]() -> Status {
        std::vector<uint8_t> old(recordLength());
        XB_RETURN_IF_ERROR(dbf_->ReadRecord(recno, old.data()));
        XB_RETURN_IF_ERROR(WriteMemos(record, memos));
        std::vector<uint8_t> oldKeys, newKeys;
        ComputeKeys(old.data(), &oldKeys);
        ComputeKeys(record, &newKeys);
        const bool keysChanged = oldKeys != newKeys;
        marked = keysChanged;
        if (keysChanged)
            XB_RETURN_IF_ERROR(SetIndexesDirty(true));
        XB_RETURN_IF_ERROR(dbf_->WriteRecord(recno, record));
        stored = true;
        SyncAhead();
        if (deletedCount_ >= 0 && old[0] != record[0])
            deletedCount_ += record[0] == '*' ? 1 : -1;
        if (!keysChanged)
            return Status::OK();
        XB_RETURN_IF_ERROR(ReplaceKeys(recno, oldKeys, newKeys));
        return SetIndexesDirty(false);
    }();
    return EndWrite(FinishChange(s, marked, stored));
}

Status Table::ReplaceKeys(uint32_t recno, const std::vector<uint8_t>& oldKeys,
                          const std::vector<uint8_t>& newKeys) {
    size_t offset = 0;
    for (const auto& t : tags_) {
        const uint8_t* before = oldKeys.data() + offset;
        const uint8_t* after = newKeys.data() + offset;
        offset += t->keyLength();
        if (std::memcmp(before, after, t->keyLength()) == 0)
            continue;
        Status r = t->tag->Remove(before, recno);
        if (r.IsNotFound()) {
            // The tag was out of step already. The new key still goes in and the file stays
            // marked, so that the next open rebuilds it.
            XB_RETURN_IF_ERROR(t->tag->Insert(after, recno));
            return Status::Corruption(
                t->file->path(),
                "tag " + t->name() + " lacked the key of record " + std::to_string(recno));
        }
        XB_RETURN_IF_ERROR(r);
        XB_RETURN_IF_ERROR(t->tag->Insert(after, recno));
    }
    return Status::OK();
}

Status Table::UpdateMany(const std::vector<uint32_t>& recnos,
                         const std::function<Status(size_t, uint8_t*)>& change,
                         const ProgressFn& progress) {
    if (recnos.empty())
        return Status::OK();
    XB_RETURN_IF_ERROR(BeginWrite());
    bool marked = false, stored = false;
    Status s = [&]() -> Status {
        // Moving keys one by one costs about what sorting every key afresh does once half the
        // table changes.
        const bool rebuild =
            recnos.size() >= kRebuildThreshold && uint64_t(recnos.size()) * 2 >= recordCount();
        std::vector<uint8_t> old(recordLength()), record(recordLength()), oldKeys, newKeys;
        for (size_t i = 0; i < recnos.size(); ++i) {
            const uint32_t recno = recnos[i];
            XB_RETURN_IF_ERROR(dbf_->ReadRecord(recno, old.data()));
            record = old;
            XB_RETURN_IF_ERROR(change(i, record.data()));
            if (record == old)
                continue;
            if (!marked && !tags_.empty()) {
                XB_RETURN_IF_ERROR(SetIndexesDirty(true));
                marked = true;
            }
            XB_RETURN_IF_ERROR(dbf_->WriteRecord(recno, record.data()));
            stored = true;
            if (deletedCount_ >= 0 && old[0] != record[0])
                deletedCount_ += record[0] == '*' ? 1 : -1;
            if (!rebuild && marked) {
                ComputeKeys(old.data(), &oldKeys);
                ComputeKeys(record.data(), &newKeys);
                XB_RETURN_IF_ERROR(ReplaceKeys(recno, oldKeys, newKeys));
            }
        }
        if (!marked)
            return Status::OK();
        if (rebuild) {
            for (auto& f : indexes_)
                XB_RETURN_IF_ERROR(RebuildTags(f.get(), progress));
        }
        return SetIndexesDirty(false);
    }();
    return EndWrite(FinishChange(s, marked, stored));
}

Status Table::SetDeleted(uint32_t recno, bool deleted) {
    XB_RETURN_IF_ERROR(BeginWrite());
    Status s = [&]() -> Status {
        std::vector<uint8_t> rec(recordLength());
        XB_RETURN_IF_ERROR(dbf_->ReadRecord(recno, rec.data()));
        const uint8_t flag = deleted ? '*' : ' ';
        if (rec[0] == flag)
            return Status::OK();
        rec[0] = flag;
        XB_RETURN_IF_ERROR(dbf_->WriteRecord(recno, rec.data()));
        if (deletedCount_ >= 0)
            deletedCount_ += deleted ? 1 : -1;
        return Status::OK();
    }();
    return EndWrite(s);
}

}  // namespace xbase
