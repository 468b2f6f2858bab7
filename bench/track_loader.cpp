#include "track_loader.h"

#include <fstream>
#include <vector>

#include "platform/xbase/field_codec.h"
#include "platform/xbase/text_convert.h"

namespace bench {

namespace {

// Splits a CSV line without quotes (the generator writes none).
void Split(const std::string& line, std::vector<std::string>* out) {
    out->clear();
    size_t start = 0;
    for (size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
        out->push_back(line.substr(start, comma - start));
    }
    out->push_back(line.substr(start));
}

}  // namespace

xbase::Status LoadTrackCsv(const std::string& csvPath, xbase::Table* table, uint64_t* rows) {
    using xbase::Status;
    std::ifstream in(csvPath, std::ios::binary);
    if (!in)
        return Status::NotFound(csvPath, "cannot open");
    std::string line;
    std::vector<std::string> cells;
    if (!std::getline(in, line))
        return Status::InvalidArgument(csvPath, "no header row");
    Split(line, &cells);
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
    while (std::getline(in, line)) {
        Split(line, &cells);
        if (cells.size() != fields.size()) {
            return Status::InvalidArgument(
                csvPath, "row " + std::to_string(*rows + 2) + " has the wrong number of values");
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
    return table->AppendMany(batch.data(), pending);
}

}  // namespace bench
