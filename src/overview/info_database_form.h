// TInfoDatabaseForm ("Database information"): the catalogue's statistics as the last "&Update"
// counted them (kept in cd.ini, shown at once with the date of that update) and the number of
// sources per carrier code. An MDI child, destroyed when closed.
#pragma once

#include <QWidget>
#include <map>
#include <string>

class Catalogue;
class QLabel;
class QTableView;
class TableGridModel;

class TInfoDatabaseForm : public QWidget {
    Q_OBJECT
public:
    // `catalogue` must outlive the screen. Shows the kept figures.
    explicit TInfoDatabaseForm(Catalogue& catalogue, QWidget* parent = nullptr);

    // "&Update": counts everything again and keeps the result. A cancelled count changes nothing.
    void UpdateClick();
    // The text shown for the figure kept under `key` (and "Upgedate" for the date).
    QString Shown(const std::string& key) const;
    TableGridModel& carriers() { return *carriers_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowFigures(const std::map<std::string, std::string>& texts, const std::string& date);
    void ListCarriers();

    Catalogue& catalogue_;
    std::map<std::string, QLabel*> values_;
    TableGridModel* carriers_;
    QTableView* grid_;
    bool shown_ = false;
};
