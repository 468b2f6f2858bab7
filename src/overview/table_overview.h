// TableOverview: the part the artist and main-title overviews share. A read-only grid over the
// whole of one table in the table's own order (the shared cursor's), its window placement, the
// stored sort order, the record navigator, Esc and Enter, and the table going to the first record
// each time the window is activated. The two overviews add their buttons and actions.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shell/table_grid_model.h"

class Catalogue;
class QAction;
class QBoxLayout;
class QMenu;
class QPushButton;
class QTableView;
class TTableAccess;
struct SortChoices;

class TableOverview : public QWidget {
    Q_OBJECT
public:
    struct GridColumn {
        const char* caption;
        const char* field;
        int characters;  // the width, in average characters (digits when right-aligned)
        bool right;
    };

    ~TableOverview() override;

    // The grid's rows (for the screens that open it and for tests).
    TableGridModel& model() { return *model_; }
    QTableView* grid() const { return grid_; }
    // "&Sort": the sort dialog, then the stored order (default 1) is set again.
    void SortClick();
    // Sets the stored order (default 1) and lists the table in it.
    void ApplyStoredOrder();
    // Puts the table on the record of the selected row; false (after a beep) when there is none.
    bool GoToSelected();

protected:
    TableOverview(Catalogue& catalogue, TTableAccess& access, const SortChoices& sort,
                  int screenNumber, const std::vector<GridColumn>& columns, QWidget* parent);

    // Enter in the grid.
    virtual void ContentsClick() = 0;
    // A double click on `column` of the grid.
    virtual void GridDoubleClick(int column) = 0;

    // A button in the button row, and an item of the pop-up menu.
    QPushButton* AddButton(const char* name, const QString& text, std::function<void()> handler);
    QAction* AddItem(const char* name, const QString& text, std::function<void()> handler);
    void AddSeparator();
    // Runs a handler; a table failure is shown to the user. Afterwards the grid shows the
    // selected record again (an editor may have changed it) and has the focus.
    void Guarded(const std::function<void()>& handler);
    // Guarded: puts the table on the selected record and runs `action` when there is one.
    void WithSelected(const std::function<void()>& action);
    // The selected record was deleted: its row goes.
    void RemoveSelectedRow();
    void CloseWindow();

    Catalogue& catalogue_;

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void FormActivate();
    // Lists the table again in its present order, keeping the selected record when it is there.
    void Relist();
    QWidget* PlacementWindow();

    TTableAccess& access_;
    const SortChoices& sort_;
    int screenNumber_;
    TableGridModel* model_;
    QTableView* grid_;
    QMenu* popupMenu_;
    QBoxLayout* buttons_;
    std::string listedOrder_;
    uint64_t listedChanges_ = 0;
    bool shown_ = false;
};
