// What a folder holds of a catalogue, and setting up a new catalogue there from the installation
// template (empty tables, their index and memo files, settings, sounds and help pages).
#pragma once

#include <string>
#include <vector>

#include "platform/xbase/status.h"

// The table files of the five that `folder` lacks (their standard spelling), in table order.
std::vector<std::string> MissingCatalogueTables(const std::string& folder);
// True when `folder` holds none of the five table files: no catalogue at all, as opposed to one
// whose table is missing or damaged.
bool HasNoCatalogue(const std::string& folder);
// The files of a catalogue that `folder` holds (tables, memo files, index files, cd.ini,
// print.ini, in any letter case), as they are spelled there, sorted.
std::vector<std::string> CatalogueFilesIn(const std::string& folder);

// Copies the template's five tables, their memo and index files, cd.ini, print.ini, the .wav
// files and the help folder into `folder` (created when needed). Refuses, touching nothing, when
// `folder` holds any file of a catalogue already (CatalogueFilesIn) or the template lacks a
// table. Sounds and help pages the folder has already are kept. Everything is copied under
// temporary names first and only then renamed into place, so that a failed copy leaves nothing
// half-written.
xbase::Status CreateCatalogueFromTemplate(const std::string& templateFolder,
                                          const std::string& folder);
