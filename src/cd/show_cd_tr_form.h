// TShowCdTrForm: "Tracks & times", the disc's own track list with each track's length. A track
// is played straight from the list; the button beside it jumps to the disc's source.
#pragma once

#include <QDialog>

class QListWidget;
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

private:
    TCdSpeler& speler_;
    QListWidget* listBox1_;
};
