// The loan records of Uitdat.dat as the loan screens read and write them: one loan by record
// number, the loan of a source, a new loan's dates, storing and deleting one loan as one user
// action, and the loans whose hand-in date has come. Texts are table bytes (Windows-1252), dates
// as the tables write them ("24-12-1997"). Table failures throw TableError.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/xbase/field_codec.h"
#include "store/record_edit.h"
#include "store/table_access.h"

struct LoanFields {
    TableText carrier;     // DRAGER
    int64_t number = 0;    // CDNUMMER
    TableText name;        // AANWIE
    std::string loanDate;  // UITDATUM
    std::string dueDate;   // TERDATUM; "" for a loan without hand-in date
};

// A due loan as the due list shows it.
struct DueLoan {
    uint32_t recno = 0;
    std::string dueDate;
    std::string loanDate;
    TableText name;  // trimmed
};

// Today's date from the clock.
xbase::Date Today();
// `date` moved by `days` (back when negative) on the calendar.
xbase::Date AddDays(xbase::Date date, int days);
// The days between a new loan's date and its hand-in date: TelOpDatum (Diversen), 1 when it is
// not set, never below 0.
int LoanDays();

// A new loan: lent today, due today plus LoanDays. Carrier and name empty, number 1.
LoanFields NewLoanFields(const TTableEnv& env);
// The fields of loan record `recno` (the loan table goes there).
LoanFields ReadLoan(TTableAccess& loans, uint32_t recno);
// The first loan of the source `seekKey` (a SourceSeekKey) other than record `except`, 0 when
// there is none. Leaves the loan table on order 1.
uint32_t FindLoan(TTableAccess& loans, const std::string& seekKey, uint32_t except = 0);

// Writes `loan` into record `recno`, or into a new record when `recno` is 0, and puts it on the
// disk; returns its record number. A failure leaves no half record: the edit or insert is
// cancelled and the error thrown, unless the new record reached the table all the same: then it
// counts as stored and the failure comes back in the outcome, so that it is never stored twice.
AppendOutcome StoreLoan(TTableAccess& loans, uint32_t recno, const LoanFields& loan);
// Deletes loan record `recno` and puts that on the disk.
void DeleteLoan(TTableAccess& loans, uint32_t recno);

// The loans whose hand-in date is `today` or earlier, walking the loan table from its first
// record in its present order. A loan without hand-in date is never due.
std::vector<DueLoan> CollectDueLoans(TTableAccess& loans, xbase::Date today);
// The due-list row of loan record `recno`.
DueLoan ReadDueLoan(TTableAccess& loans, uint32_t recno);
