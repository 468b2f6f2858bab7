#include "cd/identify_command.h"

#include <QEventLoop>
#include <QTimer>
#include <memory>

#include "cd/disc_lookup.h"
#include "platform/cdaudio/cdio_disc.h"
#include "platform/cdaudio/disc_ids.h"
#include "platform/cdaudio/disc_query.h"
#include "store/command_catalogue.h"

namespace {

// Each online request gives up after 10 s; the look-up may ask four times (MusicBrainz by ID and
// by table of contents, gnudb's query and read) a second apart, so the command waits that long
// at most before it ends without the online answer.
constexpr int kIdentifyOnlineWaitMs = 4 * 10000 + 5000;

std::string IdentifyTime(int seconds) {
    if (seconds < 0)
        return "-:--";
    const int secs = seconds % 60;
    return std::to_string(seconds / 60) + (secs < 10 ? ":0" : ":") + std::to_string(secs);
}

// The value, or a dash where the source gave none: a blank line would read as the block's end.
std::string IdentifyField(const std::string& value) {
    return value.empty() ? "-" : value;
}

// The disc's table of contents; a status naming the disc when there is no audio on it.
tunelo::Status ReadDiscToc(const std::string& disc, cdaudio::DiscToc* toc) {
    std::unique_ptr<cdaudio::CdioDisc> opened;
    tunelo::Status status = cdaudio::CdioDisc::Open(disc, &opened);
    if (!status.ok())
        return status;
    status = opened->ReadToc(toc);
    if (!status.ok())
        return status;
    if (toc->tracks().empty())
        return tunelo::Status::NotFound(disc, "there is no disc in the drive");
    if (toc->AudioTrackCount() == 0)
        return tunelo::Status::InvalidArgument(disc, "not an audio disc");
    return tunelo::Status::OK();
}

// Waits for the online look-up, when the settings allow one; what it found is added to `found`.
void AskOnline(DiscLookup& lookup, const discinfo::DiscQuery& query,
               std::vector<discinfo::DiscCandidate>* found, std::ostream& errors) {
    QEventLoop loop;
    bool answered = false;
    QObject::connect(&lookup, &DiscLookup::OnlineFinished, &loop,
                     [&](const std::vector<discinfo::DiscCandidate>& online, const QString& error) {
                         answered = true;
                         found->insert(found->end(), online.begin(), online.end());
                         if (!error.isEmpty())
                             errors << "tunelo: online look-up: " << error.toStdString() << "\n";
                         loop.quit();
                     });
    if (!lookup.StartOnline(query))
        return;
    QTimer::singleShot(kIdentifyOnlineWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
    if (!answered) {
        lookup.Cancel();
        errors << "tunelo: online look-up: no answer in time\n";
    }
}

}  // namespace

int PrintCandidates(const std::vector<discinfo::DiscCandidate>& candidates, std::ostream& out) {
    bool first = true;
    for (const discinfo::DiscCandidate& candidate : candidates) {
        if (!first)
            out << "\n";
        first = false;
        out << "Found in: " << discinfo::OriginName(candidate.origin);
        if (!candidate.reference.empty())
            out << " (" << candidate.reference << ")";
        out << "\nTitle: " << IdentifyField(candidate.title)
            << "\nArtist: " << IdentifyField(candidate.artist)
            << "\nYear: " << IdentifyField(candidate.year) << "\n";
        int number = 0;
        for (const discinfo::CandidateTrack& track : candidate.tracks) {
            ++number;
            out << (number < 10 ? " " : "") << number << "  " << IdentifyTime(track.seconds) << "  "
                << IdentifyField(track.title);
            if (!track.artist.empty() && track.artist != candidate.artist)
                out << " / " << track.artist;
            out << "\n";
        }
    }
    return candidates.empty() ? kIdentifyNothing : kIdentifyFound;
}

int IdentifyCommand(const std::string& folder, const std::string& disc, std::ostream& out,
                    std::ostream& errors) {
    cdaudio::DiscToc toc;
    const tunelo::Status read = ReadDiscToc(disc, &toc);
    if (!read.ok()) {
        errors << "tunelo: " << read.file() << ": " << read.message() << "\n";
        return kIdentifyBadInput;
    }
    const CommandCatalogue opened = OpenCatalogueForCommand(folder, CommandUse::Read, errors);
    if (!opened.catalogue) {
        errors << "tunelo: " << folder << ": no catalogue can be read there\n";
        return kIdentifyBadInput;
    }
    discinfo::DiscQuery query = cdaudio::DiscQueryOf(toc);
    DiscLookup lookup(*opened.catalogue);
    std::vector<discinfo::DiscCandidate> found = lookup.InCatalogue(query);
    std::string folderError;
    const std::vector<discinfo::DiscCandidate> data = lookup.InDiscData(query, &folderError);
    if (!folderError.empty())
        errors << "tunelo: disc data folder " << ReadCdInfoSettings().discData << ": "
               << folderError << "\n";
    found.insert(found.end(), data.begin(), data.end());
    AskOnline(lookup, query, &found, errors);
    const int status = PrintCandidates(found, out);
    if (status == kIdentifyNothing) {
        const cdaudio::DiscIds ids = cdaudio::ComputeDiscIds(toc);
        errors << "tunelo: " << disc << ": nothing is known of this disc (freedb ID "
               << IdentifyField(ids.freedb) << ")\n";
    }
    return status;
}
