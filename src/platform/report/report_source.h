// ReportSource: the records of a report, streamed one at a time. The engine never keeps them:
// it reads them once to count the pages, noting the source's Position() at the first record of
// each page, and later renders a page by Seek()ing back to that position.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "platform/common/status.h"

namespace report {

struct ReportRecord {
    std::vector<QString> values;  // by BandItem::field; a missing index prints empty
    double amount = 0;            // added to the report's running sum
};

class ReportSource {
public:
    virtual ~ReportSource() = default;

    // A token for the record the next Next() returns, cheap to take (a record number, a row).
    virtual std::uint64_t Position() = 0;
    // Makes the next Next() return the record that Position() named.
    virtual void Seek(std::uint64_t position) = 0;
    // Fills `record` with the next record and moves past it; false at the end or on a fault.
    virtual bool Next(ReportRecord* record) = 0;
    // Moves past the next record giving only its amount (the counting pass); false at the end.
    // Sources that can skip without building the texts override it.
    virtual bool Skip(double* amount) {
        ReportRecord record;
        if (!Next(&record))
            return false;
        *amount = record.amount;
        return true;
    }
    // Why Next() or Skip() returned false early; OK at a plain end.
    virtual tunelo::Status status() const { return tunelo::Status::OK(); }
};

}  // namespace report
