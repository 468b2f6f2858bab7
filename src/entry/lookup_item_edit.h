// The changes the item editors make to one lookup item of items.dat: finding it by text and
// code, changing its text (and a carrier's side setting), adding a carrier item and deleting an
// item. Texts are table bytes. Table failures throw TableError and leave the item as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

class TDataModule3;

// The record number of the item (text in any letter case, code), found on order 1.
std::optional<uint32_t> FindItem(TDataModule3& items, std::string_view text, char code);
// True when an item of `code` other than record `recno` (0: none excepted) has `text` in any
// letter case: two items of one code never differ only in letter case.
bool ItemTextTaken(TDataModule3& items, std::string_view text, char code, uint32_t recno);
// Stores `text` as the OMS of item `recno`, and `kant` as its KANT when given.
void StoreItem(TDataModule3& items, uint32_t recno, std::string_view text,
               std::optional<char> kant = std::nullopt);
// Appends an item; returns its record number.
uint32_t AddItem(TDataModule3& items, std::string_view text, char code, char kant);
// Marks item `recno` deleted.
void DeleteItem(TDataModule3& items, uint32_t recno);
