#include "print/report_selection.h"

#include "base/text.h"
#include "store/controls_suspended.h"
#include "store/source_key.h"
#include "store/table_access.h"
#include "store/table_error.h"

namespace {

std::string JoinedUpper(const TTableAccess& access, const std::vector<std::string>& fields,
                        size_t length) {
    std::string joined;
    for (const std::string& field : fields) {
        if (joined.size() >= length)
            break;
        joined += access.GetString(field).bytes();
    }
    joined.resize(std::min(joined.size(), length));
    return TableUpper(joined);
}

// The visible records of `carrier` (or all of them), read in stored order: far quicker than
// walking an index order over the whole table, which reads the records out of their order.
uint64_t CountAll(TTableAccess& access, std::string_view carrier) {
    if (carrier.empty())
        return access.Count();
    const TTable& table = access.component();
    const std::string wanted = PadRight(TableUpper(Trim(carrier)), 10);
    uint64_t count = 0;
    ThrowIfError(table.table().ScanRecords(1, [&](uint32_t, const uint8_t* record) {
        if (table.cursor().IsVisible(record) &&
            TableUpper(table.FieldText(record, "DRAGER").bytes()) == wanted)
            ++count;
        return true;
    }));
    return count;
}

}  // namespace

bool OfCarrier(const TTableAccess& access, std::string_view carrier) {
    return TableUpper(access.GetString("DRAGER").bytes()) ==
           PadRight(TableUpper(Trim(carrier)), 10);
}

ReportSelection SelectByPrefix(TTableAccess& access, const PrefixQuery& query) {
    ControlsSuspended suspended(access.component());
    access.SetOrder(query.order);
    const std::string text = TableUpper(query.text);
    ReportSelection selection;
    if (text.empty()) {
        access.GoTop();
        selection.found = !access.Eof();
        selection.count = selection.found ? CountAll(access, query.carrier) : 0;
        if (selection.count > 0) {
            while (!query.carrier.empty() && !OfCarrier(access, query.carrier))
                access.Skip(1);
            selection.first = access.RecNo();
        }
        return selection;
    }
    selection.found = access.Seek(text);
    for (; !access.Eof(); access.Skip(1)) {
        if (JoinedUpper(access, query.fields, text.size()) != text)
            break;
        if (!query.carrier.empty() && !OfCarrier(access, query.carrier))
            continue;
        if (selection.count++ == 0)
            selection.first = access.RecNo();
    }
    return selection;
}

ReportSelection SelectNumberRange(TTableAccess& titles, std::string_view carrier, int64_t low,
                                  int64_t high) {
    ControlsSuspended suspended(titles.component());
    titles.SetOrder(4);
    ReportSelection selection;
    // The order holds the carrier's sources by number, so the range is one run within the
    // carrier's; a seek of the first number itself would miss a range starting at a gap.
    selection.found = titles.Seek(PadRight(TableUpper(Trim(carrier)), 10));
    for (; !titles.Eof() && OfCarrier(titles, carrier); titles.Skip(1)) {
        const int64_t number = titles.GetInteger("CDNUMMER");
        if (number < low)
            continue;
        if (number > high)
            break;
        if (selection.count++ == 0)
            selection.first = titles.RecNo();
    }
    return selection;
}

std::string TrackTimeText(int minutes, int seconds) {
    // MINUTEN is three characters wide, so two-digit minutes are followed by a blank in the key.
    const std::string text = TwoDigits(std::to_string(minutes));
    return seconds == 0 ? text : PadRight(text, 3) + TwoDigits(std::to_string(seconds));
}
