// Small audio disc images for tests: a BIN of raw CD sectors (2352 bytes each, 16-bit
// little-endian stereo at 44.1 kHz) with a quiet tone per track, described by a CUE sheet or a
// cdrdao TOC file. Keep tracks to a few seconds: 75 frames are one second, 150 frames are
// 352,800 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testutil {

inline constexpr int kImageSectorBytes = 2352;

// One track of a generated image. A data track (mode 1, raw 2352-byte sectors of zeros) makes
// a mixed disc.
struct ImageTrack {
    int frames = 0;
    bool audio = true;
};

// Writes `<folder>/<name>.bin` and `<folder>/<name>.cue` with one track of each length, in
// frames, one after the other (track 1 at the start of the BIN, no pregaps). Returns the path
// of the .cue file. Throws std::runtime_error when the files cannot be written.
std::string WriteCueBinImage(const std::string& folder, const std::vector<int>& track_frames,
                             const std::string& name = "disc");
// CD-TEXT for a generated CUE sheet (UTF-8 here; the sheet holds it in ISO-8859-1, as libcdio
// reads it). Empty texts are left out of the sheet.
struct ImageText {
    std::string title;
    std::string performer;
    std::vector<std::string> trackTitles;
    std::vector<std::string> trackPerformers;
};
// The same with CD-TEXT on the disc.
std::string WriteCueBinImageWithText(const std::string& folder,
                                     const std::vector<int>& track_frames, const ImageText& text,
                                     const std::string& name = "disc");
// The same with audio and data tracks mixed.
std::string WriteMixedCueBinImage(const std::string& folder, const std::vector<ImageTrack>& tracks,
                                  const std::string& name = "disc");

// Writes `<folder>/<name>.bin` and a cdrdao `<folder>/<name>.toc` for audio tracks of the given
// lengths; returns the path of the .toc file.
std::string WriteTocBinImage(const std::string& folder, const std::vector<int>& track_frames,
                             const std::string& name = "disc");

// The sample value of the tone of audio track `track` (1-based) at `sample` (0-based sample
// pair counted from the start of the track); both channels carry it. Tracks differ in pitch.
std::int16_t ImageToneSample(int track, long sample);

// "mm:ss:ff" for a frame count, as CUE and TOC files write addresses.
std::string ImageMsf(long frames);

}  // namespace testutil
