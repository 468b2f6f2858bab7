// Making the files of a catalogue: the five empty tables of a new catalogue, and the five
// compound index files built anew from the tables.
#pragma once

#include <string>

#include "platform/xbase/status.h"
#include "platform/xbase/table.h"

// Creates the five empty tables (and hfdat.dat's memo file) in `folder`. Refuses, touching
// nothing, when any of them exists already: a user's table is never overwritten.
xbase::Status CreateCatalogueTables(const std::string& folder);

// Deletes INDEX1.CDX to INDEX5.CDX (in any letter case) and builds every tag of every table anew,
// file by file and tag by tag in their order; the files are created as Index1.cdx to Index5.cdx.
xbase::Status CreateCatalogueIndexes(const std::string& folder,
                                     const xbase::ProgressFn& progress = nullptr);
