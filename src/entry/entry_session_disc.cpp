// Identifying the disc of an entry: whether the catalogue has it already, and the texts found for
// it (its CD-TEXT, the disc data folder, the internet), offered as suggestions for blank fields.
#include <algorithm>
#include <utility>

#include "base/cd_info_settings.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/entry_session.h"
#include "platform/discinfo/candidate_fit.h"
#include "store/disc_match.h"
#include "store/source_key.h"

namespace {

struct DiscField {
    EntryControl control;
    size_t width;
};

// The fields a disc has texts for, in the order FillFromDisc fills them.
const DiscField kDiscFields[] = {
    {EntryControl::InvHoofdtitel, 50},   {EntryControl::InvLabel, 30},
    {EntryControl::InvHoofdartiest, 50}, {EntryControl::InvArtiest, 50},
    {EntryControl::InvTitel, 50},        {EntryControl::InvJaar, 4},
};

size_t DiscFieldWidth(EntryControl control) {
    for (const DiscField& field : kDiscFields) {
        if (field.control == control)
            return field.width;
    }
    return 0;
}

}  // namespace

SuggestedText EntrySession::SuggestionFor(EntryControl control) const {
    const size_t index = size_t(std::max(trackNr_, 1)) - 1;
    if (release_) {
        // Only a track the release has gets its artist; the release's artist stands in for one
        // that names none.
        const bool onRelease = index < release_->tracks.size();
        const discinfo::CandidateTrack track =
            onRelease ? release_->tracks[index] : discinfo::CandidateTrack();
        std::string found;
        if (control == EntryControl::InvHoofdtitel)
            found = release_->title;
        else if (control == EntryControl::InvHoofdartiest)
            found = release_->artist;
        else if (control == EntryControl::InvLabel)
            found = release_->label;
        else if (control == EntryControl::InvJaar)
            return SuggestYear(release_->year);
        else if (control == EntryControl::InvTitel)
            found = track.title;
        else if (control == EntryControl::InvArtiest && onRelease)
            found = track.artist.empty() ? release_->artist : track.artist;
        if (!found.empty())
            return SuggestForField(found, DiscFieldWidth(control));
    }
    // The CD-TEXT is table text already.
    const auto ofTrack = [index](const std::vector<std::string>& texts) {
        return index < texts.size() ? texts[index] : std::string();
    };
    if (control == EntryControl::InvHoofdtitel)
        return {cdTexts_.title};
    if (control == EntryControl::InvHoofdartiest)
        return {cdTexts_.performer};
    if (control == EntryControl::InvTitel)
        return {ofTrack(cdTexts_.trackTitles)};
    if (control == EntryControl::InvArtiest) {
        const std::string performer = ofTrack(cdTexts_.trackPerformers);
        return {performer.empty() ? cdTexts_.performer : performer};
    }
    return {};
}

void EntrySession::FieldEntered(EntryControl control) {
    const std::string* text = FieldText(control);
    const SuggestedText suggestion = SuggestionFor(control);
    if (text == nullptr || !IsBlank(*text) || suggestion.text.empty())
        return;
    lastLookup_ = control;
    found_ = suggestion.text;
    foundNote_ = SuggestionNote(suggestion, DiscFieldWidth(control));
    foundFromDisc_ = true;
    acceptEnabled_ = true;
}

void EntrySession::OfferFromDisc() {
    if (!found_.empty())
        return;  // the user has a suggestion in front of him already
    for (const DiscField& field : kDiscFields) {
        FieldEntered(field.control);
        if (acceptEnabled_)
            return;
    }
}

void EntrySession::FillFromDisc() {
    for (const DiscField& field : kDiscFields) {
        const std::string& text = *FieldText(field.control);
        // A text the disc put in and nobody changed makes way for the next track's; anything
        // typed stays.
        const auto filled = filled_.find(field.control);
        const bool untouched = filled != filled_.end() && filled->second == text;
        if (!IsBlank(text) && !untouched)
            continue;
        const std::string suggestion = SuggestionFor(field.control).text;
        if (suggestion.empty())
            continue;
        SetField(field.control, suggestion);
        filled_[field.control] = suggestion;
    }
    // The look-ups the fills ran leave nothing to accept.
    found_.clear();
    foundNote_.clear();
    foundFromDisc_ = false;
    acceptEnabled_ = false;
}

