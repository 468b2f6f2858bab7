// A DBF table file: its header and its fixed-length records, numbered from 1.
//
// Appending writes the record and the end-of-file mark first and the header's record count last,
// so a crash between the two loses only the record being appended.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/xbase/dbf_header.h"
#include "platform/xbase/file.h"
#include "platform/xbase/status.h"

namespace xbase {

class DbfFile {
public:
    // Opens an existing table. Reads and validates the header; Corruption names the fault.
    static Status Open(const std::string& path, bool writable, std::unique_ptr<DbfFile>* out);
    // Creates a new FoxPro 2.x table (version 0x03, or 0xF5 when a field is a memo) with the given
    // code page mark. Fails when the file exists.
    static Status Create(const std::string& path, const std::vector<FieldSpec>& fields,
                         uint8_t codePageMark, std::unique_ptr<DbfFile>* out);

    const std::string& path() const { return file_->path(); }
    const DbfHeader& header() const { return header_; }
    const Schema& schema() const { return header_.schema; }
    uint32_t recordCount() const { return header_.recordCount; }
    uint32_t recordLength() const { return header_.recordLength; }
    File& file() { return *file_; }

    // Reads record `recno` (1..recordCount) into buf (recordLength bytes).
    Status ReadRecord(uint32_t recno, uint8_t* buf) const;
    // Reads `count` consecutive records starting at `first` into buf (count * recordLength bytes).
    Status ReadRecords(uint32_t first, uint32_t count, uint8_t* buf) const;
    Status WriteRecord(uint32_t recno, const uint8_t* buf);
    // Appends a record; *recno receives its number. Updates count and last-update date.
    Status AppendRecord(const uint8_t* buf, uint32_t* recno);
    // Appends `count` records (count * recordLength bytes) in one write, then the header.
    Status AppendRecords(const uint8_t* bufs, uint32_t count);
    // Re-reads the record count from disk (another process may have appended).
    Status RefreshHeader();
    // Keeps only the first `count` records (used by pack), rewriting the end mark and header.
    Status TruncateRecords(uint32_t count);
    // Writes the header (count, last-update date = today).
    Status WriteHeader();
    // The whole records the file holds after the header, counted or not.
    Status WholeRecords(uint32_t* count) const;
    // Sets the header's count to WholeRecords (a repair of a count found too low).
    Status RecountFromFile();
    // Our mark in header bytes 24..27 ("TNL" and 1) that the index files may lag the table:
    // set, and put on the disk, before the first change of a session, cleared once the index files
    // are synced at its end. Found set at open, it means a session ended without that.
    Status ReadLagMark(bool* set) const;
    Status WriteLagMark(bool set, bool sync);

private:
    DbfFile(std::unique_ptr<File> file, DbfHeader header)
        : file_(std::move(file)), header_(std::move(header)) {}
    uint64_t RecordOffset(uint32_t recno) const {
        return uint64_t(header_.headerLength) + uint64_t(recno - 1) * header_.recordLength;
    }

    std::unique_ptr<File> file_;
    DbfHeader header_;
};

}  // namespace xbase
