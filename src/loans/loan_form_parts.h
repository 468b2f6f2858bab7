// Pieces the loan screens share: a date field with its calendar button, the check of the two
// typed dates, the refusal of a value with the focus put back on its field, and the look of the
// two loan lists and their buttons.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "base/table_text.h"

class Catalogue;
class QAction;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;
class TTableEnv;
struct LoanFields;

// The rows of the loan date ("eUitleenDat", captioned `outCaption`) and the expiration date
// ("eInleverdat"), each with a calendar button ("SpeedButton1", "SpeedButton2") that fills it with
// the date picked, added to `form`.
void AddLoanDateRows(QFormLayout* form, QWidget* parent, const QString& outCaption, QLineEdit** out,
                     QLineEdit** due);

// "error.wav", a warning with `text`, and the focus on `field`.
void RefuseField(QWidget* field, const std::string& text);

// Copies the two typed dates into `loan` when they can be stored: the loan date a real date, the
// hand-in date empty or a real date not before it. Otherwise refuses the field at fault and
// returns false.
bool TakeLoanDates(QLineEdit* loanDate, QLineEdit* dueDate, const TTableEnv& env, LoanFields* loan);

// The borrower's name typed in `field` as table bytes, trimmed; a blank name or a character the
// tables cannot hold is refused (nothing).
std::optional<std::string> TakeLoanName(QWidget* field);

// Adds `item` to the borrowers' pick list and stores `loan` in record `*recno` (a new one when 0),
// which then holds the loan's record. A failure is shown; false when the loan was not stored.
bool PostLoan(Catalogue& catalogue, const std::string& item, const LoanFields& loan,
              uint32_t* recno);

// The name of a loan (table bytes) as the messages quote it: trimmed, between double quotes.
std::string QuotedName(const TableText& name);

// A push button named `name` that keeps Qt's auto-default, so Enter on it presses it.
QPushButton* PlainButton(QWidget* parent, const char* name, const QString& text);
// An item named `name` of the right-click menu of `owner`.
QAction* PopupItem(QWidget* owner, const char* name, const QString& text);
// A list of loans: whole rows selected one at a time, read only, rows as high as the text.
void ShapeLoanGrid(QTableView* grid);
// Makes `column` of `grid` as wide as its heading or `widest`, whichever is wider.
void FitColumn(QTableView* grid, int column, const QString& widest);