EntrySession::InCatalogue EntrySession::AskCatalogue(const discinfo::DiscQuery& query) {
    const std::vector<discinfo::DiscCandidate> found = lookup_->InCatalogue(query);
    if (found.empty())
        return InCatalogue::No;
    const discinfo::DiscCandidate& source = found.front();
    const std::string text = DiscInCatalogueText(source);
    const size_t choice = CurrentUi().Choose(MsgKind::Information, text, {"Show it", "Add anyway"});
    if (choice == 0) {
        if (showSource)
            showSource(SourceSeekKey(source.carrier, source.number));
        return InCatalogue::ShowIt;
    }
    // The disc's identity belongs to that source: it cannot be tied to this one as well.
    return source.byIdentity ? InCatalogue::AddAnywayTied : InCatalogue::AddAnyway;
}

bool EntrySession::OnlineAllowed() {
    CdInfoSettings settings = ReadCdInfoSettings();
    if (settings.online == CdInfoSettings::Online::NotAsked) {
        const MsgAnswer answer = CurrentUi().Message(
            MsgKind::Confirmation,
            "Look up discs on the internet?\n\nNothing was found for this disc on this computer. "
            "The online disc databases (MusicBrainz, gnudb) are sent the disc's ID and table of "
            "contents, nothing else. You can change this under Preferences, General.",
            MsgButtons::YesNo);
        settings.online =
            answer == MsgAnswer::Yes ? CdInfoSettings::Online::Yes : CdInfoSettings::Online::No;
        WriteCdInfoSettings(settings);
    }
    return settings.online == CdInfoSettings::Online::Yes;
}

void EntrySession::LookUpDisc(const discinfo::DiscQuery& query) {
    // A disc read again may be another one: what was found before is not its.
    CancelLookup();
    lookupStatus_.clear();
    release_.reset();
    query_ = query;
    std::string error;
    std::vector<discinfo::DiscCandidate> found = lookup_->InDiscData(query, &error);
    if (!found.empty()) {
        TakeRelease(std::move(found));
        return;
    }
    if (!error.empty())
        lookupStatus_ = "Disc data: " + error;
    if (!OnlineAllowed())
        return;
    const bool started = lookup_->StartOnline(
        query,
        [this](const std::vector<discinfo::DiscCandidate>& online, const std::string& why) {
            OnlineAnswered(online, why);
        },
        [this](const std::string& what) {
            lookupStatus_ = what;
            if (lookupAnswered)
                lookupAnswered();
        });
    lookingUp_ = started;
    if (started)
        lookupStatus_ = "Looking the disc up on the internet...";
}

void EntrySession::OnlineAnswered(const std::vector<discinfo::DiscCandidate>& found,
                                  const std::string& error) {
    lookingUp_ = false;
    if (found.empty())
        lookupStatus_ = error.empty() ? "Nothing found on the internet." : error;
    TakeRelease(found);
    if (release_)
        lookupStatus_ = std::string("Found in ") + discinfo::OriginName(release_->origin) + ".";
    if (lookupAnswered)
        lookupAnswered();
}

void EntrySession::TakeRelease(std::vector<discinfo::DiscCandidate> found) {
    if (found.empty())
        return;
    discinfo::SortByFit(&found, query_);
    size_t pick = 0;
    if (found.size() > 1) {
        const std::optional<size_t> picked =
            pickRelease ? pickRelease(found) : std::optional<size_t>(0);
        if (!picked || *picked >= found.size())
            return;
        pick = *picked;
    }
    release_ = std::move(found[pick]);
    // Only blank fields are offered anything, so nothing typed meanwhile is lost.
    if (discAccepted_)
        FillFromDisc();
}

void EntrySession::CancelLookup() {
    if (lookingUp_ && lookup_ != nullptr)
        lookup_->Cancel();
    if (lookingUp_)
        lookupStatus_ = "Look-up cancelled.";
    lookingUp_ = false;
}
