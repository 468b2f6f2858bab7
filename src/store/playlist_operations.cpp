// The playlist (TDataModule3): adding a track, deleting one entry and emptying the whole list.
#include "base/feedback.h"
#include "base/ini.h"
#include "base/protection.h"
#include "base/text.h"
#include "base/ui.h"
#include "store/data_module1.h"
#include "store/data_module3.h"
#include "store/folder_file.h"
#include "store/record_edit.h"
#include "store/source_key.h"
#include "store/table_alone.h"
#include "store/table_error.h"

namespace {

constexpr int kPlaylistByTrack = 7;  // UPPER(DRAGER)+STR(CDNUMMER)+STR(TRACK)+AKANT

// The key of a track in tag "7": the source's key, the track number right-aligned in 10, the
// side.
std::string PlaylistKey(TTableAccess& art) {
    return SourceSeekKey(art.GetString("DRAGER"), art.GetInteger("CDNUMMER")) +
           PadLeft(std::to_string(art.GetInteger("TRACK")), 10) +
           PadRight(art.GetString("AKANT").bytes(), 1);
}

void Refuse(const std::string& text) {
    PlayWave("error.wav");
    CurrentUi().Message(MsgKind::Information, text);
}

void CopyTrack(TTableAccess& art, TTable& entry) {
    for (const char* field : {"ARTIEST", "TITEL", "MINUTEN", "SECONDEN", "DRAGER", "JAAR", "AKANT"})
        entry.SetFieldAsString(field, TrimRight(art.GetString(field).bytes()));
    entry.SetFieldAsInteger("CDNUMMER", art.GetInteger("CDNUMMER"));
    entry.SetFieldAsInteger("TRACK", art.GetInteger("TRACK"));
}

}  // namespace

bool TDataModule3::AddToPlayList(TDataModule1& tracks, std::string_view trackRecNo) {
    TTableAccess& art = tracks.ArtAccess;
    try {
        int64_t recno = 0;
        if (!ParseWholeNumber(trackRecNo, 1, art.component().table().recordCount(), &recno)) {
            throw TableError(xbase::Status::InvalidArgument(
                art.component().tableName(),
                "there is no record " + std::string(trackRecNo) + " to add to the playlist"));
        }
        art.Go(uint32_t(recno));
        const std::string key = PlaylistKey(art);
        if (art.GetInteger("CDNUMMER") == 0) {
            Refuse("This record has no number!");
            return false;
        }
        PlaylistAccess.SetOrder(kPlaylistByTrack);
        if (PlaylistAccess.Seek(key)) {
            Refuse("Track already exist in the playlist.");
            return false;
        }
        const AppendOutcome added = AppendRecord(PlaylistAccess, [&] {
            PlaylistTable.Insert();
            try {
                CopyTrack(art, PlaylistTable);
                PlaylistTable.Post();
            } catch (const TableError&) {
                PlaylistTable.Cancel();
                throw;
            }
        });
        if (added.failure) {
            // The entry reached the table; the fault (an index entry, the sync) is still told.
            CurrentUi().Message(MsgKind::Error, added.failure->what());
            return true;
        }
        PlaylistTable.Sync();
        return true;
    } catch (const TableError& error) {
        CurrentUi().Message(MsgKind::Error, error.what());
        return false;
    }
}

bool TDataModule3::DeletePlaylistTrack() {
    if (PlaylistTable.state() == TTable::State::Insert || PlaylistAccess.Eof())
        return false;
    if (CurrentUi().Message(MsgKind::Warning, "Do you want to remove this track from the playlist?",
                            MsgButtons::YesNoDefaultNo) != MsgAnswer::Yes) {
        return false;
    }
    PlaylistAccess.Delete();
    PlaylistTable.Sync();
    return true;
}

bool TDataModule3::DeletePlaylist() {
    if (ChkBeveiliging())
        return false;
    if (CurrentUi().Message(MsgKind::Warning,
                            "Do you want to delete the whole playlist and its description?",
                            MsgButtons::YesNoDefaultNo) != MsgAnswer::Yes) {
        return false;
    }
    // The list goes first: a list that cannot be emptied keeps its description.
    if (!ZapPlaylist())
        return false;
    WritePrintIni("PlayList", "PlaylistOms", "");
    return true;
}

bool TDataModule3::ZapPlaylist() {
    BusyCursor busy;
    const int order = PlaylistAccess.IndexOrd();
    const bool emptied = RunWithTableAlone(PlaylistAccess, FolderFile(folder_, "INDEX5.CDX"),
                                           [this] { PlaylistAccess.Zap(); });
    // Reopening the table for the zap left it in record order.
    PlaylistAccess.SetOrder(order);
    PlaylistAccess.GoTop();
    return emptied;
}
