// Writes the small disc images of the tests: a BIN of raw sectors and its CUE or TOC sheet.
#include "support/disc_image.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace testutil {

namespace {

constexpr int kSamplesPerSector = kImageSectorBytes / 4;

void WriteBin(const std::string& path, const std::vector<ImageTrack>& tracks) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
    std::vector<char> sector(kImageSectorBytes);
    int audio_number = 0;
    for (const ImageTrack& track : tracks) {
        if (track.audio) {
            ++audio_number;
        }
        long sample = 0;
        for (int frame = 0; frame < track.frames; ++frame) {
            for (int i = 0; i < kSamplesPerSector; ++i, ++sample) {
                const std::int16_t value = track.audio ? ImageToneSample(audio_number, sample) : 0;
                const auto u = static_cast<std::uint16_t>(value);
                const char lo = static_cast<char>(u & 0xFF);
                const char hi = static_cast<char>(u >> 8);
                sector[i * 4 + 0] = lo;
                sector[i * 4 + 1] = hi;
                sector[i * 4 + 2] = lo;
                sector[i * 4 + 3] = hi;
            }
            out.write(sector.data(), kImageSectorBytes);
        }
    }
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::vector<ImageTrack> AudioTracks(const std::vector<int>& track_frames) {
    std::vector<ImageTrack> tracks;
    for (int frames : track_frames) {
        tracks.push_back({frames, true});
    }
    return tracks;
}

std::string TwoDigitNumber(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

}  // namespace

std::int16_t ImageToneSample(int track, long sample) {
    // A quiet sine, 220 Hz times the track number.
    const double hz = 220.0 * track;
    const double t = static_cast<double>(sample) / 44100.0;
    return static_cast<std::int16_t>(std::lround(1000.0 * std::sin(2 * std::numbers::pi * hz * t)));
}

std::string ImageMsf(long frames) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", frames / 4500, (frames / 75) % 60,
                  frames % 75);
    return buf;
}

std::string WriteMixedCueBinImage(const std::string& folder, const std::vector<ImageTrack>& tracks,
                                  const std::string& name) {
    const std::filesystem::path dir(folder);
    WriteBin((dir / (name + ".bin")).string(), tracks);
    std::string cue = "FILE \"" + name + ".bin\" BINARY\n";
    long start = 0;
    for (size_t i = 0; i < tracks.size(); ++i) {
        cue += "  TRACK " + TwoDigitNumber(static_cast<int>(i) + 1) +
               (tracks[i].audio ? " AUDIO\n" : " MODE1/2352\n");
        cue += "    INDEX 01 " + ImageMsf(start) + "\n";
        start += tracks[i].frames;
    }
    const std::string cue_path = (dir / (name + ".cue")).string();
    WriteText(cue_path, cue);
    return cue_path;
}

std::string WriteCueBinImage(const std::string& folder, const std::vector<int>& track_frames,
                             const std::string& name) {
    return WriteMixedCueBinImage(folder, AudioTracks(track_frames), name);
}

std::string WriteTocBinImage(const std::string& folder, const std::vector<int>& track_frames,
                             const std::string& name) {
    const std::filesystem::path dir(folder);
    WriteBin((dir / (name + ".bin")).string(), AudioTracks(track_frames));
    // libcdio looks for a TOC's relative file names in the current folder, not the TOC's.
    const std::string bin_path = std::filesystem::absolute(dir / (name + ".bin")).string();
    std::string toc = "CD_DA\n";
    long start = 0;
    for (int frames : track_frames) {
        toc += "\nTRACK AUDIO\nNO COPY\nNO PRE_EMPHASIS\nTWO_CHANNEL_AUDIO\n";
        toc += "FILE \"" + bin_path + "\" " + ImageMsf(start) + " " + ImageMsf(frames) + "\n";
        start += frames;
    }
    const std::string toc_path = (dir / (name + ".toc")).string();
    WriteText(toc_path, toc);
    return toc_path;
}

}  // namespace testutil
