// What the lookup item editors (carrier, quality, any pick-list item) share: finding the item
// they open on, and checking the text typed for it before it is stored.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

class QLineEdit;
class TDataModule3;

// The record number of the item `text` (trimmed) of `code`, with its stored text, trimmed, put
// into `stored`; nothing when there is no such item or the tables cannot hold `text`. The items
// table is left on the item. Throws TableError when the items cannot be read.
std::optional<uint32_t> FindItemText(TDataModule3& items, const QString& text, char code,
                                     QString& stored);

// The text typed in `field`, trimmed, as table bytes to store for item `recno` of `code` (0: a
// new item). Nothing when the tables cannot hold it (a message naming `caption`), when it is
// empty (a beep: an item is removed by deleting it) or when another item of `code` has it
// already ("Information \"...\" does already exist."); in the last two `field` gets the focus.
// Throws TableError when the items cannot be read.
std::optional<std::string> ItemTextToStore(TDataModule3& items, QLineEdit* field,
                                           const QString& caption, char code, uint32_t recno);
