// Record-level access to a DBF table. Only the first eight header bytes (version, date, count) are
// ever rewritten for an existing table, so that whatever else another tool keeps in its header
// (autoincrement counters, backlinks, flags) survives our writes.
#include "platform/xbase/dbf_file.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/xbase/bytes.h"

namespace xbase {

namespace {

constexpr uint8_t kEndOfFile = 0x1A;

void Today(int* year, int* month, int* day) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    *year = local.tm_year + 1900;
    *month = local.tm_mon + 1;
    *day = local.tm_mday;
}

}  // namespace

Status DbfFile::Open(const std::string& path, bool writable, std::unique_ptr<DbfFile>* out) {
    std::unique_ptr<File> file;
    XB_RETURN_IF_ERROR(
        File::Open(path, writable ? File::Mode::kReadWrite : File::Mode::kReadOnly, &file));
    uint64_t fileSize = 0;
    XB_RETURN_IF_ERROR(file->Size(&fileSize));

    uint8_t first[kTableHeaderSize];
    size_t got = 0;
    XB_RETURN_IF_ERROR(file->ReadSomeAt(0, first, sizeof first, &got));
    if (got < sizeof first) {
        return Status::Corruption(path,
                                  "table header truncated (" + std::to_string(got) + " bytes)");
    }
    // The header length is at most 65535, so this read is bounded whatever the file says.
    const uint16_t headerLength = LoadLE16(first + 8);
    std::vector<uint8_t> region(headerLength < kTableHeaderSize ? kTableHeaderSize : headerLength);
    XB_RETURN_IF_ERROR(file->ReadSomeAt(0, region.data(), region.size(), &got));

    DbfHeader header;
    XB_RETURN_IF_ERROR(ParseDbfHeader(path, region.data(), got, fileSize, &header));
    out->reset(new DbfFile(std::move(file), std::move(header)));
    return Status::OK();
}

Status DbfFile::Create(const std::string& path, const std::vector<FieldSpec>& fields,
                       uint8_t codePageMark, std::unique_ptr<DbfFile>* out) {
    DbfHeader header;
    XB_RETURN_IF_ERROR(BuildSchema(path, fields, &header.schema));
    header.version = header.hasMemoFile() ? kDbfFoxProMemo : kDbfPlain;
    Today(&header.updateYear, &header.updateMonth, &header.updateDay);
    header.recordCount = 0;
    header.codePageMark = codePageMark;
    header.recordLength = uint16_t(header.schema.recordLength());

    std::vector<uint8_t> bytes = SerializeDbfHeader(header);
    header.headerLength = uint16_t(bytes.size());
    bytes.push_back(kEndOfFile);

    std::unique_ptr<File> file;
    XB_RETURN_IF_ERROR(File::Open(path, File::Mode::kCreateNew, &file));
    XB_RETURN_IF_ERROR(file->WriteAt(0, bytes.data(), bytes.size()));
    out->reset(new DbfFile(std::move(file), std::move(header)));
    return Status::OK();
}

Status DbfFile::ReadRecord(uint32_t recno, uint8_t* buf) const {
    return ReadRecords(recno, 1, buf);
}

Status DbfFile::ReadRecords(uint32_t first, uint32_t count, uint8_t* buf) const {
    if (count == 0)
        return Status::OK();
    if (first == 0 || first > header_.recordCount || count > header_.recordCount - first + 1) {
        return Status::InvalidArgument(path(), "records " + std::to_string(first) + ".." +
                                                   std::to_string(uint64_t(first) + count - 1) +
                                                   " are outside 1.." +
                                                   std::to_string(header_.recordCount));
    }
    return file_->ReadAt(RecordOffset(first), buf, size_t(count) * header_.recordLength);
}

Status DbfFile::WriteRecord(uint32_t recno, const uint8_t* buf) {
    if (!file_->writable())
        return Status::InvalidArgument(path(), "table is open read-only");
    if (recno == 0 || recno > header_.recordCount) {
        return Status::InvalidArgument(path(), "record " + std::to_string(recno) +
                                                   " is outside 1.." +
                                                   std::to_string(header_.recordCount));
    }
    return file_->WriteAt(RecordOffset(recno), buf, header_.recordLength);
}

Status DbfFile::AppendRecord(const uint8_t* buf, uint32_t* recno) {
    if (!file_->writable())
        return Status::InvalidArgument(path(), "table is open read-only");
    if (header_.recordCount == UINT32_MAX)
        return Status::InvalidArgument(path(), "table is full");
    const uint32_t n = header_.recordCount + 1;

    // Record and end mark first: until the header says so, the new record does not exist.
    std::vector<uint8_t> bytes(buf, buf + header_.recordLength);
    bytes.push_back(kEndOfFile);
    XB_RETURN_IF_ERROR(file_->WriteAt(RecordOffset(n), bytes.data(), bytes.size()));

    header_.recordCount = n;
    Status st = WriteHeader();
    if (!st.ok()) {
        header_.recordCount = n - 1;
        return st;
    }
    *recno = n;
    return Status::OK();
}

