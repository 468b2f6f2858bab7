// TDataModule1: the engine settings of the run (TableEnv1) and the track table artdat.dat, with
// the operations that change many tracks at once or finish a track a screen has been editing.
// The track table is not opened here: the start-up check opens it once it knows the index files
// are in order (Catalogue::OpenIndexes, or the index build).
//
// Texts are bytes of the tables' code page. Table failures throw TableError; the operations that
// walk the tracks of a source put the table back where it stood (unless stated otherwise) before
// the error goes on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/table_access.h"
#include "store/table_component.h"
#include "store/table_env.h"

class TDataModule2;
class TDataModule3;

class TDataModule1 {
public:
    // Applies the engine settings (four-digit years, dd-mm-yyyy dates, deleted records hidden)
    // and points ArtTable at artdat.dat in `folder`. `readOnly` opens every table of the
    // catalogue read-only.
    explicit TDataModule1(const std::string& folder, bool readOnly = false);

    TTableEnv TableEnv1;
    TTable ArtTable;
    TTableAccess ArtAccess{&ArtTable};

    // Writes the performance (U), style (G) and keyword (T) of every track as lookup items.
    // Needs ArtTable open and INDEX3.CDX open on the items table.
    void UpdateItems(TDataModule3& items);

    // Stores the current track record (edited or inserted by a screen): DRAGER upper-cased, the
    // six texts capitalised with the flags of cd.ini section Kapitaliseer (read now), JAAR := the
    // year (blank when it has fewer than 3 characters), WIJZIGDAT := today, MINUTEN/SECONDEN :=
    // the numbers with at least two digits, TRACK := `track`; then posts. Minutes 0..999,
    // seconds 0..59, track 1..999 and a year of at most 4 digits are required; otherwise
    // TableError and the record stays unposted as it was.
    void KapitaliseerData1(std::string_view year, std::string_view minutes, std::string_view track,
                           std::string_view seconds);

    // Writes `value` as given into field `fieldName` of every track of the source (carrier,
    // number). A pending edit of the track table is posted first. Order and record are restored.
    void ReplaceVeld(std::string_view carrier, std::string_view number, std::string_view value,
                     std::string_view fieldName);

    // Asks whether to renumber the tracks of the source and, on Yes, numbers them 1, 2, 3 ... in
    // the order side, track number, order of storing, running on across the sides. False when
    // the lock on modifying is on (the user is told) or the answer is No. The record is restored.
    bool HernummerTrackVeld(std::string_view carrier, std::string_view number);

    // After the main title on which `titles.HfAccess` stands was stored with the key
    // (newCarrier, newNumber): moves the tracks of the old key to the new one. When another main
    // title has the new key, warns, writes the old key back into the main title (posted) and
    // moves nothing: false. Unchanged keys do nothing: true.
    bool ChangeTracks(TDataModule2& titles, std::string_view oldCarrier, std::string_view oldNumber,
                      std::string_view newNumber, std::string_view newCarrier);

    // Gives every track of the source (oldCarrier, oldNumber) the key (newCarrier, newNumber);
    // the carrier is stored upper-cased. Leaves the track table on order 8. Guards nothing: the
    // caller has made sure the new key is free.
    void HernummerTracks(std::string_view oldCarrier, std::string_view oldNumber,
                         std::string_view newNumber, std::string_view newCarrier);

    // Asks for confirmation and deletes the track on which the track table stands. True when it
    // was deleted; false at the end of the table or when the user said No.
    bool DeleteOneTrack();

    // Optimises the catalogue: packs artdat.dat, hfdat.dat and Uitdat.dat (the last reindexed
    // too), each alone with the file; a table another program holds is skipped with "File is in
    // use, try later.". Then cleans the lookup items and PackTable1. `gauge` gets each pack's
    // percentage. Each table is left open for shared use with its index file; a failure of one
    // table does not stop the others and is thrown at the end. `packed` (when given) gets the
    // tables that were packed, whose index files were thereby built anew from the table.
    void PackFiles(TDataModule2& titles, TDataModule3& rest,
                   const TTableAccess::GaugeHook& gauge = nullptr,
                   std::vector<const TTable*>* packed = nullptr);

    // Deletes every track whose artist and title are both blank.
    void PackTable1();

private:
    // Packs one table alone with it; false when another program holds it.
    bool PackOne(TTableAccess& access, const std::string& indexFile, bool reindex,
                 const TTableAccess::GaugeHook& gauge);

    std::string folder_;
};
