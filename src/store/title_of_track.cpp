#include "store/title_of_track.h"

#include "store/catalogue.h"
#include "store/source_key.h"

namespace {

constexpr int kTitleBySource = 4;  // UPPER(DRAGER)+STR(CDNUMMER)

}  // namespace

bool SeekTitleOfTrack(Catalogue& catalogue) {
    TTableAccess& tracks = catalogue.dm1.ArtAccess;
    TTableAccess& titles = catalogue.dm2.HfAccess;
    titles.SetOrder(kTitleBySource);
    return titles.Seek(SourceSeekKey(tracks.GetString("DRAGER"), tracks.GetString("CDNUMMER")));
}
