// TData1TotOvz ("Summary artist"): every track of artdat.dat in the order chosen with its sort
// dialog, an MDI child. Its actions work on the selected track.
#pragma once

#include "overview/table_overview.h"

class TData1TotOvz : public TableOverview {
    Q_OBJECT
public:
    // `catalogue` must outlive the screen. The tracks are listed when it is first shown.
    explicit TData1TotOvz(Catalogue& catalogue, QWidget* parent = nullptr);

    // "&Contents": the source screen on the selected track's source.
    void ContentsClick() override;
    // "In&formation": the track information window, modal.
    void InformationClick();
    // "&Edit": the track modification screen, modal.
    void EditClick();
    // "&Purchase" and "&Memo": the editors of the selected track's main title.
    void PurchaseClick();
    void MemoClick();
    void AddToPlaylistClick();
    void PlayTrackClick();
    void StopTrackClick();
    void EjectClick();
    // "&Delete": the selected track, after the protection check and the question.
    void DeleteClick();

protected:
    void GridDoubleClick(int column) override;

private:
    // Puts the main-title table on the main title of the selected track; false when none.
    bool SeekMainTitle();
};
