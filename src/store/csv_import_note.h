// The note an import from CSV keeps in cd.ini ([Diversen] CsvImport) while it writes, so that
// the next start can take back exactly what a crash left of it. For each table it writes, the
// note gives the number of the import's first record, how many of its records are written and a
// checksum of their bytes, and the batch being written next with the checksum up to its end:
//   v2 hfdat.dat:101:3:9c0d41e2a7b3f655:0:9c0d41e2a7b3f655 artdat.dat:0:0:...:0:... ...
// The import holds a table's write lock from the note's first record through its last batch,
// so the records in between are all its own. The checksum leaves out the deleted flag and the
// memo fields' block numbers: it stays the same when the record is hidden again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/xbase/status.h"
#include "platform/xbase/table.h"

class Catalogue;
class TTableAccess;
struct RecoveryOutcome;

inline constexpr uint64_t kRecordsProofStart = 0x6a09e667f3bcc908ull;

// The checksum of `count` records following records checked into `proof` before them.
uint64_t RecordsProof(const xbase::Table& table, const uint8_t* records, uint32_t count,
                      uint64_t proof);

// What the import has written to one table; HideImportedRecords hides the `done` records.
struct ImportedRecords {
    uint32_t first = 0;  // the import's first record; 0 while it has written nothing there
    uint32_t done = 0;   // records written from `first` on
    uint64_t doneProof = kRecordsProofStart;
    uint32_t next = 0;                        // records of the batch being written after them
    uint64_t nextProof = kRecordsProofStart;  // of the `done` records and the batch together
};

// The tables an import writes, in the order of its note.
std::vector<TTableAccess*> ImportTables(Catalogue& catalogue);

// The note's text for `tables`, and back; false for a text that is no such note.
std::string ImportNoteText(const std::vector<TTableAccess*>& tables,
                           const std::vector<ImportedRecords>& records);
bool ParseImportNote(const std::string& text, const std::vector<TTableAccess*>& tables,
                     std::vector<ImportedRecords>* records);

// Writes the note; false (reported to the user) when cd.ini cannot take it.
bool WriteImportNote(const std::string& text);

// Hides the `count` records from `first` on of each table again (the next pack removes them)
// and puts the tables on the disk.
xbase::Status HideImportedRecords(const std::vector<TTableAccess*>& tables,
                                  const std::vector<ImportedRecords>& records);

// At start: takes back what an import that a crash cut short had written, after a safety copy,
// when the note proves which records those are. A note that does not fit the tables takes back
// nothing: it is moved aside and refused with a message. None when no import was noted. Throws
// TableError.
RecoveryOutcome UndoUnfinishedCsvImport(Catalogue& catalogue);
