// The column maps the user chose for CSV files, remembered in columnmaps.ini beside cd.ini so that
// the next file with the same header is offered the same map. One section per header, named by a
// digest of the header row; key n holds the target of column n.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/foreign/mapped_csv.h"

// The targets last chosen for a file with exactly this header; nothing when none were, or when
// one of them is no longer a known target.
std::optional<std::vector<std::string>> RememberedColumnTargets(
    const std::vector<std::string>& header);
// Keeps the map for its header; false (the user has been told) when the file cannot be written.
bool RememberColumnMap(const foreign::ColumnMap& map);
