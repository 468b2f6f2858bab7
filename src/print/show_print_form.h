// TShowPrintForm ("Preview"): a report page by page, maximised, with the page box, the total
// number of pages, the zoom list, printing, saving as PDF and "&Close". A status line says what
// the report could not show (a column naming no field, a page that failed to draw).
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QSpinBox;

namespace report {
class ReportEngine;
class ReportPreview;
}  // namespace report

class TShowPrintForm : public QDialog {
    Q_OBJECT
public:
    // `engine` outlives the window. A report not counted to its end yet is counted on in slices
    // while the window shows, the total growing as it goes.
    TShowPrintForm(report::ReportEngine& engine, const QString& title, const QString& note,
                   QWidget* parent = nullptr);

    report::ReportPreview* preview() const { return preview_; }
    QSpinBox* pageEdit() const { return pageEdit_; }
    QComboBox* zoomBox() const { return zoomBox_; }
    QLabel* statusLine() const { return statusLine_; }

    void PrintBtnClick();
    void PdfBtnClick();

private:
    void ZoomChosen(int index);
    void ZoomShown(double zoom);
    // Counts some more pages; false once the whole report is counted (or counting failed).
    bool CountMore();
    void ShowPageTotal();
    // Printing and saving need every page.
    bool CountAll();

    report::ReportEngine& engine_;
    QString title_;
    report::ReportPreview* preview_;
    QSpinBox* pageEdit_;
    QComboBox* zoomBox_;
    QLabel* statusLine_;
    QLabel* total_;
};
