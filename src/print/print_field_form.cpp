#include "print/print_field_form.h"

#include <QFormLayout>
#include <QLineEdit>
#include <utility>

#include "base/text.h"
#include "base/ui.h"
#include "entry/amend_form_parts.h"
#include "entry/pick_list_combo.h"
#include "print/report_selection.h"
#include "print/sort_form.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/saved_position.h"

PrintFieldForm::PrintFieldForm(Catalogue& catalogue, PrintSelectionHooks hooks,
                               const PrintFieldTable& table, QWidget* parent)
    : PrintSelectionForm(catalogue, std::move(hooks), true, parent), table_(table) {}

std::string PrintFieldForm::FieldName(int field) const {
    return SelectedField(table_.kind, field);
}

int PrintFieldForm::ShowPrint(const QString& caption, BoxWidth width, char code, int field) {
    caption_ = caption;
    order_ = field;
    field_ = FieldName(field);
    setWindowTitle(caption);
    const bool wide = width == BoxWidth::Wide;
    const int length = wide ? 50 : 30;
    if (code != ' ' && code != '\0') {
        box_ = MakeListField(catalogue_, this, "pStr", code, length);
    } else {
        // No pick list: a list of every artist or title would be as long as the catalogue.
        box_ = new PickListCombo(this);
        box_->setObjectName("pStr");
        box_->lineEdit()->setMaxLength(length);
    }
    box_->setFixedWidth(wide ? table_.wideWidth : 260);
    auto* fields = new QFormLayout;
    fields->addRow(caption + ":", box_);
    SetFields(fields);
    box_->setFocus();
    return exec();
}

TTableAccess& PrintFieldForm::Access() const {
    return table_.tracks ? catalogue_.dm1.ArtAccess : catalogue_.dm2.HfAccess;
}

void PrintFieldForm::PrintData(bool preview) {
    const std::optional<std::string> typed = FieldBytes(box_, caption_);
    if (!typed)
        return;
    // Leading blanks are never stored; trailing ones end a word ("The " is not "Them").
    std::string text =
        IsBlank(*typed) ? std::string() : typed->substr(typed->find_first_not_of(' '));
    TTableAccess& access = Access();
    SavedPosition saved(access);
    int order = order_;
    if (text.empty()) {
        if (CurrentUi().Message(MsgKind::Confirmation, table_.question, MsgButtons::YesNo) !=
            MsgAnswer::Yes) {
            box_->setFocus();
            return;
        }
        if (TSortForm::Numerical(this))
            order = table_.sourceOrder;
    }
    const ReportSelection found = SelectByPrefix(access, {order, {field_}, text, filterBytes()});
    HandOver(access, found, caption_ + " \"" + FromTable(TableText(Trim(text))) + "\" not found.",
             table_.kind, preview, caption_);
    box_->setFocus();
}
