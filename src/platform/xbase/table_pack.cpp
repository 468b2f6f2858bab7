// Pack: the table without its deleted records, and the memo file without the texts nobody points
// to, written as copies and swapped in through the pack journal. Zap: the same without any record.
#include <cstdio>
#include <ctime>

#include "platform/xbase/bytes.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/table.h"
#include "platform/xbase/table_locks.h"
#include "platform/xbase/table_pack_journal.h"

namespace xbase {

namespace {

constexpr size_t kFlushBytes = 1 << 20;

}  // namespace

Status Table::Pack(const ProgressFn& progress) {
    return Rewrite(progress, false);
}

Status Table::Zap(const ProgressFn& progress) {
    return Rewrite(progress, true);
}

Status Table::Rewrite(const ProgressFn& progress, bool keepNone) {
    if (options_.readOnly)
        return Status::InvalidArgument(path(), "the table is open read-only");
    if (!options_.exclusive)
        return Status::Locked(path(), "the table must be opened exclusively to be packed");
    if (syncAhead_)
        syncAhead_->Drain();  // it syncs the files about to be replaced
    const bool compactMemo = memo_ && memo_->kind() == MemoFile::Kind::kFpt;
    const PackPaths paths = PackPathsFor(path(), compactMemo ? memo_->path() : std::string());
    std::remove(paths.dbfNew.c_str());
    if (compactMemo)
        std::remove(paths.memoNew.c_str());

    // 1. The copies. The header is taken over byte for byte, so foreign table kinds stay what they
    // are.
    std::unique_ptr<File> out;
    XB_RETURN_IF_ERROR(File::Open(paths.dbfNew, File::Mode::kCreateTruncate, &out));
    std::vector<uint8_t> headerBytes(header().headerLength);
    XB_RETURN_IF_ERROR(dbf_->file().ReadAt(0, headerBytes.data(), headerBytes.size()));
    std::unique_ptr<MemoFile> newMemo;
    if (compactMemo)
        XB_RETURN_IF_ERROR(MemoFile::Create(paths.memoNew, uint16_t(memo_->blockSize()), &newMemo));

    std::vector<uint8_t> pending;
    uint64_t offset = headerBytes.size();
    uint32_t kept = 0;
    Status failure;
    std::string text;
    const uint32_t total = recordCount();
    // Zap starts past the last record: nothing is copied.
    const uint32_t first = keepNone ? total + 1 : 1;
    XB_RETURN_IF_ERROR(ScanRecords(first, [&](uint32_t recno, const uint8_t* rec) {
        if (progress && (recno & 0x3FFF) == 0)
            progress(recno, uint64_t(total) * 2);
        if (rec[0] == '*')
            return true;
        size_t at = pending.size();
        pending.insert(pending.end(), rec, rec + recordLength());
        if (newMemo) {
            for (size_t i = 0; i < schema().size() && failure.ok(); ++i) {
                const FieldDef& f = schema()[i];
                if (f.type != 'M')
                    continue;
                uint32_t block = 0;
                failure = ReadMemo(rec, int(i), &text);
                if (failure.ok() && !text.empty())
                    failure = newMemo->Write(0, text, &block);
                SetMemoBlock(pending.data() + at, f, block);
            }
        }
        ++kept;
        if (failure.ok() && pending.size() >= kFlushBytes) {
            failure = out->WriteAt(offset, pending.data(), pending.size());
            offset += pending.size();
            pending.clear();
        }
        return failure.ok();
    }));
    XB_RETURN_IF_ERROR(failure);
    pending.push_back(0x1A);
    XB_RETURN_IF_ERROR(out->WriteAt(offset, pending.data(), pending.size()));
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    headerBytes[1] = uint8_t(tm.tm_year % 256);
    headerBytes[2] = uint8_t(tm.tm_mon + 1);
    headerBytes[3] = uint8_t(tm.tm_mday);
    StoreLE32(headerBytes.data() + 4, kept);
    XB_RETURN_IF_ERROR(out->WriteAt(0, headerBytes.data(), headerBytes.size()));
    XB_RETURN_IF_ERROR(out->Sync());
    if (newMemo)
        XB_RETURN_IF_ERROR(newMemo->file().Sync());
    out.reset();
    newMemo.reset();

    // 2. Record numbers are about to change: the tags are stale from here until rebuilt.
    XB_RETURN_IF_ERROR(SetIndexesDirty(true));

    // 3. Commit and swap; from here a crash is finished by the next open.
    XB_RETURN_IF_ERROR(CommitPack(paths));
    // The old files stay open until the new ones are: on Linux they keep working even after the
    // renames, so a failure below never leaves this object without files.
    XB_RETURN_IF_ERROR(CompletePack(paths));

    // 4. Open the packed files, exclusively as before.
    std::unique_ptr<DbfFile> packed;
    std::unique_ptr<MemoFile> packedMemo;
    XB_RETURN_IF_ERROR(DbfFile::Open(paths.dbf, true, &packed));
    XB_RETURN_IF_ERROR(AcquireOpenLock(packed->file(), true));
    if (memo_)
        XB_RETURN_IF_ERROR(MemoFile::Open(memo_->path(), true, &packedMemo));
    dbf_ = std::move(packed);
    memo_ = std::move(packedMemo);
    deletedCount_ = 0;
    ++changeCount_;

    // 5. The tags, from the packed table.
    for (auto& f : indexes_) {
        XB_RETURN_IF_ERROR(RebuildTags(f.get(), progress ? ProgressFn([&](uint64_t d, uint64_t t) {
                                           progress(total + (t ? d * total / t : 0),
                                                    uint64_t(total) * 2);
                                       })
                                                         : ProgressFn()));
    }
    if (progress)
        progress(uint64_t(total) * 2, uint64_t(total) * 2);
    return Status::OK();
}

}  // namespace xbase
