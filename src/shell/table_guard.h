// How a failure of the table layer reaches the user from an event handler: the one catch of
// TableError that every screen uses, so that none lets it escape into the event loop.
#pragma once

#include <functional>
#include <utility>

#include "store/table_error.h"

// Tells the user about a failure of the table layer: "error.wav" and its text (which names the
// file). True when damage was found and the user let the repair of the tables run to a good end.
bool ShowTableError(const TableError& error);

// Runs `work`, the table work of a handler. On a TableError, `undo` (when given) first puts back
// what the work left half done, such as a record still being edited, then the user is told.
// False when the work failed.
bool TableGuarded(const std::function<void()>& work, const std::function<void()>& undo = nullptr);

// Runs `show` (which builds a screen, shows it and returns what it gives back). A table failure
// on the way is shown to the user and `fallback` returned instead.
template <class Result, class ShowFn>
Result ShowGuarded(Result fallback, ShowFn&& show) {
    Result result = std::move(fallback);
    TableGuarded([&] { result = show(); });
    return result;
}
