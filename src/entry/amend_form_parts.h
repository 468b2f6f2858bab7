// Pieces the insert, track and main-title screens share: list fields that fill their pick list
// when they open and edit their item on a double-click, the track time and year row, captions
// that follow their field's enabled state, and the typed texts as table bytes.
#pragma once

#include <QString>
#include <initializer_list>
#include <optional>
#include <string>

#include "shell/range_spin_box.h"

class Catalogue;
class PickListCombo;
class QFormLayout;
class QHBoxLayout;
class QLabel;
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
RangeSpinBox* MakeNumberField(QWidget* parent, const char* name, int low, int high);
// A field for a year: up to four digits, nothing else.
QLineEdit* MakeYearField(QWidget* parent, const char* name);

// The row "minutes : seconds   Year: year" of a track, `yearCaption` the buddy of `year`; the time
// fields get the width of four digits and their arrows.
QHBoxLayout* MakeTimeAndYearRow(QWidget* parent, QSpinBox* minutes, QSpinBox* seconds,
                                QLabel* yearCaption, QLineEdit* year);

// Enables or disables `field` together with its caption in `form`.
void EnableWithCaption(QFormLayout* form, QWidget* field, bool enabled);

// The fields of a track that the entry settings (section Invoer) switch on and off.
struct TrackFieldsBySetting {
    QWidget* composer;     // Inv_Componist; this and the three below are rows of the form
    QWidget* style;        // Inv_Genre2
    QWidget* performance;  // Inv_Uitvoering
    QWidget* keyword;      // Inv_Trefwoord
    QWidget* timeCaption;  // Inv_Tijd, with minutes and seconds
    QWidget* minutes;
    QWidget* seconds;
    QWidget* yearCaption;  // Inv_Jaar, with year
    QWidget* year;
};

// Enables each of `fields` (and the captions of those in `form`) as the entry settings say.
void EnableTrackFieldsBySetting(QFormLayout* form, const TrackFieldsBySetting& fields);

// The text of a line or list field as table bytes; a character the tables cannot hold is
// refused with a message naming `caption`, and the field gets the focus.
std::optional<std::string> FieldBytes(QWidget* field, const QString& caption);

// A field, its caption in messages and where its text goes as table bytes.
struct FieldText {
    QWidget* field;
    const char* caption;
    std::string* text;
};

// FieldBytes of each field in turn into its `text`; false at the first that is refused.
bool CollectFieldBytes(std::initializer_list<FieldText> fields);
