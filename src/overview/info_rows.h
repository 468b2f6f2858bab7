// The rows of the read-only windows that show one record: a caption and, beside it, a label
// bound to a field of the table's current record.
#pragma once

#include <string>

#include "overview/record_labels.h"

class QFormLayout;
class QLabel;
class QWidget;

// Adds the row `caption` to `form` with a new label (object name `name`) that `labels` keeps
// showing `reader`'s text. Returns the label.
QLabel* AddInfoRow(QWidget* owner, QFormLayout* form, RecordLabels& labels, const char* caption,
                   const char* name, RecordLabels::Reader reader);
// The same for one field, trimmed; the label is named after the field.
QLabel* AddInfoRow(QWidget* owner, QFormLayout* form, RecordLabels& labels, const char* caption,
                   const char* field);

// The track time of the current track record: minutes ":" seconds.
TableText TrackTimeText(const TTableAccess& tracks);
