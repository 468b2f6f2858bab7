// The memo sheet of one main title (MEMO and TEKSTDAT of hfdat.dat) and what the memo screen
// shows with it. Texts are table bytes; lines in the memo end in CR LF, as the memo file has
// always kept them. Table failures throw TableError and leave the record as it was.
#pragma once

#include <cstdint>
#include <string>

#include "base/table_text.h"

class Catalogue;

struct MemoSheet {
    TableText mainTitle;  // HTITEL, trimmed
    TableText carrier;    // DRAGER, trimmed
    int64_t number = 0;   // CDNUMMER
    std::string savedOn;  // TEKSTDAT: "24-12-1997", or ""
    TableText text;       // MEMO
};

MemoSheet ReadMemo(Catalogue& catalogue, uint32_t recno);
// Stores `text` as the MEMO of record `recno` and today's date as its TEKSTDAT.
void StoreMemo(Catalogue& catalogue, uint32_t recno, const std::string& text);
