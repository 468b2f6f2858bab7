// The files that belong to a catalogue, which output such as a report or an export must never
// write over.
#pragma once

#include <string>
#include <vector>

// The paths of the catalogue's files in `folder` (CatalogueFilesIn), its sounds and the notes
// of its unfinished operations, and the files of its safety copies.
std::vector<std::string> CatalogueOwnFiles(const std::string& folder);
