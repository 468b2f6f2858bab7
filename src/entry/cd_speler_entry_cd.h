// CdSpelerEntryCd: the entry screen's CD reader over the program's CD player (TCdSpeler). The
// main window installs one with SetEntryCd once its player exists. Header-only, so that only the
// program that owns the player links the CD library.
#pragma once

#include "cd/cd_speler.h"
#include "entry/entry_cd.h"
#include "platform/cdaudio/disc_query.h"
#include "platform/cdaudio/disc_toc.h"
#include "shell/table_text.h"

class CdSpelerEntryCd : public EntryCd {
public:
    // `speler` must outlive this reader.
    explicit CdSpelerEntryCd(TCdSpeler& speler) : speler_(speler) {}

    void OpenCDPlayer() override { speler_.OpenCDPlayer(); }
    bool ChkCD(uint32_t hfRecNo) override { return speler_.ChkCD(int(hfRecNo)); }
    int GetTracks() override { return speler_.GetTracks(); }
    CdTrackLength TrackLength(int track) override {
        // Whole seconds: the frames of the last second are dropped.
        const int seconds = speler_.device().TrackLengthFrames(track) / cdaudio::kFramesPerSecond;
        return {seconds / 60, seconds % 60};
    }

    CdDiscTexts DiscTexts() override {
        const cdaudio::DiscText text = speler_.device().Text();
        CdDiscTexts texts{Table(text.title), Table(text.performer), {}, {}};
        for (const cdaudio::TrackText& track : text.tracks) {
            texts.trackTitles.push_back(Table(track.title));
            texts.trackPerformers.push_back(Table(track.performer));
        }
        return texts;
    }

    // The disc as the look-ups ask for it, from the device's table of contents.
    discinfo::DiscQuery Query() override {
        cdaudio::CdDevice& device = speler_.device();
        const int count = device.IsOpen() ? device.TrackCount() : 0;
        if (count <= 0)
            return {};
        // The table of contents where the device gives it: exact track starts and the end of
        // the audio session. The catalogue's CD ID is the one the player reads.
        discinfo::DiscQuery query = cdaudio::DiscQueryOf(device.Toc());
        if (!query.offsets.empty()) {
            const int id = speler_.GetCDID();
            query.cdId = id != -1 ? std::to_string(id) : "";
            return query;
        }
        // Otherwise the starts follow from the track lengths, the first at 2 seconds.
        const cdaudio::DiscIds ids = device.Ids();
        query.musicBrainzId = ids.musicbrainz;
        query.freedbId = ids.freedb;
        if (const int id = speler_.GetCDID(); id != -1)
            query.cdId = std::to_string(id);
        int start = 150;
        for (int track = 1; track <= count; ++track) {
            query.offsets.push_back(start);
            start += device.TrackLengthFrames(track);
        }
        // The last track's length stops one frame short of the lead-out.
        query.leadOut = start + 1;
        return query;
    }

private:
    // The disc's UTF-8 as table text; "" when the tables' code page cannot hold it.
    static std::string Table(const std::string& utf8) {
        return ToTable(QString::fromStdString(utf8)).value_or("");
    }

    TCdSpeler& speler_;
};
