// `tunelo --identify DISC [FOLDER]`: what the catalogue, the disc data folder and, when the user
// allowed it, the online databases know of a disc in a drive or a CUE/TOC/NRG image, printed one
// candidate per block, without a window.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/discinfo/disc_candidate.h"

// The exit statuses of --identify.
inline constexpr int kIdentifyFound = 0;
inline constexpr int kIdentifyNothing = 1;
inline constexpr int kIdentifyBadInput = 2;

// Looks the disc `disc` (a drive or an image file) up with the catalogue of `folder` (an absolute
// path; its cd.ini holds the look-up's settings). The online sources are asked only when cd.ini
// [CdInfo] Online=1, and waited for in a local event loop (a QCoreApplication must exist).
// kIdentifyBadInput, the file named on `errors`, when the disc cannot be read or holds no audio,
// or the catalogue cannot be opened.
int IdentifyCommand(const std::string& folder, const std::string& disc, std::ostream& out,
                    std::ostream& errors);

// Prints each candidate as a block (origin and reference, main title, main artist, year, then
// one line per track with its time as m:ss), blocks parted by a blank line. kIdentifyFound when
// there was any, kIdentifyNothing otherwise.
int PrintCandidates(const std::vector<discinfo::DiscCandidate>& candidates, std::ostream& out);
