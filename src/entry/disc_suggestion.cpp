#include "entry/disc_suggestion.h"

#include <QList>
#include <QString>
#include <algorithm>
#include <vector>

#include "shell/table_text.h"

SuggestedText SuggestForField(const std::string& utf8, size_t width) {
    SuggestedText suggestion;
    std::vector<size_t> marks;
    // Character by character, so that one the tables lack marks only itself.
    for (const char32_t ch : QString::fromStdString(utf8).toUcs4()) {
        const std::optional<std::string> bytes = ToTable(QString::fromUcs4(&ch, 1));
        if (!bytes)
            marks.push_back(suggestion.text.size());
        suggestion.text += bytes ? *bytes : std::string(1, kUnholdableMark);
    }
    if (width > 0 && suggestion.text.size() > width) {
        suggestion.text.resize(width - 1);
        suggestion.text += kCutMark;
        suggestion.cut = true;
    }
    const size_t kept = suggestion.cut ? width - 1 : suggestion.text.size();
    suggestion.marked =
        int(std::count_if(marks.begin(), marks.end(), [kept](size_t at) { return at < kept; }));
    return suggestion;
}

SuggestedText SuggestYear(const std::string& year) {
    const bool digits = year.size() == 4 && std::all_of(year.begin(), year.end(), [](char ch) {
                            return ch >= '0' && ch <= '9';
                        });
    return {digits ? year : std::string(), false, 0};
}

std::string SuggestionNote(const SuggestedText& suggestion, size_t width) {
    std::string note;
    if (suggestion.cut)
        note = "Cut to " + std::to_string(width) + " characters (…)";
    if (suggestion.marked > 0)
        note += std::string(note.empty() ? "" : "; ") +
                "¤ marks characters the catalogue cannot hold: edit them";
    return note;
}
