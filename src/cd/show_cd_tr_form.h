// TShowCdTrForm: "Tracks & times", the disc's own track list with each track's length. A track
// is played straight from the list; the button beside it jumps to the disc's source. When the
// disc is tied to a source, a track is added to the playlist by its catalogue track.
#pragma once

#include <QDialog>
#include <string>

class DiscIdLine;
class QLabel;
class QListWidget;
class QPushButton;
class TCdSpeler;

class TShowCdTrForm : public QDialog {
    Q_OBJECT
public:
    // `speler` must outlive the window.
    explicit TShowCdTrForm(TCdSpeler& speler, QWidget* parent = nullptr);

    // Reads the disc's tracks into ListBox1 and shows the window modally.
    void ShowTracks();
    // Plays the selected line's track (track 1 when none is selected) and closes the window.
    void PlayTheTrack();
    // Opens the source of the disc in the drive.
    void DirectNaarCDInhoud();
    // The list read by ShowTracks, without showing the window.
    void FillTracks();
    // Adds the selected line's track to the playlist through its catalogue track.
    void AddToPlaylistClick();
    // Opens the source the catalogue line names.
    void ShowItClick();

private:
    // "&Add to playlist" is offered for a line whose track the catalogue holds.
    void LineChanged(int row);

    TCdSpeler& speler_;
    QListWidget* listBox1_;
    QPushButton* addButton_;
    DiscIdLine* discIds_;
    // The source of the catalogue this disc is or looks like, with a button that opens it.
    QLabel* catalogueLine_;
    QPushButton* showItButton_;
    std::string sourceKey_;
};
