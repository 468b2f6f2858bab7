// The screens that edit records (the entry screen, the insert screen, the modify screens). The
// commands that change the whole catalogue at once (optimising, renumbering, search and replace,
// an import, putting back a safety copy) refuse to start while one of them is open, because
// they move or rewrite records under that screen's feet.
#pragma once

#include <QString>

class TMainForm;

// The caption of an open editing screen of the program (a child window of `form` or a dialog),
// "" when none is open.
QString OpenEditingScreen(const TMainForm& form);

// When an editing screen is open: "error.wav" and a message asking to close it first (naming it
// and `command`, the caption of the refused command); true then, false when the way is clear.
bool RefuseWhileEditing(const TMainForm& form, const QString& command);
