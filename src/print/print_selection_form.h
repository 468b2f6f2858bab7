// PrintSelectionForm: what the selection screens of the Print menu share. A modal dialog with the
// screen's fields above the button row "&Setup", ("&Filter",) "P&rint", "&Preview", "&Close";
// the carrier filter the screen keeps while it is open; and the hand-over of the records found
// to the report runner. Enter previews, so that nothing reaches the printer by accident.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

#include "print/report_request.h"

class Catalogue;
class QLabel;
class TTableAccess;
struct ReportSelection;
class QLayout;
class QWidget;

// What the selection screens are given from outside: the report runner and the printer setup.
struct PrintSelectionHooks {
    ReportRunner runner;
    std::function<void()> printerSetup;
};

class PrintSelectionForm : public QDialog {
    Q_OBJECT
public:
    // The carrier filter ("" for none), upper case.
    const QString& filter() const { return filter_; }
    // The same as table bytes.
    std::string filterBytes() const;

protected:
    // `withFilter`: the screen offers "&Filter". `catalogue` must outlive the screen.
    PrintSelectionForm(Catalogue& catalogue, PrintSelectionHooks hooks, bool withFilter,
                       QWidget* parent);

    // Lays the screen out: `fields` above the button row. Call once, from the constructor.
    void SetFields(QLayout* fields);

    // Finds the records and hands them to the report; shows its own refusals.
    virtual void PrintData(bool preview) = 0;

    // Hands the records `found` in `access` (still in the order they were found in) to the report
    // of `kind` named `name`, with the carrier filter when the screen has one. When none were
    // found: "ngev.wav" and `notFound`; when the filter kept them all out, says so and opens the
    // filter window to choose another carrier.
    void HandOver(TTableAccess& access, const ReportSelection& found, const QString& notFound,
                  ReportKind kind, bool preview, const QString& name);

    // The filter window; keeps its answer (Cancel clears the filter).
    void FilterClick();

    Catalogue& catalogue_;

private:
    // Runs PrintData; a table failure is shown and leaves the screen open.
    void Print(bool preview);

    PrintSelectionHooks hooks_;
    bool withFilter_;
    QString filter_;
    QLabel* filterCap_ = nullptr;
};
