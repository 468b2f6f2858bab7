// The installed CD reader of the entry screen.
#include "entry/entry_cd.h"

namespace {
EntryCd* installed = nullptr;
}

EntryCd* CurrentEntryCd() {
    return installed;
}

EntryCd* SetEntryCd(EntryCd* cd) {
    EntryCd* previous = installed;
    installed = cd;
    return previous;
}
