// The widget side of table text: the one conversion between the tables' bytes (Windows-1252)
// and the text of the widgets.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "base/table_text.h"

// Table text as widget text.
QString FromTable(const TableText& text);
// The widget text as table bytes; nothing when it holds a character Windows-1252 lacks.
std::optional<std::string> ToTable(const QString& text);
