// TForeignImportForm: what "Import from another program…" will add, shown before anything is
// added, as the CSV import shows it: the counts, the first rows as they will be stored, every text
// cut to fit its field, every refused entry with where it is in the file and why, a page at a
// time, and the medium -> carrier table: choosing another carrier reads the file again.
// "&Import" takes a safety copy and adds everything accepted, all or none; "&Cancel" adds
// nothing.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "transfer/foreign_import.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
class QVBoxLayout;
class TPagedRefusals;
class TextTableModel;

// Prepares an import of the file at `path`, with the progress in the status line; on failure
// shows why (nothing can be added) and returns null.
std::unique_ptr<ForeignImport> PrepareForeignImport(Catalogue& catalogue, const std::string& path,
                                                    const ForeignImportOptions& options);

class TForeignImportForm : public QDialog {
    Q_OBJECT
public:
    // `import` has been prepared from `path` with `options`; `catalogue` must outlive the dialog.
    TForeignImportForm(Catalogue& catalogue, std::string path, ForeignImportOptions options,
                       std::unique_ptr<ForeignImport> import, QWidget* parent = nullptr);
    ~TForeignImportForm() override;

    // Adds the entries and closes; a failure is shown, nothing is added and the dialog closes
    // too.
    void ImportBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddCarrierTable(QWidget* parent, QVBoxLayout* layout);
    // Reads the file again with the carriers chosen; on failure the previous choice comes back.
    void CarrierChosen(size_t medium);
    // The carrier typed or chosen for medium `medium`, in capitals.
    std::string ChosenCarrier(size_t medium) const;
    // Fills the counts, rows, cut texts and refusals from the prepared import.
    void ShowPrepared();

    Catalogue& catalogue_;
    std::string path_;
    ForeignImportOptions options_;
    std::unique_ptr<ForeignImport> import_;
    QLabel* summary_;
    QTabWidget* files_;
    QLabel* cutLabel_;
    QTableView* cutGrid_;
    TextTableModel* cutModel_;
    TPagedRefusals* refusals_;
    QPushButton* importButton_;
    std::vector<std::string> media_;
    std::vector<QComboBox*> carriers_;
};
