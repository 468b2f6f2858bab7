// Parsing and writing the DBF header region. The parser is written for files from anywhere: every
// length, count and name is checked before it is used, and field offsets are recomputed from the
// widths rather than taken from the descriptors.
#include "platform/xbase/dbf_header.h"

#include <cstdio>
#include <cstring>

#include "platform/xbase/bytes.h"

namespace xbase {

namespace {

constexpr size_t kDescriptorSize = 32;
constexpr size_t kBacklinkSize = 263;
constexpr uint8_t kTerminator = 0x0D;

std::string Hex(uint8_t v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", v);
    return buf;
}

// Whether `version` names a table layout we can read.
bool KnownVersion(uint8_t version) {
    switch (version) {
        case kDbfPlain:
        case kDbfVisualFoxPro:
        case kDbfVisualFoxProAuto:
        case kDbfVisualFoxProVar:
        case kDbfDBase3Memo:
        case kDbfFoxProMemo:
        case kDbfDBase4Memo:
        case kDbfFoxBaseMemo:
        case kDbfDBase4Sql:
        case kDbfDBase4SqlSystem:
            return true;
        default:
            return false;
    }
}

// Checks the width (and decimals) a descriptor gives its type; empty when sound.
std::string CheckWidth(char type, uint8_t length, uint8_t decimals) {
    bool ok = true;
    switch (type) {
        case 'C':
        case 'Q':
        case 'V':
        case 'W':
        case '0':
            ok = length >= 1;
            break;
        case 'N':
        case 'F':
            ok = length >= 1 && length <= 20 && decimals < length;
            break;
        case 'D':
            ok = length == 8;
            break;
        case 'L':
            ok = length == 1;
            break;
        case 'M':
        case 'G':
        case 'P':
            ok = length == 10 || length == 4;
            break;
        case 'B':
            ok = length == 8 || length == 10;
            break;
        case 'I':
            ok = length == 4;
            break;
        case 'Y':
        case 'T':
            ok = length == 8;
            break;
        default:
            return "has unknown type " + Hex(uint8_t(type));
    }
    if (ok)
        return {};
    return "of type " + std::string(1, type) + " has impossible width " + std::to_string(length) +
           "," + std::to_string(decimals);
}

// Reads one descriptor's name: NUL-terminated within its 11 bytes, printable, stored upper case.
bool ParseName(const uint8_t* p, std::string* name) {
    const void* nul = std::memchr(p, 0, 11);
    if (nul == nullptr)
        return false;
    size_t n = size_t(static_cast<const uint8_t*>(nul) - p);
    if (n == 0)
        return false;
    name->clear();
    for (size_t i = 0; i < n; ++i) {
        uint8_t c = p[i];
        if (c <= 0x20 || c == 0x7F)
            return false;
        if (c >= 'a' && c <= 'z')
            c = uint8_t(c - 32);
        name->push_back(char(c));
    }
    return true;
}

}  // namespace

bool DbfHeader::hasMemoFile() const {
    for (const FieldDef& f : schema.fields()) {
        if (f.type == 'M' || f.type == 'G' || f.type == 'P' || (f.type == 'B' && f.length == 10))
            return true;
    }
    return false;
}

Status ParseDbfHeader(const std::string& fileName, const uint8_t* data, size_t size,
                      uint64_t fileSize, DbfHeader* out) {
    auto bad = [&](const std::string& msg) { return Status::Corruption(fileName, msg); };
    if (size < kTableHeaderSize)
        return bad("table header truncated (" + std::to_string(size) + " bytes)");

    DbfHeader h;
    h.version = data[0];
    if (!KnownVersion(h.version))
        return bad("not a table of a known kind (version byte " + Hex(h.version) + ")");
    // Years since 1900 by the book; some writers store two digits, which read as 20xx.
    h.updateYear = data[1] < 80 ? 2000 + data[1] : 1900 + data[1];
    h.updateMonth = data[2];
    h.updateDay = data[3];
    h.recordCount = LoadLE32(data + 4);
    h.headerLength = LoadLE16(data + 8);
    h.recordLength = LoadLE16(data + 10);
    h.tableFlags = data[28];
    h.codePageMark = data[29];

    const size_t extra = h.isVisualFoxPro() ? kBacklinkSize : 0;
    if (h.headerLength < kTableHeaderSize + 1 + extra) {
        return bad("header length " + std::to_string(h.headerLength) + " is too small");
    }
    if (size < h.headerLength || fileSize < h.headerLength) {
        return bad("header truncated: it should take " + std::to_string(h.headerLength) + " bytes");
    }

    // Descriptors run up to the terminator, which must leave room for the backlink area.
    std::vector<FieldDef> fields;
    uint32_t offset = 1;
    size_t pos = kTableHeaderSize;
    for (;;) {
        if (pos >= h.headerLength)
            return bad("field descriptors have no terminator");
        if (data[pos] == kTerminator)
            break;
        if (pos + kDescriptorSize > h.headerLength)
            return bad("field descriptors have no terminator");
        const uint8_t* d = data + pos;
        const std::string ordinal = "field " + std::to_string(fields.size() + 1);
        FieldDef f;
        if (!ParseName(d, &f.name))
            return bad(ordinal + " has no valid name");
        f.type = char(d[11]);
        f.length = d[16];
        f.decimals = d[17];
        f.flags = d[18];
        std::string widthFault = CheckWidth(f.type, f.length, f.decimals);
        if (!widthFault.empty())
            return bad(ordinal + " (" + f.name + ") " + widthFault);
        for (const FieldDef& g : fields) {
            if (g.name == f.name)
                return bad("field name " + f.name + " appears twice");
        }
        f.offset = offset;
        offset += f.length;
        fields.push_back(std::move(f));
        pos += kDescriptorSize;
    }
    if (fields.empty())
        return bad("table has no fields");
    if (pos + 1 + extra > h.headerLength) {
        return bad("header length " + std::to_string(h.headerLength) +
                   " leaves no room for the backlink area");
    }
    if (h.recordLength != offset) {
        return bad("record length " + std::to_string(h.recordLength) +
                   " does not match the fields (" + std::to_string(offset) + " bytes)");
    }

    const uint64_t needed = uint64_t(h.headerLength) + uint64_t(h.recordCount) * h.recordLength;
    if (fileSize < needed) {
        const uint64_t holds = (fileSize - h.headerLength) / h.recordLength;
        return bad("truncated: header says " + std::to_string(h.recordCount) +
                   " records, file holds " + std::to_string(holds));
    }
    h.schema = Schema(std::move(fields));
    *out = std::move(h);
    return Status::OK();
}

std::vector<uint8_t> SerializeDbfHeader(const DbfHeader& header) {
    const auto& fields = header.schema.fields();
    size_t length = kTableHeaderSize + kDescriptorSize * fields.size() + 1;
    if (header.isVisualFoxPro())
        length += kBacklinkSize;
    if (header.headerLength > length)
        length = header.headerLength;

    std::vector<uint8_t> out(length, 0);
    uint8_t* p = out.data();
    p[0] = header.version;
    int yy = header.updateYear - 1900;
    p[1] = uint8_t(yy < 0 ? 0 : (yy > 255 ? 255 : yy));
    p[2] = uint8_t(header.updateMonth);
    p[3] = uint8_t(header.updateDay);
    StoreLE32(p + 4, header.recordCount);
    StoreLE16(p + 8, uint16_t(length));
    StoreLE16(p + 10, uint16_t(header.schema.recordLength()));
    p[28] = header.tableFlags;
    p[29] = header.codePageMark;

    uint8_t* d = p + kTableHeaderSize;
    for (const FieldDef& f : fields) {
        std::memcpy(d, f.name.data(), f.name.size() < 10 ? f.name.size() : 10);
        d[11] = uint8_t(f.type);
        StoreLE32(d + 12, f.offset);
        d[16] = f.length;
        d[17] = f.decimals;
        d[18] = f.flags;
        d += kDescriptorSize;
    }
    *d = kTerminator;
    return out;
}

}  // namespace xbase
