// Opening the catalogue of the start directory: the three data modules, with a clear message for
// a missing or damaged table, and the offer of a new catalogue for a folder that has none.
#pragma once

#include <memory>
#include <string>

class Catalogue;

// The opened catalogue, or nothing when the program cannot go on (the user has been told).
// `createWithoutAsking` makes a new catalogue in a folder without one without the question.
std::unique_ptr<Catalogue> OpenCatalogue(const std::string& folder, bool createWithoutAsking);
