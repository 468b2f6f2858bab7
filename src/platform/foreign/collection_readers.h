// The readers of the other programs' own files. Each reads the file at `path` and hands every
// source it holds to `sink` (foreign_source.h).
#pragma once

#include <string>
#include <vector>

#include "platform/foreign/foreign_source.h"

namespace foreign {

// The CSV file of a Discogs collection export (Catalog#, Artist, Title, Label, Format, Rating,
// Released, release_id, CollectionFolder, Date Added, Collection Media Condition, Collection
// Sleeve Condition, Collection Notes): one source per row, no tracks.
tunelo::Status ReadDiscogsCsv(const std::string& path, const Sink& sink,
                              const Progress& progress = nullptr);

// Whether a CSV header row is that of a Discogs collection export.
bool IsDiscogsHeader(const std::vector<std::string>& header);

// A Tellico file: a zip archive holding tellico.xml (or that XML alone); its music entries.
tunelo::Status ReadTellico(const std::string& path, const Sink& sink,
                           const Progress& progress = nullptr);

// A GCstar music collection (.gcs XML) with its track lists.
tunelo::Status ReadGcstar(const std::string& path, const Sink& sink,
                          const Progress& progress = nullptr);

// The reader of `format`; a Format::Csv file needs ReadMappedCsv and its map instead.
tunelo::Status ReadCollection(Format format, const std::string& path, const Sink& sink,
                              const Progress& progress = nullptr);

}  // namespace foreign
