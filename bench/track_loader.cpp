#include "track_loader.h"

#include <fstream>
#include <vector>

#include "platform/xbase/csv/csv_reader.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/text_convert.h"

namespace bench {

xbase::Status LoadTrackCsv(const std::string& csvPath, xbase::Table* table, uint64_t* rows) {
    using xbase::Status;
    std::ifstream in(csvPath, std::ios::binary);
    if (!in)
        return Status::NotFound(csvPath, "cannot open");
    xbase::CsvReader reader(in);
    std::vector<std::string> cells;
    std::string error;
    if (!reader.Next(&cells, &error))
        return Status::InvalidArgument(csvPath,
                                       error.empty() ? "no header row" : "line 1: " + error);
    std::vector<const xbase::FieldDef*> fields;
    for (const std::string& name : cells) {
        int f = table->schema().Find(name);
        if (f < 0)
            return Status::InvalidArgument(csvPath, "the table has no field " + name);
        fields.push_back(&table->schema()[size_t(f)]);
    }
    const uint32_t length = table->recordLength();
    std::vector<uint8_t> blank(length, ' ');
    for (const xbase::FieldDef& f : table->schema().fields())
        xbase::SetBlank(blank.data(), f);
    constexpr uint32_t kBatch = 8192;
    std::vector<uint8_t> batch;
    batch.reserve(size_t(kBatch) * length);
    std::string bytes;
    *rows = 0;
    uint32_t pending = 0;
    while (reader.Next(&cells, &error)) {
        if (cells.size() != fields.size()) {
            return Status::InvalidArgument(csvPath, "line " + std::to_string(reader.line()) +
                                                        " has the wrong number of values");
        }
        size_t at = batch.size();
        batch.insert(batch.end(), blank.begin(), blank.end());
        for (size_t i = 0; i < cells.size(); ++i) {
            if (cells[i].empty())
                continue;
            XB_RETURN_IF_ERROR(xbase::FromUtf8(table->codePage(), cells[i], &bytes));
            XB_RETURN_IF_ERROR(xbase::SetText(batch.data() + at, *fields[i], bytes));
        }
        ++*rows;
        if (++pending == kBatch) {
            XB_RETURN_IF_ERROR(table->AppendMany(batch.data(), pending));
            batch.clear();
            pending = 0;
        }
    }
    if (!error.empty())
        return Status::InvalidArgument(csvPath,
                                       "line " + std::to_string(reader.line()) + ": " + error);
    return table->AppendMany(batch.data(), pending);
}

}  // namespace bench
