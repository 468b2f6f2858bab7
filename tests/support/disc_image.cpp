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

// UTF-8 to ISO-8859-1 (characters beyond it become '?').
std::string Latin1(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if ((c >> 5) == 0x6 && i + 1 < utf8.size()) {
            const int code = ((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
            out += code < 0x100 ? static_cast<char>(code) : '?';
        } else if (c >= 0xC0) {
            out += '?';
        }
    }
    return out;
}

std::string CueText(const std::string& indent, const char* key, const std::string& value) {
    return value.empty() ? "" : indent + key + " \"" + Latin1(value) + "\"\n";
}

std::string CueSheet(const std::string& name, const std::vector<ImageTrack>& tracks,
                     const ImageText& text) {
    std::string cue = CueText("", "TITLE", text.title) + CueText("", "PERFORMER", text.performer);
    cue += "FILE \"" + name + ".bin\" BINARY\n";
    long start = 0;
    for (size_t i = 0; i < tracks.size(); ++i) {
        cue += "  TRACK " + TwoDigitNumber(static_cast<int>(i) + 1) +
               (tracks[i].audio ? " AUDIO\n" : " MODE1/2352\n");
        if (i < text.trackTitles.size()) {
            cue += CueText("    ", "TITLE", text.trackTitles[i]);
        }
        if (i < text.trackPerformers.size()) {
            cue += CueText("    ", "PERFORMER", text.trackPerformers[i]);
        }
        cue += "    INDEX 01 " + ImageMsf(start) + "\n";
        start += tracks[i].frames;
    }
    return cue;
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
    const std::string cue_path = (dir / (name + ".cue")).string();
    WriteText(cue_path, CueSheet(name, tracks, ImageText()));
    return cue_path;
}

std::string WriteCueBinImageWithText(const std::string& folder,
                                     const std::vector<int>& track_frames, const ImageText& text,
                                     const std::string& name) {
    const std::filesystem::path dir(folder);
    WriteBin((dir / (name + ".bin")).string(), AudioTracks(track_frames));
    const std::string cue_path = (dir / (name + ".cue")).string();
    WriteText(cue_path, CueSheet(name, AudioTracks(track_frames), text));
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
