// TShowArtHfForm ("Contents"): one source with its main title, the track on which the track
// table stands, the list of its tracks, their total playing time and count, and whether it is
// lent out. From it the tracks are edited, deleted, played and added to the playlist, the main
// title, purchase and memo edited, the track times read from the disc and the disc's ID removed.
//
// Both tables are shared with the screen that opened it: their orders and records are put back
// when the window closes. Every track action works on the record number of the selected row.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/table_text.h"

class Catalogue;
class DiscIdLine;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QScrollArea;
class QTableWidget;
class RecordLabels;
class SavedPosition;
class TTableAccess;
struct SourceTracks;

class TShowArtHfForm : public QDialog {
    Q_OBJECT
public:
    // `catalogue` must outlive the window.
    explicit TShowArtHfForm(Catalogue& catalogue, QWidget* parent = nullptr);
    ~TShowArtHfForm() override;

    // Loads the source (carrier, number; padded or not) and selects the track with record
    // number `trackRecNo` in artdat.dat (0: the first track); with `showModally` shows the
    // window and returns when it closed. False, after "Source is not found!", when the source
    // has no main title; the window is then not shown. Table failures are shown (false).
    bool ShowSource(std::string_view carrier, std::string_view number, uint32_t trackRecNo,
                    bool showModally);

    // The SourceSeekKey of the source shown.
    const std::string& sourceKey() const { return key_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    // Building the window.
    QWidget* MakeBlock();
    QWidget* MakeTitlePart();
    QWidget* MakeTrackPart();
    void MakeMenus();
    // A bold label of the block showing a field (trimmed) or a text read from the record.
    QLabel* Bound(RecordLabels& labels, const char* name, const std::string& field);
    QLabel* Bound(RecordLabels& labels, const char* name,
                  std::function<TableText(const TTableAccess&)> reader);

    static constexpr int kArtistColumnWidth = 292;

    bool Load(std::string_view carrier, std::string_view number, uint32_t trackRecNo);
    void FillGrid(const SourceTracks& tracks);
    // The row holding track record `recno` (-1: none); the record number of a row (0: none).
    int RowOf(uint32_t recno) const;
    uint32_t RecNoOf(int row) const;
    void FormShow();
    void FormActivate();
    void CheckUitgeleend();
    // The disc's MusicBrainz and freedb IDs, while the disc stored as `rmnr` is in the drive.
    void ShowDiscIds(const std::string& rmnr);
    void ReadTime();
    // Moves the track table to the selected row's record; false (a beep) without rows.
    bool GoToSelectedTrack();
    // Seeks, in order 4, the main title of the selected track (of the source shown without one).
    bool SeekTitleOfSelectedTrack();
    // The row's artist and title from its record.
    void UpdateData1(int row);
    // Runs an action of a control; a table failure is shown, and the grid gets the focus back.
    void Guarded(const std::function<void()>& action);

    void FormInfo();
    void FormTrack();
    void FormVerwijder();
    void FormTekstblad();
    void AankoopClick();
    void HoofdtitelClick();
    void UitleenClick();
    void AddToPlaylistClick();
    void PlayTrackClick();
    void StopTrackClick();
    void EjectClick();
    void LeesAlleTrackTijden();
    // After the times: what a look-up found for the disc fills the blank fields, with a preview.
    void FillBlanksFromDisc();
    void RemoveID();
    void HernummerClick();
    void StringGrid2SelectCell(int row);

    Catalogue& catalogue_;
    std::string key_;          // SourceSeekKey of the source shown
    uint32_t titleRecNo_ = 0;  // its main title in hfdat.dat
    bool loaded_ = false;
    bool activated_ = false;
    // Where the caller left the tables.
    std::unique_ptr<SavedPosition> savedTracks_;
    std::unique_ptr<SavedPosition> savedTitles_;
    std::unique_ptr<RecordLabels> titleLabels_;
    std::unique_ptr<RecordLabels> trackLabels_;

    QScrollArea* scrollBox1_;
    QWidget* trackPart_;
    QLabel* toonTijd_;
    QLabel* tracknum_;
    QLabel* image1_;
    QLabel* trackNumber_;
    QCheckBox* autoBox_;
    QTableWidget* stringGrid2_;
    QMenu* popupMenu1_;
    QMenu* popupMenu2_;
    QAction* removeId1_;
    DiscIdLine* discIds_;
};
