#include "track_generator.h"

#include <algorithm>
#include <array>
#include <string>

#include "split_mix.h"

namespace bench {

namespace {

using Random = SplitMix;

const std::array<const char*, 32> kSyllables = {"ka", "lo", "mi", "ne",  "ro", "sa", "ti", "vu",
                                                "be", "do", "fa", "gi",  "ho", "ju", "ke", "la",
                                                "mo", "nu", "pe", "qui", "ri", "so", "tu", "ve",
                                                "wa", "xe", "yo", "ze",  "an", "el", "or", "mü"};
const std::array<const char*, 40> kWords = {
    "Love", "Night",  "Over",  "River",   "Blue", "Dream", "Fire",   "Heart", "Moon",  "Rain",
    "Road", "Song",   "Star",  "Sun",     "Time", "Way",   "Wind",   "World", "Again", "Alone",
    "Café", "Dance",  "Days",  "Forever", "Home", "Light", "Little", "Lover", "Money", "Morning",
    "Rose", "Summer", "Sweet", "Tears",   "Town", "Walk",  "Wild",   "Woman", "Young", "Zoë"};
const std::array<const char*, 12> kStyles = {"Rock",      "Pop",     "Jazz",       "Blues",
                                             "Classical", "Folk",    "Soul",       "Country",
                                             "Reggae",    "Chanson", "Electronic", "Latin"};
const std::array<const char*, 8> kPerformances = {
    "Studio", "Live", "Acoustic", "Remix", "Demo", "Orchestral", "Unplugged", "Radio edit"};
const std::array<const char*, 10> kKeywords = {"Ballad", "Instrumental", "Duet", "Cover",
                                               "Medley", "Christmas",    "Film", "Dance",
                                               "Hit",    "Classic"};
const std::array<const char*, 5> kCarriers = {"CD", "LP", "MC", "SACD", "DVD"};

std::string Name(Random& r, int parts) {
    std::string s;
    for (int p = 0; p < parts; ++p) {
        if (p > 0)
            s += ' ';
        int syllables = 2 + int(r.Below(2));
        std::string word;
        for (int i = 0; i < syllables; ++i)
            word += kSyllables[r.Below(kSyllables.size())];
        word[0] = char(word[0] - 32);  // every syllable starts with an ASCII letter
        s += word;
    }
    return s;
}

std::string Title(Random& r) {
    std::string s;
    int words = 1 + int(r.Below(4));
    for (int i = 0; i < words; ++i) {
        if (i > 0)
            s += ' ';
        s += kWords[r.Below(kWords.size())];
    }
    return s;
}

std::string TwoDigits(uint64_t v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
}

}  // namespace

void GenerateTrackCsv(std::ostream& out, uint64_t tracks, uint64_t seed) {
    Random r(seed);
    // A pool of artists and composers shared across sources, as in a real collection.
    const size_t artists = 2000 + tracks / 50;
    std::string row;
    out << "TITEL,ARTIEST,TREF,TRACK,COMPONIST,MINUTEN,SECONDEN,CDNUMMER,SOORT,DRAGER,UITVOER,"
           "AKANT,JAAR\n";
    uint64_t written = 0;
    std::array<uint64_t, kCarriers.size()> numbers{};
    while (written < tracks) {
        const size_t carrier = r.Below(kCarriers.size());
        const uint64_t number = ++numbers[carrier];
        const bool sides = carrier == 1 || carrier == 2;
        const uint64_t count = std::min<uint64_t>(6 + r.Below(15), tracks - written);
        Random artistPick(seed ^ (r.Below(artists) * 7919));
        const std::string mainArtist = Name(artistPick, 2);
        const std::string style = kStyles[r.Below(kStyles.size())];
        const std::string year = std::to_string(1950 + r.Below(76));
        for (uint64_t t = 1; t <= count; ++t, ++written) {
            std::string artist = mainArtist;
            if (r.Below(5) == 0) {
                Random other(seed ^ (r.Below(artists) * 7919));
                artist = Name(other, 2);
            }
            const bool sideB = sides && t > count / 2;
            const uint64_t track = sides && sideB ? t - count / 2 : t;
            uint64_t minutes = 1 + r.Below(8);
            if (r.Below(200) == 0)
                minutes = 10 + r.Below(100);
            row.clear();
            row += Title(r) + ',' + artist + ',' + kKeywords[r.Below(kKeywords.size())] + ',' +
                   std::to_string(track) + ',' + Name(r, 1) + ',' + TwoDigits(minutes) + ',' +
                   TwoDigits(r.Below(60)) + ',' + std::to_string(number) + ',' + style + ',' +
                   kCarriers[carrier] + ',' + kPerformances[r.Below(kPerformances.size())] + ',' +
                   (sides ? (sideB ? "B" : "A") : "") + ',' + year + '\n';
            out << row;
        }
    }
}

}  // namespace bench
