// TPlaylistForm ("Playlist"): the playlist in the chosen order, an MDI child. From here the user
// sees the totals, sorts, prints, deletes one track or the whole list.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

class Catalogue;
class QAction;
class QMenu;
class QPushButton;
class QTableView;
class TableGridModel;

class TPlaylistForm : public QWidget {
    Q_OBJECT
public:
    // The screen's content; `catalogue` must outlive it. The list is read when first shown.
    explicit TPlaylistForm(Catalogue& catalogue, QWidget* parent = nullptr);
    ~TPlaylistForm() override;

    // The grid's rows (for the screens that open it and for tests).
    TableGridModel& model() { return *model_; }

    // "In&formation": the totals window, modal.
    void InformationClick();
    // "&Delete" and "&Delete track": the track of the selected row, after asking.
    void DeleteClick();
    // "Delete play&list": the whole list and its description, after the protection check and a
    // question; the window closes once the list is empty.
    void DeletePlaylistClick();
    // "&Sort": the sort window, modal, then the list in the order chosen.
    void SortClick();
    // "&Print": after the question and the description window, the playlist as the report
    // printer set with SetPrinter prints it.
    void PrintClick();

    // How the playlist is printed, in playlist order `order` (the one the window shows), from
    // the print subsystem; without one "&Print" is disabled.
    using Printer = std::function<bool(Catalogue&, int order, QWidget* parent)>;
    static void SetPrinter(Printer printer);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    // Lists the playlist again in `order`, keeping the selected track when it is still there.
    void ShowInOrder(int order);
    // Puts the playlist table on the track of the selected row; false when no row is selected.
    bool GoToSelected();
    // Runs a handler; a table failure is shown to the user.
    void Guarded(const std::function<void()>& handler);
    // Entries added elsewhere (another screen's "Add to playlist") appear in the open list.
    void TableChanged();
    QWidget* PlacementWindow();

    Catalogue& catalogue_;
    TableGridModel* model_;
    QTableView* grid_;
    QMenu* popupMenu_;
    int order_ = 0;
    int observer_ = 0;
    uint32_t knownRecords_ = 0;
    bool refreshQueued_ = false;
    bool shown_ = false;
};
