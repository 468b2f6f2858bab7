// Compiles arbitrary text as an xBase expression against a small table and, when it compiles,
// evaluates it on a record made of the input's other bytes. Input: the first byte picks the
// code page, the next recordLength bytes are the record, the rest is the expression text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/xbase/expression.h"

namespace {

const xbase::Schema& TestSchema() {
    static const xbase::Schema schema = [] {
        std::vector<xbase::FieldDef> defs = {
            {"NAAM", 'C', 0, 12, 0, 0},  {"CODE", 'C', 0, 3, 0, 0},     {"PRIJS", 'N', 0, 8, 2, 0},
            {"JAAR", 'N', 0, 4, 0, 0},   {"GEWICHT", 'F', 0, 10, 3, 0}, {"DATUM", 'D', 0, 8, 0, 0},
            {"CD", 'L', 0, 1, 0, 0},     {"AANTAL", 'I', 0, 4, 0, 0},   {"KOERS", 'B', 0, 8, 0, 0},
            {"WAARDE", 'Y', 0, 8, 0, 0}, {"MEMO", 'M', 0, 10, 0, 0},
        };
        uint32_t offset = 1;
        for (xbase::FieldDef& f : defs) {
            f.offset = offset;
            offset += f.length;
        }
        return xbase::Schema(defs);
    }();
    return schema;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const xbase::Schema& schema = TestSchema();
    const size_t recordLength = schema.recordLength();
    if (size < 1 + recordLength)
        return 0;
    const xbase::CodePage& codePage = xbase::CodePage::ForMark(data[0] % 5);
    // Exactly sized heap copies, so that any read or write past the end is caught.
    std::unique_ptr<uint8_t[]> record(new uint8_t[recordLength]);
    for (size_t i = 0; i < recordLength; ++i)
        record[i] = data[1 + i];
    const std::string_view text(reinterpret_cast<const char*>(data + 1 + recordLength),
                                size - 1 - recordLength);

    std::unique_ptr<xbase::Expression> e;
    const xbase::Status s = xbase::Expression::Compile(text, schema, codePage, &e);
    if (!s.ok()) {
        if (e != nullptr || s.message().empty())
            abort();
        return 0;
    }
    if (e == nullptr || e->text() != text)
        abort();
    const uint16_t keyLength = e->keyLength();
    switch (e->type()) {
        case xbase::ValueType::kNumeric:
        case xbase::ValueType::kDate:
            if (keyLength != 8)
                abort();
            break;
        case xbase::ValueType::kLogical:
            if (keyLength != 1)
                abort();
            break;
        case xbase::ValueType::kCharacter:
            break;
    }
    std::unique_ptr<uint8_t[]> key(new uint8_t[keyLength + 1]);
    e->EvaluateKey(record.get(), key.get() + 1);
    const bool truth = e->EvaluateBool(record.get());
    if (e->type() == xbase::ValueType::kLogical && key[1] != (truth ? 'T' : 'F'))
        abort();
    // Evaluation is a pure function of the record.
    std::unique_ptr<uint8_t[]> again(new uint8_t[keyLength + 1]);
    e->EvaluateKey(record.get(), again.get() + 1);
    for (size_t i = 1; i <= keyLength; ++i) {
        if (key[i] != again[i])
            abort();
    }
    return 0;
}
