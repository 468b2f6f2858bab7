// TExportCsvForm: "Export to CSV…". The user picks a folder and whether the loans and the
// playlist go along; OK writes sources.csv and tracks.csv (and loans.csv, playlist.csv) there,
// with the progress in the status bar, and says where they are.
#pragma once

#include <QDialog>

class Catalogue;
class QCheckBox;
class QLineEdit;

class TExportCsvForm : public QDialog {
    Q_OBJECT
public:
    // `catalogue` must outlive the dialog.
    explicit TExportCsvForm(Catalogue& catalogue, QWidget* parent = nullptr);

    void BrowseBtnClick();
    // Exports and closes; a failure is shown and the dialog stays open.
    void OkBtnClick();

private:
    Catalogue& catalogue_;
    QLineEdit* folder_;
    QCheckBox* loans_;
    QCheckBox* playlist_;
};
