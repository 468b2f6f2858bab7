// TDubbelForm ("Double entries"): finds the track titles that more than one track carries, one row
// per title, and works on the track of the selected row. An MDI child, destroyed when closed.
#pragma once

#include <QWidget>
#include <vector>

#include "store/double_titles.h"

class Catalogue;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class TrackRows;

class TDubbelForm : public QWidget {
    Q_OBJECT
public:
    // `catalogue` must outlive the screen.
    explicit TDubbelForm(Catalogue& catalogue, QWidget* parent = nullptr);

    TrackRows& rows() { return *rows_; }
    // "S&tart": after asking when entries are shown, lists every title carried twice or more,
    // compared as "Similar spelling" is set; with it, also a track of each second source whose
    // CD ID another source carries. None found: "No double entries found." and the window closes.
    void BitBtn3Click();
    // "&Artist": the tracks of the selected row's title (compared as in the run that listed it),
    // with their artists.
    void DubArt();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void EnableResults(bool on);
    void ShowCount();
    void CloseWindow();

    Catalogue& catalogue_;
    TrackRows* rows_;
    QLabel* cAantal_;
    QCheckBox* similar_;
    QMenu* popupMenu_;
    std::vector<QPushButton*> actions_;
    TitleMatch listed_ = TitleMatch::Exact;  // how the shown rows were found
    bool results_ = false;
    bool shown_ = false;
};
