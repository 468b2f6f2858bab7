#include "platform/xbase/tool/csv_reader.h"

namespace xbtool {

bool CsvReader::Next(std::vector<std::string>* row, std::string* error) {
    row->clear();
    error->clear();
    std::string value;
    bool quoted = false, any = false, wasQuoted = false;
    int c;
    while ((c = in_.get()) != EOF) {
        any = true;
        if (quoted) {
            if (c == '"') {
                if (in_.peek() == '"') {
                    in_.get();
                    value.push_back('"');
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n')
                    ++line_;
                value.push_back(char(c));
            }
        } else if (c == '"' && value.empty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == ',') {
            row->push_back(std::move(value));
            value.clear();
            wasQuoted = false;
        } else if (c == '\n') {
            ++line_;
            break;
        } else if (c != '\r') {
            value.push_back(char(c));
        }
    }
    if (quoted) {
        *error = "a quoted value is not closed (line " + std::to_string(line_ + 1) + ")";
        return false;
    }
    if (!any)
        return false;
    row->push_back(std::move(value));
    return true;
}

}  // namespace xbtool
