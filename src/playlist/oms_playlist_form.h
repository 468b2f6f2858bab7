// TOmsPlaylistForm ("Description Playlist"): the playlist's description, at most 65 characters,
// kept in print.ini (PlayList, PlaylistOms) and printed above the list.
#pragma once

#include <QDialog>

class QLineEdit;

class TOmsPlaylistForm : public QDialog {
    Q_OBJECT
public:
    explicit TOmsPlaylistForm(QWidget* parent = nullptr);

private:
    void OKBtnClick();

    QLineEdit* edit1_;
};
