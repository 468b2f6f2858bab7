// Pieces the small editors share: the check of a typed text against the tables' code page, and
// how a table failure reaches the user. Their buttons and layout come from shell/dialog_parts.h.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "shell/dialog_parts.h"
#include "store/table_error.h"

// `text` as table bytes. A character the tables cannot hold is refused: "error.wav" and a
// message naming the field (`caption`, as the screen labels it) and the character; nothing.
std::optional<std::string> TextForTable(const QString& text, const QString& caption);

// Tells the user about a failure of the table layer (its text names the file). True when damage
// was found and the user let the repair of the tables run to a good end.
bool ShowTableError(const TableError& error);

// Runs `show` (which builds a screen, shows it and returns what it gives back). A table failure
// on the way is shown to the user and `fallback` returned instead.
template <class Result, class ShowFn>
Result ShowGuarded(Result fallback, ShowFn&& show) {
    try {
        return show();
    } catch (const TableError& error) {
        ShowTableError(error);
        return fallback;
    }
}
