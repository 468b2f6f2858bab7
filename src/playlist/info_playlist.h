// TInfoPlaylist ("Playlist information"): how many tracks the playlist holds and how long they
// play together.
#pragma once

#include <QDialog>

class TTableAccess;

class TInfoPlaylist : public QDialog {
    Q_OBJECT
public:
    // Counts the playlist table of `playlist` now; its current record stays where it was. Throws
    // TableError.
    explicit TInfoPlaylist(TTableAccess& playlist, QWidget* parent = nullptr);
};
