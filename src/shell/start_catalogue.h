// Opening the catalogue of the start directory: the three data modules, with a clear message for
// a missing or damaged table, and the offer of a new catalogue for a folder that has none.
#pragma once

#include <memory>
#include <string>
#include <vector>

class Catalogue;
class CatalogueLock;

// The catalogue folder named on the command line, made when missing. The folders made here that
// are still empty when the object goes (the user chose not to have a catalogue in it) are removed
// again: saying No leaves nothing behind.
class StartFolder {
public:
    explicit StartFolder(const std::string& folder);
    ~StartFolder();
    StartFolder(const StartFolder&) = delete;
    StartFolder& operator=(const StartFolder&) = delete;

private:
    std::vector<std::string> made_;  // the folders made, the deepest first
};

// The lock that keeps a second copy of the program off the catalogue in `folder`, or nothing
// when another copy has it or the folder cannot be opened (the user has been told).
std::unique_ptr<CatalogueLock> LockCatalogue(const std::string& folder);

// The opened catalogue, or nothing when the program cannot go on (the user has been told, also
// when they chose not to have a new catalogue).
// `createWithoutAsking` makes a new catalogue in a folder without one without the question.
std::unique_ptr<Catalogue> OpenCatalogue(const std::string& folder, bool createWithoutAsking);
