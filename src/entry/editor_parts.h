// Pieces the small editors share: the check of a typed text against the tables' code page, and
// how a table failure reaches the user. Their buttons and layout come from shell/dialog_parts.h.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "shell/dialog_parts.h"
#include "shell/table_guard.h"

// `text` as table bytes. A character the tables cannot hold is refused: "error.wav" and a
// message naming the field (`caption`, as the screen labels it) and the character; nothing.
std::optional<std::string> TextForTable(const QString& text, const QString& caption);
