// The entry screen's memory for the run.
#include "entry/entry_run_memory.h"

EntryRunMemory& EntryRunMemory::Instance() {
    static EntryRunMemory memory;
    return memory;
}

void EntryRunMemory::Reset() {
    Instance() = EntryRunMemory{};
}
