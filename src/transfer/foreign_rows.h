// One source of another program's file as rows of the catalogue's CSV files (sources.csv and
// tracks.csv), each value checked as the CSV import will check it, so that a refusal can name the
// entry of the user's file. Text longer than its field is cut to fit, the full text goes into the
// memo, and a note says so.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/foreign/foreign_source.h"
#include "platform/xbase/table.h"

class ForeignRows {
public:
    // The tables the rows are for (hfdat.dat, artdat.dat); `today` ("yyyy-mm-dd") is the entry
    // date of every source.
    ForeignRows(const xbase::Table& titles, const xbase::Table& tracks, std::string today);

    static std::string SourceHeader();
    static std::string TrackHeader();

    // Appends the rows of `source` as carrier `carrier` number `number` to *sourceRows and
    // *trackRows and its cut notes to *cutNotes. Returns "" or, adding nothing, why it is refused.
    std::string Convert(const foreign::Source& source, const std::string& carrier, int64_t number,
                        std::string* sourceRows, std::string* trackRows,
                        std::vector<std::string>* cutNotes);

private:
    // Checks `text` for field `name` and appends it to *row; cuts it to the field when needed,
    // noting the full text. Returns "" or the refusal.
    std::string Value(const xbase::Table& table, const char* name, std::string text,
                      std::string* row, const std::string& whose);

    const xbase::Table& titles_;
    const xbase::Table& tracks_;
    std::string today_;
    std::vector<uint8_t> scratch_;
    std::string scratchMemo_;
    // Of the source under way: the texts cut to fit, for its memo and its notes.
    struct Cut {
        std::string label;  // "main title", "track 3 title"
        size_t length;
        std::string text;
    };
    std::vector<Cut> cut_;
};
