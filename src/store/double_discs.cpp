#include "store/double_discs.h"

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/text.h"
#include "platform/xbase/field_codec.h"
#include "store/record_field.h"
#include "store/source_key.h"
#include "store/table_component.h"
#include "store/table_error.h"

namespace {

// The carrier and number of a record, found by name once per table.
class DiscSourceFields {
public:
    explicit DiscSourceFields(const xbase::Table& table)
        : carrier_(table, "DRAGER"), number_(table, "CDNUMMER") {}
    std::string Key(const uint8_t* record) const {
        return SourceSeekKey(carrier_.In(record), number_.In(record));
    }

private:
    RecordField carrier_;
    RecordField number_;
};

}  // namespace

std::vector<uint32_t> TracksOfSharedDiscs(TTable& titles, TTable& tracks) {
    xbase::Table& hf = titles.table();
    xbase::Table& art = tracks.table();
    ThrowIfError(hf.Refresh(false));
    ThrowIfError(art.Refresh(false));
    // CD ID -> its sources' keys, in record order.
    std::map<std::string, std::vector<std::string>> byCdId;
    const RecordField cdId(hf, "RMNR");
    const DiscSourceFields titleSource(hf);
    ThrowIfError(hf.ScanRecords(1, [&](uint32_t, const uint8_t* record) {
        if (record[0] == '*')
            return true;
        const std::string id = Trim(cdId.In(record));
        if (!id.empty())
            byCdId[TableUpper(id)].push_back(titleSource.Key(record));
        return true;
    }));
    // The first track of every source that shares its CD ID.
    std::unordered_map<std::string, uint32_t> firstTrack;
    for (const auto& [id, sources] : byCdId) {
        if (sources.size() >= 2) {
            for (const std::string& key : sources)
                firstTrack.emplace(key, 0);
        }
    }
    if (firstTrack.empty())
        return {};
    const DiscSourceFields trackSource(art);
    ThrowIfError(art.ScanRecords(1, [&](uint32_t recno, const uint8_t* record) {
        if (record[0] == '*')
            return true;
        if (const auto it = firstTrack.find(trackSource.Key(record));
            it != firstTrack.end() && it->second == 0)
            it->second = recno;
        return true;
    }));
    std::vector<uint32_t> recnos;
    for (const auto& [id, sources] : byCdId) {
        int withTracks = 0;
        for (const std::string& key : sources) {
            const auto it = firstTrack.find(key);
            if (it == firstTrack.end() || it->second == 0)
                continue;
            if (++withTracks == 2) {
                recnos.push_back(it->second);
                break;
            }
        }
    }
    return recnos;
}
