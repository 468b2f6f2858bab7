#include "entry/reopen_source.h"

#include <optional>

#include "base/feedback.h"
#include "base/ini.h"
#include "base/table_text.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/lookup_item_edit.h"
#include "store/catalogue.h"
#include "store/controls_suspended.h"
#include "store/source_key.h"

namespace {

constexpr char kReopenSection[] = "Diversen";

// The side a carrier's sources start on: "A" when its item divides them into sides.
std::string CarrierSide(TDataModule3& items, std::string_view carrier) {
    if (!FindItem(items, Trim(carrier), 'D'))
        return "";
    return Trim(items.ItemsAccess.GetString("KANT").bytes());
}

}  // namespace

ContinuePoint FindContinuePoint(Catalogue& catalogue, const std::string& seekKey,
                                std::string_view carrier) {
    TTableAccess& tracks = catalogue.dm1.ArtAccess;
    tracks.SetOrder(10);
    std::optional<ContinuePoint> last;
    bool openSideA = false;
    if (tracks.Seek(seekKey)) {
        bool asked = false;
        while (!tracks.Eof() && SourceSeekKey(tracks.GetString("DRAGER"),
                                              tracks.GetInteger("CDNUMMER")) == seekKey) {
            const std::string kant = Trim(tracks.GetString("AKANT").bytes());
            if (kant == "B" && !asked) {
                asked = true;
                if (CurrentUi().Message(MsgKind::Confirmation, "Do you want to open side A?",
                                        MsgButtons::YesNo) == MsgAnswer::Yes) {
                    openSideA = true;
                    break;
                }
            }
            last = ContinuePoint{kant, int(tracks.GetInteger("TRACK")) + 1};
            tracks.Skip(1);
        }
    }
    if (last)
        return *last;
    // Nothing walked: the source has no tracks yet (or none on side A when that was chosen).
    return ContinuePoint{openSideA ? "A" : CarrierSide(catalogue.dm3, carrier), 1};
}

bool SourceExists(Catalogue& catalogue, std::string_view carrier, int64_t number) {
    TTableAccess& titles = catalogue.dm2.HfAccess;
    titles.SetOrder(4);
    if (titles.Seek(SourceSeekKey(carrier, number)))
        return true;
    PlayWave("ngev.wav");
    CurrentUi().Message(MsgKind::Information, "Source \"" + Utf8(TableText(Trim(carrier))) + " " +
                                                  std::to_string(number) + "\" is not found!");
    return false;
}

bool ReopenSource(Catalogue& catalogue, std::string_view carrier, int64_t number) {
    BusyCursor busy;
    ControlsSuspended trackViews(catalogue.dm1.ArtTable);
    ControlsSuspended titleViews(catalogue.dm2.HfTable);
    if (!SourceExists(catalogue, carrier, number))
        return false;
    const std::string seekKey = SourceSeekKey(carrier, number);
    const ContinuePoint point = FindContinuePoint(catalogue, seekKey, carrier);
    // OpenDrager last: it is what makes the entry screen continue, so a failed write before it
    // cannot leave the source open with another source's track number.
    return IniWriteString(kReopenSection, "OpenTrackKant", point.kant) &&
           IniWriteString(kReopenSection, "OpenTracknr", std::to_string(point.track)) &&
           IniWriteString(kReopenSection, "OpenDrager", seekKey);
}
