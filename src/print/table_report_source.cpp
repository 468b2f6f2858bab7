#include "print/table_report_source.h"

#include <algorithm>

#include "base/text.h"
#include "platform/xbase/field_codec.h"
#include "shell/table_text.h"
#include "store/source_key.h"
#include "store/table_component.h"
#include "store/table_error.h"

namespace {

void ThrowIfFailed(const tunelo::Status& status) {
    if (!status.ok())
        throw TableError(status);
}

}  // namespace

TableReportSource::TableReportSource(TTable& table, RecordSelection records)
    : table_(table), records_(std::move(records)), cursor_(&table.table()) {
    const xbase::Cursor& shared = table.cursor();
    cursor_.SetShowDeleted(shared.showDeleted());
    ThrowIfFailed(cursor_.SetFilter(shared.filter()));
    const std::string order = records_.order
                                  ? (*records_.order == 0 ? "" : std::to_string(*records_.order))
                                  : (shared.order() ? shared.order()->name() : "");
    ThrowIfFailed(cursor_.SetOrder(order));
    if (records_.fromTop) {
        ThrowIfFailed(cursor_.GoTop());
    } else if (shared.Eof()) {
        ThrowIfFailed(cursor_.GoBottom());
        ThrowIfFailed(cursor_.Skip(1));
    } else {
        ThrowIfFailed(cursor_.Go(shared.RecNo()));
    }

    for (const std::vector<std::string>& names : records_.values) {
        std::vector<const xbase::FieldDef*> fields;
        for (const std::string& name : names)
            fields.push_back(Find(name));
        columns_.push_back(std::move(fields));
    }
    if (!records_.carrier.empty()) {
        carrier_ = Find("DRAGER");
        carrierKey_ = PadRight(UpperCase(Trim(records_.carrier)), kCarrierWidth);
    }
    if (!records_.required.empty())
        required_ = Find(records_.required);
    if (!records_.amount.empty())
        amount_ = Find(records_.amount);
}

TableReportSource::~TableReportSource() = default;

const xbase::FieldDef* TableReportSource::Find(const std::string& name) {
    const xbase::Schema& schema = table_.table().schema();
    const int index = name.empty() ? -1 : schema.Find(name);
    if (index >= 0)
        return &schema[size_t(index)];
    if (!name.empty() && std::find(missing_.begin(), missing_.end(), name) == missing_.end())
        missing_.push_back(name);
    return nullptr;
}

std::uint64_t TableReportSource::Position() {
    const std::uint64_t recno = cursor_.Eof() ? 0 : cursor_.RecNo();
    return recno << 32 | (printed_ & 0xffffffffu);
}

void TableReportSource::Seek(std::uint64_t position) {
    const auto recno = uint32_t(position >> 32);
    printed_ = position & 0xffffffffu;
    if (recno == 0) {
        if (!Failed(cursor_.GoBottom()))
            Failed(cursor_.Skip(1));
    } else {
        Failed(cursor_.Go(recno));
    }
}

bool TableReportSource::Failed(const tunelo::Status& status) {
    if (!status.ok())
        status_ = status;
    return !status.ok();
}

bool TableReportSource::Advance() {
    if (!status_.ok() || (records_.count != 0 && printed_ >= records_.count))
        return false;
    // A record the filter leaves out is stepped over here, so that it never counts as printed.
    while (!cursor_.Eof()) {
        const uint8_t* record = cursor_.record();
        const bool carrierMatches =
            carrierKey_.empty() ||
            (carrier_ != nullptr && PadRight(UpperCase(Trim(xbase::GetText(record, *carrier_))),
                                             kCarrierWidth) == carrierKey_);
        const bool hasRequired =
            records_.required.empty() ||
            (required_ != nullptr && !IsBlank(xbase::GetText(record, *required_)));
        if (carrierMatches && hasRequired)
            return true;
        if (Failed(cursor_.Skip(1)))
            return false;
    }
    return false;
}

bool TableReportSource::Skip(double* amount) {
    if (!Advance())
        return false;
    *amount = amount_ != nullptr ? xbase::GetNumber(cursor_.record(), *amount_) : 0;
    ++printed_;
    Failed(cursor_.Skip(1));
    return true;
}

std::string TableReportSource::Text(const xbase::FieldDef* field) const {
    if (field == nullptr)
        return {};
    if (field->type == 'M')
        return {};
    const std::string text = field->type == 'C'
                                 ? TrimRight(xbase::GetText(cursor_.record(), *field))
                                 : table_.FieldText(cursor_.record(), field->name).bytes();
    return field->type == 'C' ? text : Trim(text);
}

bool TableReportSource::Next(report::ReportRecord* record) {
    if (!Advance())
        return false;
    record->values.clear();
    for (const std::vector<const xbase::FieldDef*>& fields : columns_) {
        std::string joined;
        bool blank = true;
        for (size_t i = 0; i < fields.size(); ++i) {
            const std::string text = Text(fields[i]);
            blank = blank && IsBlank(text);
            // Older catalogues hold one-digit minutes and seconds.
            joined += (i == 0 ? "" : ":") + (fields.size() > 1 ? TwoDigits(text) : Trim(text));
        }
        record->values.push_back(fields.size() > 1 && blank ? QString()
                                                            : FromTable(TableText(joined)));
    }
    double amount = 0;
    if (amount_ != nullptr)
        amount = xbase::GetNumber(cursor_.record(), *amount_);
    record->amount = amount;
    ++printed_;
    Failed(cursor_.Skip(1));
    return true;
}
