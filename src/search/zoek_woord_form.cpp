#include "search/zoek_woord_form.h"

#include <QMdiSubWindow>

#include "base/ui.h"
#include "search/word_fields.h"
#include "search/word_search.h"
#include "search/zoek_woord_conf.h"
#include "shell/scan_progress_dialog.h"
#include "shell/table_text.h"
#include "store/catalogue.h"

TZoekWoordForm::TZoekWoordForm(Catalogue& catalogue, QWidget* parent)
    : TZoekForm(catalogue, Kind::Word, parent) {}

void TZoekWoordForm::showEvent(QShowEvent* event) {
    TZoekForm::showEvent(event);
    // Another window may have changed the choice since this one was last in front.
    if (auto* window = qobject_cast<QMdiSubWindow*>(parentWidget());
        window && !activationWatched_) {
        activationWatched_ = true;
        connect(window, &QMdiSubWindow::aboutToActivate, this, [this] { GetConfig(); });
    }
    GetConfig();
}

void TZoekWoordForm::GetConfig() {
    const WordChoice choice = ReadWordChoice();
    const WordField& searched = WordFields()[size_t(choice.search)];
    const WordField& second = WordFields()[size_t(choice.second)];
    SearchProfile profile;
    profile.SearchCaption = searched.caption;
    profile.FilterCaption = second.caption;
    profile.SearchField = searched.field;
    profile.FilterField = second.field;
    SetWordProfile(profile, searched.tracks);
    FocusSearchBox();
}

void TZoekWoordForm::Preference() {
    TZoekWoordConf preference(this);
    if (preference.exec() == QDialog::Accepted)
        GetConfig();
}

void TZoekWoordForm::Zoek() {
    const QString text = SearchText();
    if (text.isEmpty())
        return;
    const bool narrowed = !FilterBoxText().trimmed().isEmpty();
    const std::optional<std::string> pattern = ToTable(SearchBoxText());
    const std::optional<std::string> secondPattern = ToTable(FilterBoxText());
    SearchResult result;
    if (!pattern || (narrowed && !secondPattern)) {
        // A character the table cannot hold is in none of its records.
        result.outcome = narrowed ? SearchOutcome::FilterNotFound : SearchOutcome::KeyNotFound;
        ShowHits(result, text);
        return;
    }
    const WordSearch search{profile().SearchField, profile().FilterField,
                            MemoPattern(*pattern, Exact()),
                            narrowed ? MemoPattern(*secondPattern, Exact()) : std::string()};
    // A failure was shown already and, like a cancel, leaves the screen as it was.
    result.outcome = SearchOutcome::Cancelled;
    GuardedSearch([&] {
        BusyCursor busy;
        ScanProgressDialog progress(this, "Searching " + profile().SearchCaption + "...");
        TTable& table = tracks() ? catalogue().dm1.ArtTable : catalogue().dm2.HfTable;
        result = RunWordSearch(table, search, [&progress](uint64_t done, uint64_t total) {
            return progress.Step(done, total);
        });
    });
    if (result.outcome != SearchOutcome::Cancelled)
        ShowHits(result, text);
}
