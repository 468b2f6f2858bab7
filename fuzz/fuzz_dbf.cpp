// Feeds arbitrary bytes to the table reader as a whole DBF file: the header parser in memory, then
// the same bytes on disk through DbfFile, and every field of the first records through the codec
// (getters, and each value written back through its setter). Nothing may crash, hang or allocate
// beyond the input.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/xbase/dbf_file.h"
#include "platform/xbase/field_codec.h"

namespace {

void ExerciseRecord(const xbase::Schema& schema, const uint8_t* record) {
    std::vector<uint8_t> copy(record, record + schema.recordLength());
    for (const xbase::FieldDef& f : schema.fields()) {
        std::string text = xbase::GetText(record, f);
        double number = xbase::GetNumber(record, f);
        xbase::Date date = xbase::GetDate(record, f);
        bool logical = xbase::GetLogical(record, f);
        (void)xbase::GetMemoBlock(record, f);
        (void)xbase::SetText(copy.data(), f, text);
        (void)xbase::SetNumber(copy.data(), f, number);
        (void)xbase::SetDate(copy.data(), f, date);
        (void)xbase::SetLogical(copy.data(), f, logical);
        xbase::SetMemoBlock(copy.data(), f, 12345);
        xbase::SetBlank(copy.data(), f);
    }
}

std::string TempPath() {
    static const std::string path = "/tmp/fuzz_dbf." + std::to_string(getpid()) + ".dbf";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    xbase::DbfHeader header;
    if (xbase::ParseDbfHeader("fuzz.dbf", data, size, size, &header).ok()) {
        const uint32_t shown = header.recordCount < 50 ? header.recordCount : 50;
        for (uint32_t i = 0; i < shown; ++i) {
            ExerciseRecord(header.schema,
                           data + header.headerLength + size_t(i) * header.recordLength);
        }
        std::vector<uint8_t> again = xbase::SerializeDbfHeader(header);
        xbase::DbfHeader reparsed;
        (void)xbase::ParseDbfHeader("again.dbf", again.data(), again.size(), again.size(),
                                    &reparsed);
    }

    const std::string path = TempPath();
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    std::unique_ptr<xbase::DbfFile> table;
    if (xbase::DbfFile::Open(path, true, &table).ok()) {
        std::vector<uint8_t> buf(table->recordLength());
        const uint32_t shown = table->recordCount() < 20 ? table->recordCount() : 20;
        for (uint32_t r = 1; r <= shown; ++r) {
            if (table->ReadRecord(r, buf.data()).ok())
                ExerciseRecord(table->schema(), buf.data());
        }
        uint32_t recno = 0;
        (void)table->AppendRecord(buf.data(), &recno);
        (void)table->RefreshHeader();
        (void)table->TruncateRecords(table->recordCount() / 2);
    }
    return 0;
}
