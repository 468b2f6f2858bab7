#include "overview/info_rows.h"

#include <QFormLayout>
#include <QLabel>

#include "base/text.h"
#include "store/table_access.h"

QLabel* AddInfoRow(QWidget* owner, QFormLayout* form, RecordLabels& labels, const char* caption,
                   const char* name, RecordLabels::Reader reader) {
    auto* label = new QLabel(owner);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(260);
    labels.Bind(label, std::move(reader));
    form->addRow(caption, label);
    return label;
}

QLabel* AddInfoRow(QWidget* owner, QFormLayout* form, RecordLabels& labels, const char* caption,
                   const char* field) {
    const std::string name = field;
    return AddInfoRow(owner, form, labels, caption, field,
                      [name](const TTableAccess& access) { return Trim(access.GetString(name)); });
}

TableText TrackTimeText(const TTableAccess& tracks) {
    // Older catalogues hold "3" where the entry screen stores "03": both show as 03.
    return TableText(TwoDigits(tracks.GetString("MINUTEN").bytes()) + ":" +
                     TwoDigits(tracks.GetString("SECONDEN").bytes()));
}
