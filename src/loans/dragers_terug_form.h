// TDragersTerugForm: the loans whose hand-in date has come ("Loan date is reached"), with the
// source of the selected loan beside the list, and "&Edit" and "&Delete" for that loan.
#pragma once

#include <QDialog>
#include <cstdint>

class Catalogue;
class QLabel;
class QTableWidget;
struct DueLoan;

class TDragersTerugForm : public QDialog {
    Q_OBJECT
public:
    // `catalogue` must outlive the screen.
    explicit TDragersTerugForm(Catalogue& catalogue, QWidget* parent = nullptr);

    // Lists the loans due today or earlier and shows the list modally. With none due nothing is
    // shown, except, when `ShowNone`, a message saying so. Returns whether the list was shown.
    // Table failures are shown to the user.
    bool Controle(bool ShowNone);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void PutRow(int row, const DueLoan& loan);
    // The loan record of `row`, 0 when the row holds none.
    uint32_t RecnoOf(int row) const;
    void GetDrager(int row);
    void EditClick();
    void FormVerwijder();

    Catalogue& catalogue_;
    bool filled_ = false;
    QTableWidget* grid_;
    QLabel* dragerCap_;
    QLabel* nummerCap_;
};
