// SimilarSources: the sources of the catalogue found by their main title and main artist as a
// person reads them (SimilarSpellingKey of both). The main titles are read once into a sorted
// table of key hashes, a few bytes per source; each look-up is then one binary search and a read
// of the records it names, which confirms them as they stand now, so a main title changed since
// is never named under its old text. For the entry screen, which asks on every keystroke.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TTable;

class SimilarSources {
public:
    // One source found: its main-title record and what it holds, table bytes trimmed.
    struct Source {
        uint32_t recno = 0;
        std::string carrier;
        int64_t number = 0;
        std::string title;
        std::string artist;
    };

    // Reads every main title of `titles` (deleted records and titles without words left out).
    // `titles` must outlive this object. Failures throw TableError.
    explicit SimilarSources(TTable& titles);

    // The main title in record `recno` was written as `title` and `artist`: found from now on.
    void Add(uint32_t recno, std::string_view title, std::string_view artist);
    // The sources whose main title and main artist are similar to these, record `except` left
    // out, in record order. None when `title` holds no word; a blank `artist` matches a blank
    // one. Failures throw TableError.
    std::vector<Source> Find(std::string_view title, std::string_view artist, uint32_t except);
    // How many main titles are known.
    size_t size() const { return entries_.size(); }

private:
    struct Entry {
        uint64_t hash;
        uint32_t recno;
        auto operator<=>(const Entry&) const = default;
    };
    // The hash of the joined keys of `title` and `artist`; false when the title has no word.
    bool Hash(std::string_view title, std::string_view artist, uint64_t* hash);

    TTable& titles_;
    std::vector<Entry> entries_;                 // sorted
    std::string titleKey_, artistKey_, joined_;  // room kept for every look-up
};

// What the entry screen says of `found` (table bytes): "Already in the catalogue: CD 12 "Title"
// by Artist", with " and 2 more" when there are others. Empty when nothing was found.
std::string AlreadyInCatalogueText(const std::vector<SimilarSources::Source>& found);
