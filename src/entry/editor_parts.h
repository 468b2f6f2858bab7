// Pieces the small editors share: their buttons, the check of a typed text against the tables'
// code page, and how a table failure reaches the user.
#pragma once

#include <QDialogButtonBox>
#include <QString>
#include <optional>
#include <string>

class QPushButton;
class TableError;

// A button of `box` with its object name and caption.
QPushButton* AddDialogButton(QDialogButtonBox* box, const char* name, const QString& text,
                             QDialogButtonBox::ButtonRole role);

// `text` as table bytes. A character the tables cannot hold is refused: "error.wav" and a
// message naming the field (`caption`, as the screen labels it) and the character; nothing.
std::optional<std::string> TextForTable(const QString& text, const QString& caption);

// Tells the user about a failure of the table layer (its text names the file).
void ShowTableError(const TableError& error);
