#include "store/csv_cell_guard.h"

namespace {

bool StartsFormula(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// Apostrophes, at least `least` of them, and then a character that starts a formula.
bool Guarded(std::string_view text, size_t least) {
    size_t quotes = 0;
    while (quotes < text.size() && text[quotes] == '\'')
        ++quotes;
    return quotes >= least && quotes < text.size() && StartsFormula(text[quotes]);
}

}  // namespace

void GuardCsvCell(std::string* text) {
    if (Guarded(*text, 0))
        text->insert(text->begin(), '\'');
}

std::string_view UnguardCsvCell(std::string_view text) {
    return Guarded(text, 1) ? text.substr(1) : text;
}
