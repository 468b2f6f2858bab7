#include "loans/loan_records.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <tuple>

#include "base/clock.h"
#include "base/ini.h"
#include "base/text.h"
#include "entry/table_edit.h"
#include "store/controls_suspended.h"
#include "store/source_key.h"

namespace {

constexpr int kMaxLoanDays = 999;

constexpr int kLoanOrderBySource = 1;

std::tuple<int, int, int> Ymd(xbase::Date date) {
    return {date.year, date.month, date.day};
}

void WriteFields(TTable& table, const LoanFields& loan) {
    table.SetFieldAsString("DRAGER", loan.carrier.bytes());
    table.SetFieldAsInteger("CDNUMMER", loan.number);
    table.SetFieldAsString("AANWIE", loan.name.bytes());
    table.SetFieldAsString("UITDATUM", loan.loanDate);
    table.SetFieldAsString("TERDATUM", loan.dueDate);
}

}  // namespace

xbase::Date Today() {
    const std::time_t now = std::chrono::system_clock::to_time_t(Clock::Now());
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

xbase::Date AddDays(xbase::Date date, int days) {
    using namespace std::chrono;
    const year_month_day moved{
        sys_days{year{date.year} / month{unsigned(date.month)} / day{unsigned(date.day)}} +
        std::chrono::days{days}};
    return {int(moved.year()), int(unsigned(moved.month())), int(unsigned(moved.day()))};
}

int LoanDays() {
    // The settings offer 0 to 999 days; a hand-edited cd.ini could otherwise overflow the date.
    return std::clamp(IniReadInteger("Diversen", "TelOpDatum"), 0, kMaxLoanDays);
}

LoanFields NewLoanFields(const TTableEnv& env) {
    const xbase::Date today = Today();
    LoanFields loan;
    loan.number = 1;
    loan.loanDate = env.FormatDate(today);
    loan.dueDate = env.FormatDate(AddDays(today, LoanDays()));
    return loan;
}

LoanFields ReadLoan(TTableAccess& loans, uint32_t recno) {
    loans.Go(recno);
    LoanFields loan;
    loan.carrier = TrimRight(loans.GetString("DRAGER"));
    loan.number = loans.GetInteger("CDNUMMER");
    loan.name = TrimRight(loans.GetString("AANWIE"));
    loan.loanDate = loans.GetDateString("UITDATUM");
    loan.dueDate = loans.GetDateString("TERDATUM");
    return loan;
}

uint32_t FindLoan(TTableAccess& loans, const std::string& seekKey, uint32_t except) {
    loans.SetOrder(kLoanOrderBySource);
    for (uint32_t recno : CollectSourceRecords(loans, seekKey)) {
        if (recno != except)
            return recno;
    }
    return 0;
}

AppendOutcome StoreLoan(TTableAccess& loans, uint32_t recno, const LoanFields& loan) {
    TTable& table = loans.component();
    if (recno != 0) {
        ChangeRecord(loans, recno, [&loan](TTable& edited) { WriteFields(edited, loan); });
        table.Sync();
        return {recno, std::nullopt};
    }
    return AppendRecord(loans, [&] {
        PendingEdit pending(table);
        table.Insert();
        WriteFields(table, loan);
        pending.Post();
        table.Sync();  // lending is one user action: it survives a power cut
    });
}

void DeleteLoan(TTableAccess& loans, uint32_t recno) {
    loans.Go(recno);
    loans.Delete();
    loans.component().Sync();
}

std::vector<DueLoan> CollectDueLoans(TTableAccess& loans, xbase::Date today) {
    TTable& table = loans.component();
    const xbase::FieldDef& due = table.Field("TERDATUM");
    // Bound views need not follow a walk over every loan.
    const ControlsSuspended suspended(table);
    std::vector<DueLoan> found;
    for (loans.GoTop(); !loans.Eof(); loans.Skip(1)) {
        const xbase::Date date = xbase::GetDate(table.currentRecord(), due);
        if (!date.blank() && Ymd(date) <= Ymd(today))
            found.push_back(ReadDueLoan(loans, loans.RecNo()));
    }
    return found;
}

DueLoan ReadDueLoan(TTableAccess& loans, uint32_t recno) {
    if (loans.RecNo() != recno)
        loans.Go(recno);
    return {recno, loans.GetDateString("TERDATUM"), loans.GetDateString("UITDATUM"),
            Trim(loans.GetString("AANWIE"))};
}
