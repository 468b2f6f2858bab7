#include "entry/item_editor_parts.h"

#include <QLineEdit>

#include "base/text.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "entry/lookup_item_edit.h"
#include "shell/table_text.h"
#include "store/catalogue.h"

std::optional<uint32_t> FindItemText(TDataModule3& items, const QString& text, char code,
                                     QString& stored) {
    const std::optional<std::string> bytes = ToTable(text.trimmed());
    if (!bytes)
        return std::nullopt;
    const std::optional<uint32_t> recno = FindItem(items, *bytes, code);
    if (recno)
        stored = FromTable(Trim(items.ItemsAccess.GetString("OMS")));
    return recno;
}

std::optional<std::string> ItemTextToStore(TDataModule3& items, QLineEdit* field,
                                           const QString& caption, char code, uint32_t recno) {
    const std::optional<std::string> text = TextForTable(field->text().trimmed(), caption);
    if (!text)
        return std::nullopt;
    if (text->empty()) {
        CurrentUi().Beep();
        field->setFocus();
        return std::nullopt;
    }
    if (ItemTextTaken(items, *text, code, recno)) {
        CurrentUi().Message(MsgKind::Information, "Information \"" +
                                                      FromTable(TableText(*text)).toStdString() +
                                                      "\" does already exist.");
        field->setFocus();
        return std::nullopt;
    }
    return text;
}
