// The DBF file header: the 32-byte table header, the field descriptors, the terminator and, for
// Visual FoxPro tables, the 263-byte backlink area. Parsing trusts nothing it reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/xbase/field.h"
#include "platform/xbase/status.h"

namespace xbase {

// The fixed part of a table header, before the field descriptors.
constexpr size_t kTableHeaderSize = 32;

// Version bytes of the table kinds we read; we write kDbfPlain and kDbfFoxProMemo.
constexpr uint8_t kDbfPlain = 0x03;         // FoxBase / dBase III, no memo
constexpr uint8_t kDbfVisualFoxPro = 0x30;  // Visual FoxPro
constexpr uint8_t kDbfVisualFoxProAuto = 0x31;
constexpr uint8_t kDbfDBase3Memo = 0x83;  // dBase III with a .dbt memo file
constexpr uint8_t kDbfFoxProMemo = 0xF5;  // FoxPro 2.x with an .fpt memo file
// Read as well when the rest of the header is sound.
constexpr uint8_t kDbfVisualFoxProVar = 0x32;  // Visual FoxPro with varchar fields
constexpr uint8_t kDbfDBase4Memo = 0x8B;       // dBase IV with a .dbt memo file
constexpr uint8_t kDbfFoxBaseMemo = 0xFB;      // FoxBASE with memo
constexpr uint8_t kDbfDBase4Sql = 0x43;        // dBase IV SQL table
constexpr uint8_t kDbfDBase4SqlSystem = 0x63;  // dBase IV SQL system table

struct DbfHeader {
    uint8_t version = kDbfPlain;
    int updateYear = 1900, updateMonth = 1, updateDay = 1;
    uint32_t recordCount = 0;
    uint16_t headerLength = 0;
    uint16_t recordLength = 0;
    uint8_t tableFlags = 0;
    uint8_t codePageMark = 0;
    Schema schema;

    bool isVisualFoxPro() const {
        return version == kDbfVisualFoxPro || version == kDbfVisualFoxProAuto ||
               version == kDbfVisualFoxProVar;
    }
    bool hasMemoFile() const;  // some field keeps its text in the memo file
};

// What a new table's field is declared as.
struct FieldSpec {
    std::string name;
    char type = 'C';
    int length = 0;  // wider than the format holds, so that a bad width is refused, not wrapped
    int decimals = 0;
};

// Parses the whole header region `data` (at least 32 bytes; the caller reads headerLength bytes
// once the first 32 are known). `fileSize` lets the parser check the record count against the
// file. Every failure is Corruption naming `fileName` and the fault.
Status ParseDbfHeader(const std::string& fileName, const uint8_t* data, size_t size,
                      uint64_t fileSize, DbfHeader* out);

// The header bytes for `header` (its headerLength bytes). Field offsets come from the schema.
std::vector<uint8_t> SerializeDbfHeader(const DbfHeader& header);

// Validates field specs (names: letters, digits, '_', starting with a letter, at most 10, unique;
// types C N F D L M; sane widths) and lays them out. Memo fields take 10 bytes.
Status BuildSchema(const std::string& fileName, const std::vector<FieldSpec>& specs, Schema* out);

}  // namespace xbase
