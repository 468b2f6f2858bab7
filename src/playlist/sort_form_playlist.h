// TSortFormPlaylist ("Sort"): the order in which the playlist is shown and printed, kept in
// cd.ini (PlayList, PlayListVolgorde) as the playlist table's order number.
#pragma once

#include <QDialog>
#include <vector>

class QRadioButton;

class TSortFormPlaylist : public QDialog {
    Q_OBJECT
public:
    explicit TSortFormPlaylist(QWidget* parent = nullptr);

    // The stored order when it is one the window offers; `absent` when the key is missing, and
    // record order (0) for anything else.
    static int StoredOrder(int absent);

private:
    void OKBtnClick();

    std::vector<std::pair<QRadioButton*, int>> choices_;
};
