// The notice of a source the catalogue has already: the main title and main artist typed are
// compared, as a person reads them, with those of every other source.
#include "base/text.h"
#include "entry/entry_session.h"
#include "store/catalogue.h"
#include "store/source_key.h"

void EntrySession::PrepareAlready() {
    if (similar_ || similarFailed_)
        return;
    similarFailed_ = true;
    similar_ = std::make_unique<SimilarSources>(catalogue_.dm2.HfTable);
    similarFailed_ = false;
}

void EntrySession::CheckAlready() {
    already_.clear();
    alreadySource_.clear();
    // With the main artist switched off in the settings, the title alone is typed.
    if (IsBlank(fields.hoofdtitel) || (IsBlank(fields.hoofdartiest) && settings_.invHoofdArtiest))
        return;
    PrepareAlready();
    if (!similar_)
        return;
    const std::vector<SimilarSources::Source> found =
        similar_->Find(fields.hoofdtitel, fields.hoofdartiest, hfRecNo_);
    if (found.empty())
        return;
    already_ = AlreadyInCatalogueText(found);
    alreadySource_ = SourceSeekKey(found.front().carrier, found.front().number);
}

void EntrySession::ShowAlready() {
    if (!alreadySource_.empty() && showSource)
        showSource(alreadySource_);
}