Status DbfFile::AppendRecords(const uint8_t* bufs, uint32_t count) {
    if (!file_->writable())
        return Status::InvalidArgument(path(), "table is open read-only");
    if (count == 0)
        return Status::OK();
    if (UINT32_MAX - header_.recordCount < count)
        return Status::InvalidArgument(path(), "table is full");
    const uint32_t first = header_.recordCount + 1;
    // Written where they are: a million records are not copied once more for the end mark.
    XB_RETURN_IF_ERROR(
        file_->WriteAt(RecordOffset(first), bufs, size_t(count) * header_.recordLength));
    const uint8_t end = kEndOfFile;
    XB_RETURN_IF_ERROR(file_->WriteAt(RecordOffset(first + count), &end, 1));
    header_.recordCount += count;
    Status st = WriteHeader();
    if (!st.ok())
        header_.recordCount -= count;
    return st;
}

Status DbfFile::RefreshHeader() {
    uint8_t first[kTableHeaderSize];
    XB_RETURN_IF_ERROR(file_->ReadAt(0, first, sizeof first));
    if (first[0] != header_.version || LoadLE16(first + 8) != header_.headerLength ||
        LoadLE16(first + 10) != header_.recordLength) {
        return Status::Corruption(path(), "table header changed its layout while open");
    }
    const uint32_t count = LoadLE32(first + 4);
    uint64_t fileSize = 0;
    if (count != header_.recordCount)
        XB_RETURN_IF_ERROR(file_->Size(&fileSize));
    if (count != header_.recordCount &&
        fileSize < uint64_t(header_.headerLength) + uint64_t(count) * header_.recordLength) {
        const uint64_t holds = (fileSize - header_.headerLength) / header_.recordLength;
        return Status::Corruption(path(), "truncated: header says " + std::to_string(count) +
                                              " records, file holds " + std::to_string(holds));
    }
    header_.recordCount = count;
    header_.updateYear = first[1] < 80 ? 2000 + first[1] : 1900 + first[1];
    header_.updateMonth = first[2];
    header_.updateDay = first[3];
    return Status::OK();
}

Status DbfFile::TruncateRecords(uint32_t count) {
    if (!file_->writable())
        return Status::InvalidArgument(path(), "table is open read-only");
    if (count > header_.recordCount) {
        return Status::InvalidArgument(path(), "cannot keep " + std::to_string(count) + " of " +
                                                   std::to_string(header_.recordCount) +
                                                   " records");
    }
    const uint32_t old = header_.recordCount;
    header_.recordCount = count;
    Status st = WriteHeader();
    if (!st.ok()) {
        header_.recordCount = old;
        return st;
    }
    const uint64_t end = uint64_t(header_.headerLength) + uint64_t(count) * header_.recordLength;
    XB_RETURN_IF_ERROR(file_->WriteAt(end, &kEndOfFile, 1));
    return file_->Truncate(end + 1);
}

Status DbfFile::WriteHeader() {
    if (!file_->writable())
        return Status::InvalidArgument(path(), "table is open read-only");
    Today(&header_.updateYear, &header_.updateMonth, &header_.updateDay);
    uint8_t bytes[7];
    const int yy = header_.updateYear - 1900;
    bytes[0] = uint8_t(yy < 0 ? 0 : (yy > 255 ? 255 : yy));
    bytes[1] = uint8_t(header_.updateMonth);
    bytes[2] = uint8_t(header_.updateDay);
    StoreLE32(bytes + 3, header_.recordCount);
    return file_->WriteAt(1, bytes, sizeof bytes);
}

Status DbfFile::WholeRecords(uint32_t* count) const {
    uint64_t size = 0;
    XB_RETURN_IF_ERROR(file_->Size(&size));
    const uint64_t whole =
        size > header_.headerLength ? (size - header_.headerLength) / header_.recordLength : 0;
    *count = uint32_t(std::min<uint64_t>(whole, UINT32_MAX));
    return Status::OK();
}

Status DbfFile::RecountFromFile() {
    uint32_t whole = 0;
    XB_RETURN_IF_ERROR(WholeRecords(&whole));
    const uint32_t old = header_.recordCount;
    header_.recordCount = whole;
    Status st = WriteHeader();
    if (!st.ok())
        header_.recordCount = old;
    return st;
}

namespace {
constexpr uint64_t kLagMarkOffset = 24;
constexpr uint8_t kLagMarkSet[4] = {'T', 'N', 'L', 1};
}  // namespace

Status DbfFile::ReadLagMark(bool* set) const {
    uint8_t b[4];
    XB_RETURN_IF_ERROR(file_->ReadAt(kLagMarkOffset, b, sizeof b));
    *set = std::memcmp(b, kLagMarkSet, sizeof b) == 0;
    return Status::OK();
}

Status DbfFile::WriteLagMark(bool set, bool sync) {
    uint8_t b[4] = {};
    if (set)
        std::memcpy(b, kLagMarkSet, sizeof b);
    XB_RETURN_IF_ERROR(file_->WriteAt(kLagMarkOffset, b, sizeof b));
    return sync ? file_->Sync() : Status::OK();
}

}  // namespace xbase
