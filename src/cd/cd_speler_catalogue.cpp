// TCdSpeler: the disc and the catalogue: tying a disc to its source, playing a track record,
// writing track lengths and finding the source of the disc in the drive.
#include <charconv>

#include "base/feedback.h"
#include "base/text.h"
#include "cd/cd_speler.h"
#include "platform/cdaudio/disc_query.h"
#include "platform/cdaudio/disc_toc.h"
#include "store/catalogue.h"
#include "store/disc_match.h"
#include "store/record_edit.h"
#include "store/saved_position.h"
#include "store/source_key.h"

namespace {

constexpr int kHfBySource = 4;  // UPPER(DRAGER)+STR(CDNUMMER)
constexpr int kHfByCdId = 8;    // RMNR
constexpr int kArtBySource = 8;
constexpr int kArtBySideAndTrack = 10;  // UPPER(DRAGER)+STR(CDNUMMER)+AKANT+STR(TRACK)

// A refusal of ChkCD: the status cleared, the error sound, the message.
void Refuse(MsgKind kind, const std::string& text, int helpContext) {
    ShowStatus("");
    PlayWave("error.wav");
    CurrentUi().Message(kind, text, MsgButtons::Ok, helpContext);
}

}  // namespace

bool TCdSpeler::SeekCdId(const std::string& id) {
    TTableAccess& hf = catalogue_.dm2.HfAccess;
    hf.SetOrder(kHfByCdId);
    // The seek finds keys that merely begin with the ID; an ID of "123" is not "1234". Blanks sort
    // before digits, so an exact key comes first.
    return hf.Seek(id) && Trim(hf.GetString("RMNR").bytes()) == id;
}

bool TCdSpeler::ChkCD(int hfRecNo) {
    TTableAccess& art = catalogue_.dm1.ArtAccess;
    TTableAccess& hf = catalogue_.dm2.HfAccess;
    ShowStatus("Checking CD-ROM drive...");
    const std::string id = std::to_string(GetCDID());

    hf.SetOrder(kHfBySource);
    if (hfRecNo < 1) {
        const std::string key = SourceSeekKey(art.GetString("DRAGER"), art.GetInteger("CDNUMMER"));
        if (!hf.Seek(key)) {
            Refuse(MsgKind::Warning, "Record from the main title is not found!", 33);
            return false;
        }
    }
    const std::string stored = Trim(hf.GetString("RMNR").bytes());
    const std::string title = Utf8(Trim(hf.GetString("HTITEL")));
    const uint32_t home = hf.RecNo();

    // An empty drive, an open door and a hidden player (no device to ask) are not ready.
    if (!DiscInDrive()) {
        ShowStatus("");
        ReportNotReady();
        return false;
    }
    if (id == "-1") {
        Refuse(MsgKind::Warning,
               "This audio CD has no ID. The CD cannot be written to the database.", 31);
        return false;
    }

    if (hfRecNo < 1 && !IsBlank(stored)) {
        if (!SeekCdId(id)) {
            Refuse(MsgKind::Information,
                   "The CD currently in the CD-ROM drive does not match the database "
                   "information!",
                   32);
            hf.Go(home);
            return false;
        }
        if (id != stored) {
            const std::string found = Utf8(Trim(hf.GetString("HTITEL")));
            Refuse(MsgKind::Information,
                   "The CD currently in the CD-ROM drive has the main title \"" + found +
                       "\". The track you want to play or read has the main title \"" + title +
                       "\".",
                   0);
            hf.Go(home);
            return false;
        }
        hf.Go(home);
        ShowStatus("");
        return true;
    }

    if (SeekCdId(id)) {
        if (hf.RecNo() == home) {
            // Read again for the source it was stored for: the disc is this source's already.
            ShowStatus("");
            return true;
        }
        ShowStatus("");
        std::string other = Utf8(Trim(hf.GetString("HTITEL")));
        if (IsBlank(other)) {
            other = "Main title is not known yet!";
        }
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Information,
                            "The ID from this CD already exist in the main title \"" + other + "\"",
                            MsgButtons::Ok, 30);
        hf.Go(home);
        return false;
    }
    std::string question;
    if (hfRecNo >= 1) {
        question =
            "Do you want to save the detected ID, and read the track and time information from "
            "the CD?";
        hf.Go(static_cast<uint32_t>(hfRecNo));
    } else {
        question =
            "The CD in the database does not have an ID yet. Convince yourself that the right CD "
            "with the main title \"" +
            title + "\" is in the CD-ROM drive. Do you want to save the detected ID \"" + id + "\"";
        hf.Go(home);
    }
    ShowStatus("");
    if (CurrentUi().Message(MsgKind::Warning, question, MsgButtons::YesNo, 25) != MsgAnswer::Yes) {
        return false;
    }
    ShowStatus("Saving ID...");
    TTable& table = catalogue_.dm2.HfTable;
    table.Edit();
    try {
        table.SetFieldAsString("RMNR", id);
        table.Post();
    } catch (...) {
        table.Cancel();
        ShowStatus("");
        throw;
    }
    ShowStatus("");
    return true;
}

