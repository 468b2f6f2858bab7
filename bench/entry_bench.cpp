// entry_bench: how the entry screen's logic feels on a big catalogue. Measures one look-up
// completion per keystroke in the artist and title fields and one saved track, through the same
// EntrySession the screen uses, on a catalogue folder given on the command line.
//   entry_bench FOLDER [KEYSTROKES] [TRACKS]
// The folder is changed (tracks are added): give it a copy.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "base/work_dir.h"
#include "entry/entry_session.h"
#include "store/catalogue.h"
#include "store/table_error.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

void Report(const char* what, std::vector<double> times) {
    const size_t slowest = size_t(std::max_element(times.begin(), times.end()) - times.begin());
    std::sort(times.begin(), times.end());
    const auto at = [&times](double q) { return times[size_t(q * double(times.size() - 1))]; };
    std::printf("%s: %zu runs, median %.3f ms, p99 %.3f ms, max %.3f ms (run %zu)\n", what,
                times.size(), at(0.5), at(0.99), times.back(), slowest + 1);
}

// Prefixes as a user types them: the first one to four letters of stored-looking words.
std::vector<std::string> Keystrokes(int count) {
    static const char* const words[] = {"the",  "love",  "blue",  "night", "song", "rock",
                                        "john", "maria", "dance", "river", "zz",   "qx"};
    std::mt19937 random(7);
    std::vector<std::string> typed;
    while (int(typed.size()) < count) {
        const std::string word = words[random() % std::size(words)];
        for (size_t n = 1; n <= word.size() && int(typed.size()) < count; ++n)
            typed.push_back(word.substr(0, n));
    }
    return typed;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: entry_bench FOLDER [KEYSTROKES] [TRACKS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int keystrokes = argc > 2 ? std::atoi(argv[2]) : 2000;
    const int tracks = argc > 3 ? std::atoi(argv[3]) : 2000;
    SetWorkDir(folder);
    try {
        Catalogue catalogue(folder);
        catalogue.OpenIndexes();
        std::printf("tracks in the catalogue: %llu\n",
                    static_cast<unsigned long long>(catalogue.dm1.ArtAccess.Count()));
        EntrySession session(catalogue, nullptr);
        session.Start();

        std::vector<double> artist, title;
        for (const std::string& typed : Keystrokes(keystrokes)) {
            session.fields.artiest = typed;
            auto start = Clock::now();
            session.LookupChanged(EntryControl::InvArtiest);
            artist.push_back(Ms(start));
            session.fields.titel = typed;
            start = Clock::now();
            session.LookupChanged(EntryControl::InvTitel);
            title.push_back(Ms(start));
        }
        Report("look-up, artist field", artist);
        Report("look-up, title field", title);

        session.fields.drager = "BENCH";
        session.fields.nummer = 900000000;
        session.fields.hoofdtitel = "Bench source";
        std::vector<double> saves;
        for (int i = 0; i < tracks; ++i) {
            if (session.trackNr() > 990) {
                session.NewSource();
                session.fields.drager = "BENCH";
                session.fields.nummer = 900000000 + i;
                session.fields.hoofdtitel = "Bench source";
            }
            session.fields.artiest = "Bench artist " + std::to_string(i % 97);
            session.fields.titel = "Bench title " + std::to_string(i);
            session.fields.minuten = 3;
            session.fields.seconden = i % 60;
            const auto start = Clock::now();
            if (!session.WriteTracks(false)) {
                std::fprintf(stderr, "entry_bench: track %d was refused\n", i);
                return 1;
            }
            saves.push_back(Ms(start));
        }
        Report("track save", saves);
        session.SaveAndClose();
    } catch (const TableError& error) {
        std::fprintf(stderr, "entry_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
