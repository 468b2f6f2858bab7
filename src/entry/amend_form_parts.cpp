#include "entry/amend_form_parts.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>

#include "base/ini.h"
#include "entry/editor_parts.h"
#include "entry/item_pick_list.h"
#include "entry/pick_list_combo.h"
#include "entry/verander_combo_items.h"
#include "shell/range_spin_box.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/table_error.h"

namespace {

// Opens the item editor when the text part of a list field is double-clicked.
class ItemEditorOnDoubleClick : public QObject {
public:
    ItemEditorOnDoubleClick(Catalogue& catalogue, PickListCombo* combo, char code)
        : QObject(combo), catalogue_(catalogue), combo_(combo), code_(code) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonDblClick || !combo_->isEnabled())
            return QObject::eventFilter(watched, event);
        const QString result =
            TVeranderComboItems::Show(catalogue_, combo_->currentText(), code_, combo_->window());
        combo_->setEditText(result);
        return true;
    }

private:
    Catalogue& catalogue_;
    PickListCombo* combo_;
    char code_;
};

}  // namespace

PickListCombo* MakeListField(Catalogue& catalogue, QWidget* parent, const char* name, char code,
                             int maxLength) {
    auto* combo = new PickListCombo(parent);
    combo->setObjectName(name);
    combo->lineEdit()->setMaxLength(maxLength);
    OfferItems(combo, catalogue, code);
    combo->lineEdit()->installEventFilter(new ItemEditorOnDoubleClick(catalogue, combo, code));
    return combo;
}

QLineEdit* MakeTextField(QWidget* parent, const char* name, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

RangeSpinBox* MakeNumberField(QWidget* parent, const char* name, int low, int high) {
    return new RangeSpinBox(parent, name, low, high, int(std::to_string(high).size()));
}

QLineEdit* MakeYearField(QWidget* parent, const char* name) {
    QLineEdit* edit = MakeTextField(parent, name, 4);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), edit));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("00000") + 16);
    return edit;
}

QHBoxLayout* MakeTimeAndYearRow(QWidget* parent, QSpinBox* minutes, QSpinBox* seconds,
                                QLabel* yearCaption, QLineEdit* year) {
    minutes->setFixedWidth(minutes->fontMetrics().horizontalAdvance("9999") + 40);
    seconds->setFixedWidth(minutes->width());
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(minutes);
    row->addWidget(new QLabel(":", parent));
    row->addWidget(seconds);
    row->addSpacing(24);
    yearCaption->setBuddy(year);
    row->addWidget(yearCaption);
    row->addWidget(year);
    row->addStretch();
    return row;
}

void EnableWithCaption(QFormLayout* form, QWidget* field, bool enabled) {
    field->setEnabled(enabled);
    if (QWidget* caption = form->labelForField(field))
        caption->setEnabled(enabled);
}

void EnableTrackFieldsBySetting(QFormLayout* form, const TrackFieldsBySetting& fields) {
    EnableWithCaption(form, fields.composer, IniReadBool("Invoer", "Inv_Componist"));
    EnableWithCaption(form, fields.style, IniReadBool("Invoer", "Inv_Genre2"));
    EnableWithCaption(form, fields.performance, IniReadBool("Invoer", "Inv_Uitvoering"));
    EnableWithCaption(form, fields.keyword, IniReadBool("Invoer", "Inv_Trefwoord"));
    const bool time = IniReadBool("Invoer", "Inv_Tijd");
    for (QWidget* w : {fields.timeCaption, fields.minutes, fields.seconds})
        w->setEnabled(time);
    const bool year = IniReadBool("Invoer", "Inv_Jaar");
    fields.yearCaption->setEnabled(year);
    fields.year->setEnabled(year);
}

std::optional<std::string> FieldBytes(QWidget* field, const QString& caption) {
    QString text;
    if (auto* combo = qobject_cast<QComboBox*>(field))
        text = combo->currentText();
    else if (auto* edit = qobject_cast<QLineEdit*>(field))
        text = edit->text();
    std::optional<std::string> bytes = TextForTable(text, caption);
    if (!bytes)
        field->setFocus();
    return bytes;
}

bool CollectFieldBytes(std::initializer_list<FieldText> fields) {
    for (const FieldText& f : fields) {
        const std::optional<std::string> bytes = FieldBytes(f.field, f.caption);
        if (!bytes)
            return false;
        *f.text = *bytes;
    }
    return true;
}
