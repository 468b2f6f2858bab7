#include "store/record_edit.h"

#include <ctime>

#include "base/clock.h"
#include "base/feedback.h"
#include "base/text.h"
#include "store/source_key.h"
#include "store/table_error.h"

std::vector<uint32_t> CollectSourceRecords(TTableAccess& access, const std::string& seekKey) {
    std::vector<uint32_t> records;
    if (!access.Seek(seekKey))
        return records;
    while (!access.Eof() &&
           SourceSeekKey(access.GetString("DRAGER"), access.GetInteger("CDNUMMER")) == seekKey) {
        records.push_back(access.RecNo());
        access.Skip(1);
    }
    return records;
}

AppendOutcome AppendRecord(TTableAccess& access, const std::function<void()>& append) {
    const xbase::Table& table = access.component().table();
    const uint32_t before = table.recordCount();
    try {
        append();
        return {access.RecNo(), std::nullopt};
    } catch (const TableError& error) {
        const uint32_t after = table.recordCount();
        if (after == before && !error.status().record_stored())
            throw;
        return {after, error};
    }
}

void ChangeRecord(TTableAccess& access, uint32_t recno,
                  const std::function<void(TTable&)>& change) {
    TTable& table = access.component();
    access.Go(recno);
    table.Edit();
    try {
        change(table);
        table.Post();
    } catch (const TableError&) {
        table.Cancel();
        throw;
    }
}

void RewriteRecords(TTable& table, const std::vector<uint32_t>& recnos,
                    const std::function<xbase::Status(size_t, uint8_t* record)>& change,
                    const xbase::ProgressFn& progress) {
    ThrowIfError(table.table().UpdateMany(recnos, change, progress));
}

void RecordsRewritten(TTable& table) {
    if (table.state() == TTable::State::Browse && !table.cursor().Eof())
        ThrowIfError(table.cursor().Reread());
    table.NotifyChanged();
}

std::string TodayDateText(const TTableEnv& env) {
    const std::time_t now = std::chrono::system_clock::to_time_t(Clock::Now());
    std::tm local{};
    localtime_r(&now, &local);
    xbase::Date date;
    date.year = local.tm_year + 1900;
    date.month = local.tm_mon + 1;
    date.day = local.tm_mday;
    return env.FormatDate(date);
}

StatusShown::StatusShown(std::string_view text) {
    ShowStatus(text);
}

StatusShown::~StatusShown() {
    ShowStatus("");
}

bool ParseWholeNumber(std::string_view text, int64_t low, int64_t high, int64_t* out) {
    const std::string digits = Trim(text);
    if (digits.empty() || digits.size() > 18)
        return false;
    int64_t value = 0;
    for (char ch : digits) {
        if (ch < '0' || ch > '9')
            return false;
        value = value * 10 + (ch - '0');
    }
    if (value < low || value > high)
        return false;
    *out = value;
    return true;
}
