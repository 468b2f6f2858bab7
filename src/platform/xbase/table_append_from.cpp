// Appending the records of another table, field by field of the same name: how catalogues of
// earlier program generations and other xBase software are taken over.
#include <cmath>

#include "platform/xbase/field_codec.h"
#include "platform/xbase/table.h"
#include "platform/xbase/text_convert.h"

namespace xbase {

namespace {

bool IsNumericType(char t) {
    return t == 'N' || t == 'F' || t == 'I' || t == 'B' || t == 'Y';
}

// Copies one value from a source record into a target record, converting by type.
Status CopyValue(const Table& source, const uint8_t* from, const FieldDef& sf,
                 const CodePage& targetPage, uint8_t* to, const FieldDef& tf) {
    if (IsNumericType(sf.type) && IsNumericType(tf.type)) {
        std::string_view raw = FieldBytes(from, sf);
        if ((sf.type == 'N' || sf.type == 'F') &&
            raw.find_first_not_of(' ') == std::string_view::npos) {
            SetBlank(to, tf);
            return Status::OK();
        }
        return SetNumber(to, tf, GetNumber(from, sf));
    }
    if (sf.type == 'D' && tf.type == 'D')
        return SetDate(to, tf, GetDate(from, sf));
    if (sf.type == 'L' && tf.type == 'L') {
        std::string_view raw = FieldBytes(from, sf);
        if (raw == " " || raw == "?") {
            SetBlank(to, tf);
            return Status::OK();
        }
        return SetLogical(to, tf, GetLogical(from, sf));
    }
    std::string text = ConvertCodePage(source.codePage(), targetPage, GetText(from, sf));
    if (tf.type == 'C') {
        // Taken over as the target field declares it: a longer source text keeps what fits.
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        if (text.size() > tf.length)
            text.resize(tf.length);
    }
    return SetText(to, tf, text);
}

}  // namespace

Status Table::AppendFrom(const std::string& sourcePath, const ProgressFn& progress) {
    std::unique_ptr<Table> source;
    Options options;
    options.readOnly = true;
    XB_RETURN_IF_ERROR(Table::Open(sourcePath, options, &source));

    // Field pairs by name; fields only one side has are left out (targets stay blank).
    std::vector<std::pair<int, int>> pairs;
    for (size_t i = 0; i < schema().size(); ++i) {
        int s = source->schema().Find(schema()[i].name);
        if (s >= 0)
            pairs.emplace_back(s, int(i));
    }

    XB_RETURN_IF_ERROR(BeginWrite());
    Status result = [&]() -> Status {
        const uint32_t total = source->recordCount();
        // A large import rebuilds the tags once at the end instead of inserting key by key.
        const bool rebuild = !tags_.empty() && total > 1000;
        std::vector<std::unique_ptr<OpenTag>> detached;
        if (rebuild) {
            XB_RETURN_IF_ERROR(SetIndexesDirty(true));
            detached = std::move(tags_);
            tags_.clear();
        }
        std::vector<uint8_t> record(recordLength());
        std::string memo;
        Status failure;
        Status scan = source->ScanRecords(1, [&](uint32_t recno, const uint8_t* from) {
            if (progress && (recno & 0x3FF) == 0)
                progress(recno, uint64_t(total) * 2);
            if (from[0] == '*')
                return true;
            record.assign(recordLength(), ' ');
            for (const FieldDef& f : schema().fields())
                SetBlank(record.data(), f);
            MemoTexts memos;
            for (auto [s, t] : pairs) {
                const FieldDef& sf = source->schema()[size_t(s)];
                const FieldDef& tf = schema()[size_t(t)];
                if (tf.type == 'M') {
                    if (sf.type == 'M') {
                        failure = source->ReadMemo(from, s, &memo);
                        memo = ConvertCodePage(source->codePage(), *codePage_, memo);
                    } else {
                        memo = ConvertCodePage(source->codePage(), *codePage_, GetText(from, sf));
                    }
                    if (!memo.empty())
                        memos[t] = memo;
                } else if (sf.type != 'M') {
                    failure = CopyValue(*source, from, sf, *codePage_, record.data(), tf);
                }
                if (!failure.ok()) {
                    failure = Status::InvalidArgument(
                        source->path(), "record " + std::to_string(recno) + ", field " + sf.name +
                                            ": " + failure.message());
                    return false;
                }
            }
            uint32_t appended = 0;
            failure = Append(record.data(), memos, &appended);
            return failure.ok();
        });
        if (failure.ok())
            failure = scan;
        if (rebuild) {
            // Even after a failure: the records appended so far must be in the tags.
            tags_ = std::move(detached);
            for (auto& f : indexes_)
                XB_RETURN_IF_ERROR(RebuildTags(f.get(), progress));
        }
        return failure;
    }();
    return EndWrite(result);
}

}  // namespace xbase
