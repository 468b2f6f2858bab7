// Pieces the two loan dialogs share: a date field with its calendar button, the check of the two
// typed dates, and the refusal of a value with the focus put back on its field.
#pragma once

#include <QString>
#include <optional>
#include <string>

class QHBoxLayout;
class QLineEdit;
class QWidget;
class TTableEnv;
struct LoanFields;

// A date field named `name` ("24-12-1997") and a calendar button named `buttonName` beside it that
// fills it with the date picked; the row holding both.
QHBoxLayout* MakeDateRow(QWidget* parent, QLineEdit** field, const char* name,
                         const char* buttonName);

// "error.wav", a warning with `text`, and the focus on `field`.
void RefuseField(QWidget* field, const std::string& text);

// Copies the two typed dates into `loan` when they can be stored: the loan date a real date, the
// hand-in date empty or a real date not before it. Otherwise refuses the field at fault and
// returns false.
bool TakeLoanDates(QLineEdit* loanDate, QLineEdit* dueDate, const TTableEnv& env, LoanFields* loan);

// The borrower's name typed in `field` as table bytes, trimmed; a blank name or a character the
// tables cannot hold is refused (nothing).
std::optional<std::string> TakeLoanName(QWidget* field);

// The name of a loan as the messages quote it (trimmed, table bytes).
std::string QuotedName(const std::string& name);
