// Building tags from the table: reindexing, the repair after a crash, and the check that
// compares what the tags hold with what the table gives.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/xbase/table.h"

namespace xbase {

namespace {

// A unique tag holds each key once, with the first record that has it.
EntrySource FirstOfEachKey(EntrySource all, uint16_t keyLength) {
    return [all = std::move(all), last = std::vector<uint8_t>(), keyLength](
               const uint8_t** key, uint32_t* recno) mutable {
        while (all(key, recno)) {
            if (last.empty() || std::memcmp(last.data(), *key, keyLength) != 0) {
                last.assign(*key, *key + keyLength);
                return true;
            }
        }
        return false;
    };
}

}  // namespace

Status Table::SortKeys(const Expression& expression, const ProgressFn& progress, uint64_t base,
                       uint64_t total, const std::string& scratchPath, SortedKeys* out) const {
    out->Reset(expression.keyLength(), sortRunBytes_, scratchPath);
    std::vector<uint8_t> key(expression.keyLength());
    Status added;
    XB_RETURN_IF_ERROR(ScanRecords(1, [&](uint32_t recno, const uint8_t* rec) {
        expression.EvaluateKey(rec, key.data());
        added = out->Add(key.data(), recno);
        if (progress && (recno & 0xFFFF) == 0)
            progress(base + recno / 2, total);
        return added.ok();
    }));
    XB_RETURN_IF_ERROR(added);
    return out->Sort();
}

Status Table::RebuildTags(CdxFile* file, const ProgressFn& progress) {
    XB_RETURN_IF_ERROR(file->SetDirty(true));
    // In exclusive use nobody else holds the file, so it is simply made anew: faster than
    // freeing the old trees, and compact. Shared users keep their open file, so theirs is rebuilt
    // in place.
    if (options_.exclusive && CanCreateBeside(file->path()))
        return ReplaceIndexFile(file, progress);
    std::vector<OpenTag*> mine;
    std::vector<const Expression*> expressions;
    for (auto& t : tags_) {
        if (t->file != file)
            continue;
        mine.push_back(t.get());
        expressions.push_back(t->expression.get());
    }
    Status sorted =
        SortKeysInTurn(expressions, progress, file->path(), [&](size_t i, SortedKeys& keys) {
            XB_RETURN_IF_ERROR(mine[i]->tag->Rebuild(keys.Source()));
            return keys.status();
        });
    XB_RETURN_IF_ERROR(sorted);
    ++changeCount_;
    file->HoldDirty(false);
    file->SetStampRecords(recordCount());
    return file->SetDirty(false);
}

Status Table::ReplaceIndexFile(CdxFile* file, const ProgressFn& progress) {
    const std::string path = file->path();
    XB_RETURN_IF_ERROR(RecreateIndexFile(path, progress));
    std::unique_ptr<CdxFile> fresh;
    XB_RETURN_IF_ERROR(CdxFile::Open(path, true, &fresh));
    for (auto& t : tags_) {
        if (t->file != file)
            continue;
        CdxTag* tag = fresh->FindTag(t->name());
        if (tag == nullptr)
            return Status::Corruption(path, "tag " + t->name() + " vanished while rebuilding");
        tag->SetTrailByte(t->expression->type() == ValueType::kCharacter ? ' ' : 0);
        t->tag = tag;
        t->file = fresh.get();
    }
    for (auto& f : indexes_) {
        if (f.get() == file)
            f = std::move(fresh);
    }
    ++tagEpoch_;
    return Status::OK();
}

Status Table::RecreateIndexFile(const std::string& path, const ProgressFn& progress) {
    std::vector<TagInfo> definitions;
    {
        std::unique_ptr<CdxFile> damaged;
        XB_RETURN_IF_ERROR(CdxFile::Open(path, false, &damaged));
        for (CdxTag* tag : damaged->tags()) {
            XB_RETURN_IF_ERROR(CheckTagKept(path, tag->info(), true));
            definitions.push_back(tag->info());
        }
    }
    // Other programs number tags by the position of their headers: the new file lists them in
    // the same order, since each tag added takes the next header at the end of the file.
    std::sort(definitions.begin(), definitions.end(),
              [](const TagInfo& a, const TagInfo& b) { return a.headerOffset < b.headerOffset; });
    // Built beside the original and renamed over it: a crash meanwhile leaves the damaged file,
    // still marked, for the next open to try again.
    const std::string fresh = path + ".rebuild";
    std::remove(fresh.c_str());
    Status built = [&]() -> Status {
        std::unique_ptr<CdxFile> file;
        XB_RETURN_IF_ERROR(CdxFile::Create(fresh, &file));
        std::vector<std::unique_ptr<Expression>> compiled;
        std::vector<const Expression*> expressions;
        for (const TagInfo& tag : definitions) {
            compiled.emplace_back();
            Status s = Expression::Compile(tag.expression, schema(), *codePage_, &compiled.back());
            if (!s.ok())
                return Status::NotSupported(path, "tag " + tag.name + ": " + s.message());
            expressions.push_back(compiled.back().get());
        }
        Status sorted =
            SortKeysInTurn(expressions, progress, path, [&](size_t i, SortedKeys& keys) {
                const Expression& expr = *expressions[i];
                CdxTag* tag = nullptr;
                XB_RETURN_IF_ERROR(file->AddTag(
                    definitions[i].name, definitions[i].expression, expr.keyLength(),
                    expr.type() == ValueType::kCharacter ? ' ' : 0, keys.Source(), &tag));
                return keys.status();
            });
        XB_RETURN_IF_ERROR(sorted);
        file->SetStampRecords(recordCount());
        XB_RETURN_IF_ERROR(file->SetDirty(false));
        return file->file().Sync();
    }();
    if (built.ok() && std::rename(fresh.c_str(), path.c_str()) != 0)
        built = Status::IOError(path, "cannot replace the damaged index with the rebuilt one");
    if (!built.ok()) {
        // On a nearly full disk the half-built copy would hold the space the failure needs.
        std::remove(fresh.c_str());
        return built;
    }
    ++changeCount_;
    return Status::OK();
}

Status Table::Reindex(const ProgressFn& progress) {
    XB_RETURN_IF_ERROR(BeginWrite());
    Status s;
    for (auto& f : indexes_) {
        s = RebuildTags(f.get(), progress);
        if (!s.ok())
            break;
    }
    return EndWrite(s);
}

Status Table::Check(const CdxFile* index, std::vector<std::string>* report,
                    const ProgressFn& progress) {
    bool consistent = true;
    uint64_t done = 0, total = 0;
    for (auto& t : tags_)
        total += index == nullptr || t->file == index ? recordCount() : 0;
    for (auto& t : tags_) {
        if (index != nullptr && t->file != index)
            continue;
        std::string line = "tag " + t->name() + ": ";
        Status s = t->tag->Verify();
        if (!s.ok()) {
            report->push_back(line + s.ToString());
            consistent = false;
            continue;
        }
        SortedKeys expected;
        XB_RETURN_IF_ERROR(
            SortKeys(*t->expression, progress, done, total, t->file->path() + ".sort0", &expected));
        done += recordCount();
        // The tree as stored is ascending also for a descending tag.
        auto it = t->tag->NewTreeIterator();
        XB_RETURN_IF_ERROR(it->SeekFirst());
        EntrySource want = expected.Source();
        if (t->tag->info().unique)
            want = FirstOfEachKey(std::move(want), t->keyLength());
        const uint8_t* key = nullptr;
        uint32_t recno = 0;
        uint64_t i = 0;
        std::string problem;
        for (; it->Valid() && problem.empty(); ++i) {
            if (!want(&key, &recno)) {
                XB_RETURN_IF_ERROR(expected.status());
                problem = "holds more keys than the table gives";
            } else if (it->recno() != recno || std::memcmp(it->key(), key, t->keyLength()) != 0) {
                problem = "entry " + std::to_string(i + 1) + " is record " +
                          std::to_string(it->recno()) + ", the table gives record " +
                          std::to_string(recno);
            }
            XB_RETURN_IF_ERROR(it->Next());
        }
        uint64_t lacking = 0;
        while (problem.empty() && want(&key, &recno))
            ++lacking;
        XB_RETURN_IF_ERROR(expected.status());
        if (lacking != 0)
            problem = "lacks " + std::to_string(lacking) + " keys";
        if (problem.empty()) {
            report->push_back(line + "ok (" + std::to_string(i) + " keys)");
        } else {
            report->push_back(line + problem);
            consistent = false;
        }
    }
    for (const auto& file : indexes_) {
        for (CdxTag* tag : file->tags()) {
            if ((index == nullptr || file.get() == index) && !tag->info().forExpression.empty())
                report->push_back("tag " + tag->info().name + ": has a FOR condition; not used");
        }
    }
    if (!consistent)
        return Status::Corruption(index ? index->path() : path(),
                                  "the index does not match the table");
    return Status::OK();
}

}  // namespace xbase