void TCdSpeler::PlayTrack(const std::string& trackRecNo) {
    if (CDPlayerInUse()) {
        return;
    }
    const std::string text = Trim(trackRecNo);
    uint32_t recno = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), recno);
    if (error != std::errc() || end != text.data() + text.size() || recno == 0) {
        return;
    }
    TTableAccess& art = catalogue_.dm1.ArtAccess;
    art.Go(recno);
    if (!ChkCD(0)) {
        return;
    }
    const int track = static_cast<int>(art.GetInteger("TRACK"));
    device_->Stop();
    if (track < 1 || track > GetTracks()) {
        PlayWave("error.wav");  // the record's track is not on this disc
        return;
    }
    device_->Seek(track);
    device_->Play();
    EnableCDPanel();
}

MsgAnswer TCdSpeler::GetTrackTime(int track) {
    const int seconds =
        device_->IsOpen() ? device_->TrackLengthFrames(track) / cdaudio::kFramesPerSecond : 0;
    const int minutes = seconds / 60;
    MsgAnswer answer = MsgAnswer::Yes;
    if (seconds == 0) {
        answer = CurrentUi().Message(MsgKind::Confirmation,
                                     "Track " + std::to_string(track) +
                                         " has no time on the CD! Check if the track numbers are "
                                         "right. Do you want to save the time?",
                                     MsgButtons::YesNoAbort);
    }
    if (answer == MsgAnswer::Yes) {
        TTable& table = catalogue_.dm1.ArtTable;
        table.Edit();
        try {
            table.SetFieldAsString("MINUTEN", TwoDigits(std::to_string(minutes)));
            table.SetFieldAsString("SECONDEN", TwoDigits(std::to_string(seconds % 60)));
            table.Post();
        } catch (...) {
            table.Cancel();
            throw;
        }
    }
    return answer;
}

void TCdSpeler::DirectNaarCDInhoud() {
    TTableAccess& hf = catalogue_.dm2.HfAccess;
    const int order = hf.IndexOrd();
    const bool atEnd = hf.Eof();
    const uint32_t recno = hf.RecNo();
    auto restore = [&] {
        hf.SetOrder(order);
        if (atEnd) {
            hf.GoBottom();
            hf.Skip(1);
        } else {
            hf.Go(recno);
        }
    };

    const std::string id = Trim(std::to_string(GetCDID()));
    if (!SeekCdId(id)) {
        restore();
        CurrentUi().Message(MsgKind::Information, "The CD or ID is not found in the database!");
        return;
    }
    const std::string key = SourceSeekKey(hf.GetString("DRAGER"), hf.GetInteger("CDNUMMER"));
    TTableAccess& art = catalogue_.dm1.ArtAccess;
    art.SetOrder(kArtBySource);
    const bool hasTracks = art.Seek(key);
    // Back before the screen opens, so that its views do not see the main titles jump after it.
    restore();
    if (hasTracks && sourceOpener_) {
        sourceOpener_(key);
    }
}

uint32_t TCdSpeler::CatalogueTrack(int track) {
    if (!DiscInDrive())
        return 0;
    SavedPosition keepTitles(catalogue_.dm2.HfAccess);
    const std::string id = std::to_string(GetCDID());
    if (id == "-1" || !SeekCdId(id))
        return 0;
    TTableAccess& hf = catalogue_.dm2.HfAccess;
    const std::string key = SourceSeekKey(hf.GetString("DRAGER"), hf.GetInteger("CDNUMMER"));
    TTableAccess& art = catalogue_.dm1.ArtAccess;
    SavedPosition keepTracks(art);
    art.SetOrder(kArtBySideAndTrack);
    for (const uint32_t recno : CollectSourceRecords(art, key)) {
        art.Go(recno);
        if (art.GetInteger("TRACK") == track)
            return recno;
    }
    return 0;
}

bool TCdSpeler::AddToPlayList(int track) {
    const uint32_t recno = CatalogueTrack(track);
    if (recno == 0) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Information,
                            "This track of the CD is not found in the database!");
        return false;
    }
    return catalogue_.dm3.AddToPlayList(catalogue_.dm1, std::to_string(recno));
}

std::optional<discinfo::DiscCandidate> TCdSpeler::SourceOfDisc() {
    if (!DiscInDrive())
        return std::nullopt;
    discinfo::DiscQuery query = cdaudio::DiscQueryOf(device_->Toc());
    if (query.offsets.empty())
        return std::nullopt;
    const int id = GetCDID();
    query.cdId = id != -1 ? std::to_string(id) : "";
    std::vector<discinfo::DiscCandidate> found = FindDiscInCatalogue(catalogue_, query);
    if (found.empty())
        return std::nullopt;
    return std::move(found.front());
}

void TCdSpeler::OpenSource(const std::string& sourceSeekKey) {
    if (sourceOpener_)
        sourceOpener_(sourceSeekKey);
}
