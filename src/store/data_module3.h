// TDataModule3: the loans (Uitdat.dat), the lookup items (items.dat) and the playlist
// (playlist.dat), open from construction to the end of the run, and the lookup-item operations
// that fill the pick lists: writing an item, reading the items of one code, and cleaning the file.
//
// Item texts are bytes in the tables' code page (Windows-1252); callers convert at the widget
// boundary. Table failures throw TableError.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/table_access.h"
#include "store/table_component.h"
#include "store/table_env.h"

class TDataModule1;

class TDataModule3 {
public:
    // Opens the three tables of `folder` (shared) under the settings of `env`, which must outlive
    // the module. Throws TableError naming the file when one is missing or damaged.
    TDataModule3(const std::string& folder, TTableEnv& env);

    TTable UitleenTable;
    TTableAccess UitleenAccess{&UitleenTable};
    TTable ItemsTable;
    TTableAccess ItemsAccess{&ItemsTable};
    TTable PlaylistTable;
    TTableAccess PlaylistAccess{&PlaylistTable};

    // Adds the item (text, code) unless an item of that code with the same text in any letter
    // case exists; a blank text adds nothing. Needs INDEX3.CDX open; leaves ItemsAccess on order
    // 1. The text is stored as given; longer than 50 characters (trailing blanks aside) throws.
    void WriteItems(std::string_view text, char code);
    // Appends the non-blank items of `code` to `list`, trimmed, in alphabetical order. When the
    // code has no items at all, shows "No information found!". Leaves ItemsAccess on order 2.
    void GetItems(std::vector<std::string>& list, char code);
    // Deletes the items with a blank text, then PackItemFile.
    void PackItems(const TTableAccess::GaugeHook& gauge = nullptr);
    // Compacts items.dat (exclusive use for the pack) and opens INDEX3.CDX again. Whatever
    // happens, the table is left open for shared use with its index file open; a failure is
    // thrown after that. Without a gauge the progress shows in the status line.
    void PackItemFile(const TTableAccess::GaugeHook& gauge = nullptr);

    // Adds track record `trackRecNo` (decimal text) of the track table to the playlist, copying
    // its display fields. Refuses, with the error sound and a message, a track without a source
    // number and a track already listed (same carrier, number, track and side). A failure is
    // shown, and a record that could not be stored leaves nothing behind. True when the track was
    // added; the track table stands on it and the playlist table on order 7 afterwards.
    bool AddToPlayList(TDataModule1& tracks, std::string_view trackRecNo);
    // Asks first (No the default), then deletes the playlist record on which the playlist table
    // stands. True when it was deleted; false at the end of the table or when the user said No.
    // Throws TableError.
    bool DeletePlaylistTrack();
    // Runs the protection check, asks first (No the default), then empties playlist.dat and its
    // index file (ZapPlaylist) and the description in print.ini. True when the list was emptied.
    // Throws TableError.
    bool DeletePlaylist();
    // Removes every playlist record at once, deleted ones included, keeping the files: a crash
    // leaves the old or the empty list. False, after "File is in use, try later.", when another
    // program holds the table. The table is left open for shared use in the order it had.
    // Throws TableError.
    bool ZapPlaylist();

    // The key of an item in tag "1": the text upper-cased as the index does it, blank-padded to
    // 50, then the code.
    std::string ItemKey(std::string_view text, char code) const;

private:
    std::string folder_;
};
