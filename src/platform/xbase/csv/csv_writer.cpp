#include "platform/xbase/csv/csv_writer.h"

namespace xbase {

void AppendCsvValue(std::string_view value, std::string* out) {
    if (value.find_first_of(",\"\r\n") == std::string_view::npos) {
        out->append(value);
        return;
    }
    out->push_back('"');
    for (char c : value) {
        if (c == '"')
            out->push_back('"');
        out->push_back(c);
    }
    out->push_back('"');
}

}  // namespace xbase
