// `tunelo --check-catalogue [FOLDER]`: the catalogue's check printed as text, without a window.
#pragma once

#include <ostream>
#include <string>

// The exit statuses of --check-catalogue.
inline constexpr int kCheckClean = 0;
inline constexpr int kCheckFound = 1;
inline constexpr int kCheckBadInput = 2;

// Checks the catalogue of `folder` (an absolute path) and prints every finding on `out`.
// kCheckBadInput, the reason on `errors`, when the folder holds no catalogue or it cannot be read.
int CheckCatalogueCommand(const std::string& folder, std::ostream& out, std::ostream& errors);
