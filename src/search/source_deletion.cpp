#include "search/source_deletion.h"

#include <string>

#include "base/protection.h"
#include "base/text.h"
#include "base/ui.h"
#include "store/catalogue.h"
#include "store/saved_position.h"
#include "store/source_key.h"
#include "store/source_removal.h"

namespace {

int CountRecords(TTableAccess& access, int order, const std::string& key) {
    SavedPosition kept(access);
    access.SetOrder(order);
    int count = 0;
    for (bool found = access.Seek(key); found && !access.Eof(); access.Skip()) {
        if (SourceSeekKey(access.GetString("DRAGER"), access.GetInteger("CDNUMMER")) != key)
            break;
        ++count;
    }
    return count;
}

}  // namespace

bool DeleteSource(Catalogue& catalogue, uint32_t titleRecNo) {
    if (ChkBeveiliging())
        return false;
    TTableAccess& titles = catalogue.dm2.HfAccess;
    titles.Go(titleRecNo);
    if (titles.Eof())
        return false;
    const TableText carrier = TrimRight(titles.GetString("DRAGER"));
    const int64_t number = titles.GetInteger("CDNUMMER");
    const std::string key = SourceSeekKey(carrier, number);
    const int tracks = CountRecords(catalogue.dm1.ArtAccess, kTrackSourceOrder, key);
    const std::string question = "Delete source " + Utf8(carrier) + " " + std::to_string(number) +
                                 " \"" + Utf8(TrimRight(titles.GetString("HTITEL"))) +
                                 "\" with its " + std::to_string(tracks) +
                                 " tracks, its loan and its playlist entries?";
    if (CurrentUi().Message(MsgKind::Warning, question, MsgButtons::YesNoDefaultNo) !=
        MsgAnswer::Yes)
        return false;
    return RemoveSource(catalogue, key);
}
