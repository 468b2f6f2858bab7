// TableReportSource: the records of a report read from a catalogue table with a cursor of its
// own, so that drawing a page never moves the record the screens stand on. It starts at the
// table's current record in the table's current order and yields, for each record it prints,
// the values of the columns it was given, looked up by field name once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/report/report_source.h"
#include "platform/xbase/cursor.h"

class TTable;

namespace xbase {
struct FieldDef;
}

// What a report prints of each record, and which records.
struct RecordSelection {
    // One entry per printed value; several field names are a time: their numbers in at least
    // two digits joined with ":" ("3", "3" prints "03:03"), or nothing when all are blank. A
    // name the table lacks prints empty.
    std::vector<std::vector<std::string>> values;
    std::uint64_t count = 0;   // the report ends after this many lines; 0: at the table's end
    std::string carrier;       // only records whose DRAGER is this carrier; empty for all
    std::string required;      // only records whose field of this name is not blank
    std::string amount;        // the field summed into the report's total; empty for none
    std::optional<int> order;  // the order to walk in; the table's own when not given
    bool fromTop = false;      // from the first record of the order instead of the current one
};

class TableReportSource : public report::ReportSource {
public:
    // `table` must be open and outlive the source. Throws TableError when the table cannot be
    // walked in its order.
    TableReportSource(TTable& table, RecordSelection records);
    ~TableReportSource() override;

    // The names of `records.values` (and the carrier, required and amount fields) that name no
    // field of the table.
    const std::vector<std::string>& missingFields() const { return missing_; }

    // The record number and the lines printed so far, packed; the end is record number 0.
    std::uint64_t Position() override;
    void Seek(std::uint64_t position) override;
    bool Next(report::ReportRecord* record) override;
    bool Skip(double* amount) override;
    tunelo::Status status() const override { return status_; }

private:
    const xbase::FieldDef* Find(const std::string& name);
    // Moves to the next record that prints, from the current one on; false at the end.
    bool Advance();
    bool Failed(const tunelo::Status& status);
    std::string Text(const xbase::FieldDef* field) const;

    TTable& table_;
    RecordSelection records_;
    xbase::Cursor cursor_;
    std::vector<std::vector<const xbase::FieldDef*>> columns_;
    const xbase::FieldDef* carrier_ = nullptr;
    const xbase::FieldDef* required_ = nullptr;
    const xbase::FieldDef* amount_ = nullptr;
    std::string carrierKey_;
    std::vector<std::string> missing_;
    std::uint64_t printed_ = 0;
    tunelo::Status status_;
};
