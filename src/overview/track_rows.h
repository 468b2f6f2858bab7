// TrackRows: a read-only grid listing chosen track records (record numbers of artdat.dat) and the
// actions on its selected track that the double-entry screens share. Each action puts the track
// table on the selected record first; a table failure is shown to the user, never thrown.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <vector>

#include "shell/table_grid_model.h"

class Catalogue;
class QMenu;
class QTableView;
class QWidget;

class TrackRows : public QObject {
    Q_OBJECT
public:
    // The grid is a child of `owner`, which opens the dialogs; `catalogue` must outlive both.
    TrackRows(Catalogue& catalogue, std::vector<TableGridModel::Column> columns, QWidget* owner);

    QTableView* grid() const { return grid_; }
    TableGridModel& model() { return *model_; }
    // Lists these records and selects the first.
    void List(std::vector<uint32_t> recnos);
    // The record of the selected row; 0 when none is selected.
    uint32_t Selected() const;

    // "&Contents": the source screen on the track's source with the track selected.
    void Contents();
    // "In&fo"/"In&formation": the track information window.
    void Info();
    // "&Edit": the track modification screen; the row shows what was stored.
    void Edit();
    // "&Delete": the protection check and the question, then the row goes.
    void Delete();
    void AddToPlaylist();
    void PlayTrack();
    void StopTrack();
    void Eject();

    // Adds the items of these actions (not "&Delete") to `menu`, with "&Info"'s caption `info`.
    void AddTrackItems(QMenu* menu, const QString& info);
    // Runs `action` with the track table on the selected record (nothing without one).
    void OnSelected(const std::function<void(uint32_t recno)>& action);

signals:
    // Enter or a double click on a row.
    void activated();
    // Esc in the grid.
    void escape();
    // A row went.
    void rowRemoved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Catalogue& catalogue_;
    QWidget* owner_;
    TableGridModel* model_;
    QTableView* grid_;
};

// Runs `action`; a table failure is shown to the user instead of leaving the event handler.
void ShowingTableErrors(const std::function<void()>& action);
