// TImportCsvForm: what "Import from CSV…" will add, shown before anything is added: the number
// of sources, tracks, loans and playlist entries, the first rows of each file, and every refused
// row with its reason. "&Import" takes a safety copy and adds the accepted rows, all or none;
// "&Cancel" adds nothing.
#pragma once

#include <QDialog>
#include <string>

class Catalogue;
class CsvImport;

class TImportCsvForm : public QDialog {
    Q_OBJECT
public:
    // `import` has been prepared from `folder`; both it and `catalogue` must outlive the dialog.
    TImportCsvForm(Catalogue& catalogue, CsvImport& import, const std::string& folder,
                   QWidget* parent = nullptr);

    // Adds the rows and closes; a failure is shown, nothing is added and the dialog closes too.
    void ImportBtnClick();

private:
    Catalogue& catalogue_;
    CsvImport& import_;
};
