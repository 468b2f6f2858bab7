// The journal of a search and replace (replace.journal beside the tables), which makes a run
// all-or-nothing. The scan writes every change it will make, with the field's old and new value,
// to replace.journal.part; the file is then ended, synced and renamed replace.journal, and only
// then are records written, from the journal. A crash before the rename changed no record: the
// next start removes the part file. A crash after it is finished at the next start, record by
// record: a field that holds its old value gets its new one, a field that holds the new one is
// done. A journal that does not fit the tables (a field that holds neither, a line that cannot be
// read) changes nothing and is renamed aside, so that it is refused once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/xbase/status.h"
#include "store/pending_work.h"

class Catalogue;

class ReplaceJournalWriter {
public:
    // Starts replace.journal.part in the catalogue's folder; status() says whether it could.
    ReplaceJournalWriter(const Catalogue& catalogue, std::string_view search,
                         std::string_view replacement);
    // Removes the part file unless Commit succeeded.
    ~ReplaceJournalWriter();
    ReplaceJournalWriter(const ReplaceJournalWriter&) = delete;
    ReplaceJournalWriter& operator=(const ReplaceJournalWriter&) = delete;

    // One field to change: `table` is 'A' (tracks) or 'H' (main titles); values without the
    // blanks they end with.
    void Add(char table, uint32_t recno, std::string_view field, std::string_view oldValue,
             std::string_view newValue);
    // Ends, syncs and renames the journal; from here on the run counts as made.
    xbase::Status Commit();
    const xbase::Status& status() const { return status_; }

private:
    void Flush();

    std::string journal_, part_;
    int fd_ = -1;
    std::string buffer_;
    xbase::Status status_;
    bool committed_ = false;
};

// What writing the changes of a journal came to.
struct ReplaceApplied {
    std::string fault;  // when not empty, the journal does not fit and nothing changed
    std::string search, replacement;
    uint64_t fields = 0;      // fields the journal names; all hold the new value now
    uint64_t changedNow = 0;  // of these, the fields that held the old value
};

// Writes the changes of the committed journal (the running program right after Commit, or a
// start after a crash) and the lookup items of their new values, then removes the journal. A
// journal that does not fit is left where it is. Throws TableError; the journal then stays.
// `written`, when given, is raised by the fields of each record written, so that it tells how
// many were written before a failure.
ReplaceApplied ApplyReplaceJournal(Catalogue& catalogue, uint64_t* written = nullptr);

// At start: finishes a run a crash cut short after its journal was complete, or removes the part
// journal of one cut short before.
RecoveryOutcome FinishReplace(Catalogue& catalogue);
