// PrintFieldForm: the selection screen of one field, shared by the track screen (TPrintData1) and
// the main-title screen (TPrintData2). The user types the beginning of the field; the report
// lists every record whose field begins with it, in the field's order, or everything (after a
// question) in alphabetic or numerical order.
#pragma once

#include <QString>
#include <string>

#include "print/named_reports.h"
#include "print/print_selection_form.h"

class PickListCombo;
class TTableAccess;

// How the two field screens differ.
struct PrintFieldTable {
    ReportKind kind;       // the report the screen runs
    bool tracks;           // artdat.dat; otherwise hfdat.dat
    const char* question;  // asked before a list of everything
    int wideWidth;         // pixels of a wide box
    int sourceOrder;       // the carrier-and-number order of a numerical list
};

class PrintFieldForm : public PrintSelectionForm {
    Q_OBJECT
public:
    // Sets the caption, the label ("<caption>:") and the box: `width` (wide: at most 50
    // characters, narrow: 30), the pick list of lookup-item `code` (' ' for none); `field` is the
    // index order of the field to select on (the field the order starts with). Then shows the
    // screen modally, the box empty and focused. Call once per screen.
    int ShowPrint(const QString& caption, BoxWidth width, char code, int field);

    // The field name of index order `field` of the screen's table; empty for an order the
    // screens do not offer.
    std::string FieldName(int field) const;

protected:
    PrintFieldForm(Catalogue& catalogue, PrintSelectionHooks hooks, const PrintFieldTable& table,
                   QWidget* parent);

private:
    void PrintData(bool preview) override;
    TTableAccess& Access() const;

    const PrintFieldTable& table_;
    QString caption_;
    int order_ = 0;
    std::string field_;
    PickListCombo* box_ = nullptr;
};
