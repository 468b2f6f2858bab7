// QuickFindBox: the search box in the main window's toolbar. It finds as the user types, lists
// the hits below the box grouped by source, and opens the source screen on the chosen hit. The
// keys stay in the box: the arrow and page keys move through the hits, Enter opens one, Esc
// closes the list (and a second Esc leaves the box).
//
// Each keystroke starts a new QuickFind and drops the one before it; the find runs in short
// steps on the event loop, since the tables belong to this thread, and the list shows the first
// hits as soon as there are enough to fill it, the rest as they come, with a count.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <memory>

class Catalogue;
class QFrame;
class QLabel;
class QLineEdit;
class QAbstractItemView;
class QTableView;
class QTimer;
class QToolBar;
class QuickFind;
class QuickFindModel;
class TMainForm;

class QuickFindBox : public QObject {
    Q_OBJECT
public:
    // Puts the box in `form`'s toolbar; `catalogue` must outlive the box.
    QuickFindBox(TMainForm& form, Catalogue& catalogue);
    ~QuickFindBox() override;

    QLineEdit* edit() const { return edit_; }
    QAbstractItemView* list() const;
    // Puts the focus in the box with its text selected; a hidden toolbar shows while it is used.
    void Focus();
    // Whether a find is still running (the benchmark waits for it).
    bool finding() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Restart();
    // Whether the present find still stands for the open tables.
    bool FindCurrent() const;
    void RunStep();
    void Publish();
    void UpdateCount();
    void ShowList();
    void CloseList();
    void OpenCurrent();
    void Leave();
    // Opens or closes the toolbar's overflow of items that do not fit; false without one.
    bool ToggleOverflow(QToolBar* toolbar);

    TMainForm& form_;
    Catalogue& catalogue_;
    QLineEdit* edit_;
    QFrame* popup_;
    QLabel* count_;
    QTableView* list_;
    QuickFindModel* model_;
    QTimer* steps_;
    std::unique_ptr<QuickFind> find_;
    QElapsedTimer sincePublish_;
    qint64 publishCost_ = 0;  // ms the last publication took, laying out the list included
    bool published_ = false;  // the first hits of the present find are shown
    bool opening_ = false;    // the source screen is open: losing the focus keeps the list
    bool toolbarForFind_ = false;
    bool overflowForFind_ = false;  // the toolbar's overflow was opened to show the box
};
