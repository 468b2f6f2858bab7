// Pieces the insert, track and main-title screens share: list fields that fill their pick list
// when they open and edit their item on a double-click, captions that follow their field's
// enabled state, and the typed texts as table bytes.
#pragma once

#include <QString>
#include <optional>
#include <string>

class Catalogue;
class PickListCombo;
class QFormLayout;
class QLineEdit;
class QSpinBox;
class QWidget;

// A list field named `name` of `maxLength` characters whose pick list holds the items of `code`
// (filled at each opening) and whose double-click opens the item editor TVeranderComboItems
// and puts its result into the field.
PickListCombo* MakeListField(Catalogue& catalogue, QWidget* parent, const char* name, char code,
                             int maxLength);
// A text field named `name` of `maxLength` characters.
QLineEdit* MakeTextField(QWidget* parent, const char* name, int maxLength);
// A whole-number field named `name` from `low` to `high`.
QSpinBox* MakeNumberField(QWidget* parent, const char* name, int low, int high);
// A field for a year: up to four digits, nothing else.
QLineEdit* MakeYearField(QWidget* parent, const char* name);

// Enables or disables `field` together with its caption in `form`.
void EnableWithCaption(QFormLayout* form, QWidget* field, bool enabled);

// The text of a line or list field as table bytes; a character the tables cannot hold is
// refused with a message naming `caption`, and the field gets the focus.
std::optional<std::string> FieldBytes(QWidget* field, const QString& caption);
