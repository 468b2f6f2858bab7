// EntryDiscLookup: what the entry screen asks to identify a disc: the catalogue, the disc data
// folder, and the online databases when the user allows them. The program installs a maker over
// the CD look-up; without one the screen identifies nothing. Each screen makes its own, so that
// closing the screen ends a look-up still running.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/discinfo/disc_candidate.h"

class Catalogue;

class EntryDiscLookup {
public:
    using Candidates = std::vector<discinfo::DiscCandidate>;
    // What the online look-up found, or why it could not ask ("" when it could).
    using OnlineDone = std::function<void(const Candidates& found, const std::string& error)>;
    // What is being asked now, for the screen's look-up line.
    using OnlineProgress = std::function<void(const std::string& what)>;

    virtual ~EntryDiscLookup() = default;

    // The sources of the catalogue that are this disc, best first.
    virtual Candidates InCatalogue(const discinfo::DiscQuery& query) = 0;
    // The disc data folder's records of this disc; `error` says why the folder could not be read.
    virtual Candidates InDiscData(const discinfo::DiscQuery& query, std::string* error) = 0;
    // Starts the online look-up when the settings allow it; false when they do not. `done` comes
    // later from the event loop, once, and never after Cancel or the look-up's destruction.
    virtual bool StartOnline(const discinfo::DiscQuery& query, OnlineDone done,
                             OnlineProgress progress) = 0;
    virtual void Cancel() = 0;
};

using EntryDiscLookupMaker = std::function<std::unique_ptr<EntryDiscLookup>(Catalogue&)>;
// Installs the maker the entry screens use (empty: none) and returns the one it replaces.
EntryDiscLookupMaker SetEntryDiscLookupMaker(EntryDiscLookupMaker maker);
// A look-up for one screen; nullptr when no maker is installed.
std::unique_ptr<EntryDiscLookup> MakeEntryDiscLookup(Catalogue& catalogue);
