// TZoekForm: the one layout, search and set of actions of the field search screens. A top panel
// (search box, filter box RefStr, Search, Auto, the action buttons, the counter and, below its
// visible part, the details of the searched table's current record), the column headers and the
// result grid of the hits' record numbers. The screens differ only in their kind (zoek_kind.h):
// the table, the order, how the key is built and the grid's columns. The word-part search (kind
// Word) has both tables' details, counters and Auto boxes, and works on the table of its chosen
// field. An MDI child, destroyed when closed.
//
// zoek_form.cpp builds the screen; zoek_form_actions.cpp searches and runs the row actions.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "search/field_search.h"
#include "search/search_profile.h"
#include "search/zoek_kind.h"

class Catalogue;
class HitListModel;
class PickListCombo;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTableView;
class RangeSpinBox;
class TTableAccess;

class TZoekForm : public QWidget {
    Q_OBJECT
public:
    using Kind = SearchScreen;

    // `catalogue` must outlive the screen.
    TZoekForm(Catalogue& catalogue, Kind kind, QWidget* parent = nullptr);
    ~TZoekForm() override;

    Kind kind() const { return kind_; }
    bool tracks() const;
    // Configurable screens: takes the profile (captions, box sizes, lookup code). `simpleStyle`:
    // the search box without its drop-down button.
    void InitZoek(const SearchProfile& profile, bool simpleStyle = false);
    const SearchProfile& profile() const { return profile_; }
    HitListModel& model() { return *model_; }
    bool resultsShown() const { return resultsShown_; }

    // Runs one search with what the boxes hold (ZoekArt on track screens, ZoekHf otherwise).
    virtual void Zoek();
    // The actions on the selected row.
    void FormInhoud();
    void ShowInfo();
    void FormWijzig();
    void FormTekstblad();
    void FormAankoop();
    void FormVerwijder();
    void AddToPlaylist();
    void PlayTrack();
    void StopTrack();
    void EjectCD();
    void FormLening();
    void SearchAgain();
    void Vertraag();
    // Moves the top panel down n+1 times by the configured step.
    void AutoScroll(int moves);

protected:
    // The word-part search's field choice: the profile's captions and fields, on the track table
    // or the main-title table. A new choice clears the rows shown.
    void SetWordProfile(const SearchProfile& profile, bool tracks);
    virtual void Preference() {}
    // The boxes as typed.
    QString SearchBoxText() const;
    QString FilterBoxText() const;
    bool Exact() const;
    void FocusSearchBox();
    Catalogue& catalogue() const { return catalogue_; }
    // Shows the outcome of a finished search: its rows, or its not-found message.
    void ShowHits(const SearchResult& result, const QString& text);
    void Guarded(const std::function<void()>& action);
    // Runs a search; when it failed on damage that the user then had repaired, runs it once more.
    // False when it failed (the user has been told).
    bool GuardedSearch(const std::function<void()>& search);
    QString SearchText() const;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kSearchColumnWidth = 292;

    void BuildTopPanel();
    void BuildGrid();
    void BuildPopupMenus();
    void FormShow();
    FieldSearch MakeSearch(const std::string& key, const std::string& filter) const;
    // Runs the search of this kind for `key` and `filter` (bytes of the tables).
    SearchResult RunSearch(const std::string& key, const std::string& filter,
                           const SearchProgress& progress);
    void ShowOutcome(const SearchResult& result, const QString& text);
    void Enable_Buttons();
    void Disable_Buttons();
    void UpdateDetails();
    // The selected row's record made current; 0 when no row is selected.
    uint32_t GoToSelected();
    // Goes back to the row's record after an editor closed and shows it again (UpdateData).
    void UpdateData(int row);
    TTableAccess& access() const;
    // Runs `action` on the selected row's record (made current), then shows the row again;
    // nothing without results or a selection.
    void OnSelectedRow(const std::function<void(uint32_t recno)>& action);
    // Runs `edit` on the main title of the selected row (a track's source), then shows the row
    // again.
    void EditTitleOfRow(const std::function<void(uint32_t titleRecNo)>& edit);
    // The profile's captions on the box labels and column headers, its fields in the columns.
    void ShowProfile();
    QWidget* PlacementWindow();
    const char* AutoKey() const;
    // The Auto box of the current table (the word-part search has one for each).
    QCheckBox* AutoBox() const;
    void SetCounters(int rows);
    // The details block of one table's current record.
    QWidget* BuildDetails(bool tracks);
    QString SearchCaption() const;
    QString FilterCaption() const;

    Catalogue& catalogue_;
    Kind kind_;
    const ZoekKind& traits_;
    SearchProfile profile_;
    bool resultsShown_ = false;
    bool wordTracks_ = true;
    bool shown_ = false;
    int observers_[2] = {0, 0};
    QScrollArea* scrollBox_;
    QLabel* searchLabel_;
    PickListCombo* zoekstr_ = nullptr;
    QLineEdit* memoText_ = nullptr;
    QSpinBox* number_ = nullptr;       // the year or the minutes
    RangeSpinBox* minutes_ = nullptr;  // the time search's boxes
    RangeSpinBox* nSec_ = nullptr;
    QCheckBox* zoekExact_ = nullptr;
    QLabel* filterLabel_;
    QLineEdit* refStr_;
    QPushButton* zoekBtn_;
    QCheckBox* auto_;
    QCheckBox* autoTracks_ = nullptr;  // the word-part search's box for the track table
    std::vector<QPushButton*> actionButtons_;
    QLabel* counter_;
    QLabel* counterTracks_ = nullptr;
    struct DetailLabel {
        std::vector<std::string> fields;
        QLabel* label;
        bool tracks;
    };
    std::vector<DetailLabel> details_;
    QWidget* detailBlocks_[2] = {nullptr, nullptr};  // main titles, tracks
    QTableView* grid_;
    HitListModel* model_;
    QMenu* popupMenu1_;
    QMenu* popupMenu2_;
    QAction* playItem_ = nullptr;
    QAction* playlistItem_ = nullptr;
    QAction* scrollToMemo_ = nullptr;
};
