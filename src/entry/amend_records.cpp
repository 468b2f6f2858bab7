#include "entry/amend_records.h"

#include <optional>

#include "base/feedback.h"
#include "base/text.h"
#include "entry/table_edit.h"
#include "store/catalogue.h"
#include "store/record_edit.h"
#include "store/source_key.h"
#include "store/source_renumbering.h"

namespace {

void AssignTrackTexts(TTable& table, const TrackTexts& texts) {
    table.SetFieldAsString("AKANT", TableUpper(Trim(texts.side)));
    table.SetFieldAsString("ARTIEST", texts.artist);
    table.SetFieldAsString("TITEL", texts.title);
    table.SetFieldAsString("COMPONIST", texts.composer);
    table.SetFieldAsString("SOORT", texts.style);
    table.SetFieldAsString("UITVOER", texts.performance);
    table.SetFieldAsString("TREF", texts.keyword);
}

// Texts compare as the fields keep them: trailing blanks do not count.
bool Differs(const std::string& a, const std::string& b) {
    return PadRight(a, 50) != PadRight(b, 50);
}

}  // namespace

bool SourceExists(Catalogue& catalogue, const std::string& carrier, const std::string& number) {
    TTableAccess& titles = catalogue.dm2.HfAccess;
    titles.SetOrder(4);
    return titles.Seek(SourceSeekKey(carrier, number));
}

AppendOutcome StoreNewTrack(Catalogue& catalogue, const TrackTexts& texts) {
    TDataModule1& tracks = catalogue.dm1;
    int64_t number = 0;
    ParseWholeNumber(texts.number, 1, 999999999, &number);
    AppendOutcome outcome = AppendRecord(tracks.ArtAccess, [&] {
        PendingEdit pending(tracks.ArtTable);
        tracks.ArtTable.Insert();
        tracks.ArtTable.SetFieldAsString("DRAGER", TableUpper(Trim(texts.carrier)));
        tracks.ArtTable.SetFieldAsInteger("CDNUMMER", number);
        AssignTrackTexts(tracks.ArtTable, texts);
        tracks.KapitaliseerData1(texts.year, texts.minutes, texts.track, texts.seconds);
    });
    if (outcome.failure)
        return outcome;
    // The lookup items get the values as stored, capitals included.
    const std::string style = tracks.ArtAccess.GetString("SOORT").bytes();
    const std::string performance = tracks.ArtAccess.GetString("UITVOER").bytes();
    const std::string keyword = tracks.ArtAccess.GetString("TREF").bytes();
    catalogue.dm3.WriteItems(performance, 'U');
    catalogue.dm3.WriteItems(style, 'G');
    catalogue.dm3.WriteItems(keyword, 'T');
    tracks.ArtAccess.Go(outcome.recno);
    return outcome;
}

void SetTrackNumber(Catalogue& catalogue, uint32_t recno, int track) {
    ChangeRecord(catalogue.dm1.ArtAccess, recno,
                 [track](TTable& t) { t.SetFieldAsInteger("TRACK", track); });
}

void StoreModifiedTrack(Catalogue& catalogue, uint32_t recno, const TrackTexts& texts,
                        const TrackTexts& before, ChangeInAll all) {
    TDataModule1& tracks = catalogue.dm1;
    tracks.ArtAccess.Go(recno);
    {
        PendingEdit pending(tracks.ArtTable);
        tracks.ArtTable.Edit();
        AssignTrackTexts(tracks.ArtTable, texts);
        tracks.KapitaliseerData1(texts.year, texts.minutes, texts.track, texts.seconds);
    }
    const std::string carrier = tracks.ArtAccess.GetString("DRAGER").bytes();
    const std::string number = std::to_string(tracks.ArtAccess.GetInteger("CDNUMMER"));
    const struct {
        bool checked;
        const std::string& now;
        const std::string& then;
        const char* field;
    } fields[] = {{all.style, texts.style, before.style, "SOORT"},
                  {all.performance, texts.performance, before.performance, "UITVOER"},
                  {all.keyword, texts.keyword, before.keyword, "TREF"}};
    for (const auto& f : fields) {
        if (f.checked && Differs(f.now, f.then))
            tracks.ReplaceVeld(carrier, number, f.now, f.field);
    }
    tracks.ArtAccess.Commit();
    catalogue.dm3.WriteItems(texts.style, 'G');
    catalogue.dm3.WriteItems(texts.performance, 'U');
    catalogue.dm3.WriteItems(texts.keyword, 'T');
    tracks.ArtAccess.Go(recno);
}

bool StoreModifiedMainTitle(Catalogue& catalogue, uint32_t recno, const MainTitleTexts& texts,
                            const std::string& oldCarrier, const std::string& oldNumber) {
    TDataModule2& titles = catalogue.dm2;
    StatusShown status("Saving information...");
    int64_t number = 0;
    ParseWholeNumber(texts.number, 1, 999999999, &number);
    titles.HfAccess.Go(recno);
    std::optional<TableError> failed;
    try {
        PendingEdit pending(titles.HfTable);
        titles.HfTable.Edit();
        titles.HfTable.SetFieldAsString("DRAGER", Trim(texts.carrier));
        titles.HfTable.SetFieldAsInteger("CDNUMMER", number);
        titles.HfTable.SetFieldAsString("OPNAME", texts.quality);
        titles.HfTable.SetFieldAsString("HTITEL", texts.title);
        titles.HfTable.SetFieldAsString("SOORT", texts.style);
        titles.HfTable.SetFieldAsString("LABEL", texts.label);
        titles.HfTable.SetFieldAsString("HOOFDART", texts.mainArtist);
        titles.KapitaliseerData2();
    } catch (const TableError& error) {
        // A write that failed part way may have stored the new key all the same: then the tracks
        // must follow it, or they would be left under a key that no main title has.
        titles.HfAccess.Go(recno);
        if (SourceSeekKey(titles.HfAccess.GetString("DRAGER"),
                          titles.HfAccess.GetInteger("CDNUMMER")) ==
            SourceSeekKey(oldCarrier, oldNumber))
            throw;
        failed = error;
    }
    const std::string newCarrier = titles.HfAccess.GetString("DRAGER").bytes();
    const bool moved = catalogue.dm1.ChangeTracks(titles, oldCarrier, oldNumber,
                                                  std::to_string(number), newCarrier);
    // Loans and playlist entries go with the source, or they would name one that is gone.
    if (moved && SourceSeekKey(oldCarrier, oldNumber) != SourceSeekKey(newCarrier, number))
        MoveLoansAndPlaylist(catalogue, oldCarrier, oldNumber, newCarrier, number);
    catalogue.dm1.ArtAccess.Commit();
    titles.HfAccess.Commit();
    catalogue.dm3.WriteItems(TableUpper(texts.carrier), 'D');
    catalogue.dm3.WriteItems(TableUpper(texts.quality), 'O');
    catalogue.dm3.WriteItems(texts.title, 'H');
    catalogue.dm3.WriteItems(texts.style, 'G');
    catalogue.dm3.WriteItems(texts.label, 'L');
    catalogue.dm3.WriteItems(texts.mainArtist, 'A');
    titles.HfAccess.Go(recno);
    if (failed)
        throw *failed;
    return moved;
}
