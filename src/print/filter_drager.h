// TFilterDrager: the carrier filter of the track selection screens, chosen from the carrier pick
// list.
#pragma once

#include <QDialog>
#include <QString>

class Catalogue;
class PickListCombo;

class TFilterDrager : public QDialog {
    Q_OBJECT
public:
    // `current` is the filter the box starts with. `catalogue` must outlive the window.
    TFilterDrager(Catalogue& catalogue, const QString& current, QWidget* parent = nullptr);

    // Shows the window modally; the carrier in upper case, or "" after "&Cancel" (no filter).
    static QString Ask(Catalogue& catalogue, const QString& current, QWidget* parent = nullptr);

    QString text() const;

private:
    PickListCombo* box_;
};
