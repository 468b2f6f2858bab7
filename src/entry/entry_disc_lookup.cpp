// The installed maker of the entry screens' disc look-ups.
#include "entry/entry_disc_lookup.h"

namespace {
EntryDiscLookupMaker& InstalledDiscLookupMaker() {
    static EntryDiscLookupMaker maker;
    return maker;
}
}  // namespace

EntryDiscLookupMaker SetEntryDiscLookupMaker(EntryDiscLookupMaker maker) {
    EntryDiscLookupMaker previous = std::move(InstalledDiscLookupMaker());
    InstalledDiscLookupMaker() = std::move(maker);
    return previous;
}

std::unique_ptr<EntryDiscLookup> MakeEntryDiscLookup(Catalogue& catalogue) {
    const EntryDiscLookupMaker& maker = InstalledDiscLookupMaker();
    return maker ? maker(catalogue) : nullptr;
}
