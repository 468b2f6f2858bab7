// Opening the catalogue of the start directory: the three data modules, with a clear message for
// a missing or damaged table, and the offer of a new catalogue for a folder that has none.
#pragma once

#include <memory>
#include <string>

class Catalogue;
class CatalogueLock;

// The lock that keeps a second copy of the program off the catalogue in `folder`, or nothing
// when another copy has it or the folder cannot be opened (the user has been told).
std::unique_ptr<CatalogueLock> LockCatalogue(const std::string& folder);

// The opened catalogue, or nothing when the program cannot go on (the user has been told).
// `createWithoutAsking` makes a new catalogue in a folder without one without the question.
std::unique_ptr<Catalogue> OpenCatalogue(const std::string& folder, bool createWithoutAsking);
