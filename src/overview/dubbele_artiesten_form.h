// TDubbeleArtiestenForm ("Artist"): every track that carries one title, with its artist, and the
// actions on the selected track. Modal.
#pragma once

#include <QDialog>
#include <string_view>

#include "store/double_titles.h"

class Catalogue;
class QLabel;
class TrackRows;

class TDubbeleArtiestenForm : public QDialog {
    Q_OBJECT
public:
    // `catalogue` must outlive the window.
    explicit TDubbeleArtiestenForm(Catalogue& catalogue, QWidget* parent = nullptr);

    TrackRows& rows() { return *rows_; }
    // Lists the tracks titled `title` (stored bytes; case and trailing blanks do not count, nor,
    // with similar spelling, what that sets aside) and shows their number in aArtiest. False,
    // after "No artist are found!", when there are none.
    bool Fill(std::string_view title, TitleMatch match = TitleMatch::Exact);

private:
    void ShowCount();

    Catalogue& catalogue_;
    TrackRows* rows_;
    QLabel* aArtiest_;
};
