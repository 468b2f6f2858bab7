// "Read CD info" on the source screen, after the times: what a look-up found for the disc fills
// the source's blank track titles and artists and its missing times, once the user has seen every
// change in a preview and said Yes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "overview/disc_fill.h"
#include "platform/discinfo/disc_candidate.h"

class Catalogue;
class QWidget;

// The preview (object name "DiscFillForm"): one row per change with the track, the field, its
// value now (blank) and the new value, a cut value marked "…" and a refused one marked as left
// out. True when the user answered Yes.
bool ConfirmDiscFill(const discinfo::DiscCandidate& candidate,
                     const std::vector<FillChange>& changes, QWidget* parent);

// Plans the fill of the source with SourceSeekKey `key`, shows the preview and writes on Yes; a
// write that fails is shown, naming the record, with nothing written. Tells the user when the
// candidate has nothing for the blank fields. The number of fields written.
int OfferDiscFill(Catalogue& catalogue, const std::string& key,
                  const discinfo::DiscCandidate& candidate, QWidget* parent);

// The best fitting release that the disc data folder or, when the user allowed it, the online
// databases know for the disc in the player's drive or image (cd.ini [Opstart] CdDevice); the
// catalogue's own answer is left out, it is the source itself. The online wait shows a progress
// dialog over `parent` with a Cancel.
std::optional<discinfo::DiscCandidate> LookUpDiscForFill(Catalogue& catalogue, QWidget* parent);
