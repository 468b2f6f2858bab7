#include "platform/xbase/csv/csv_reader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace xbase {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// Reads every row of `text`; the value with text after its closing quote, if any, and the line
// each row starts on are appended to its values.
Rows ReadAll(const std::string& text, size_t valueLimit, size_t rowLimit, std::string* error) {
    std::istringstream in(text);
    CsvReader reader(in);
    reader.SetLimits(valueLimit, rowLimit);
    Rows rows;
    std::vector<std::string> row;
    while (reader.Next(&row, error)) {
        if (reader.strayQuote() >= 0)
            row.push_back("stray " + std::to_string(reader.strayQuote()));
        row.push_back(std::to_string(reader.line()));
        rows.push_back(row);
    }
    return rows;
}

TEST(CsvReaderTest, ReadsRfc4180Text) {
    const std::string longValue(70000, 'x');  // crosses the reader's chunks
    const std::string noBreak(300000, 'x');
    struct Case {
        std::string text;
        Rows rows;
        std::string error;
        size_t valueLimit = SIZE_MAX, rowLimit = SIZE_MAX;
    } cases[] = {
        {"a,b\r\nc,d\r\n", {{"a", "b", "1"}, {"c", "d", "2"}}, ""},
        {"\xEF\xBB\xBFNAME\nx", {{"NAME", "1"}, {"x", "2"}}, ""},
        {"\"a,b\",\"say \"\"hi\"\"\"\r\n\"two\r\nlines\",\n",
         {{"a,b", "say \"hi\"", "1"}, {"two\r\nlines", "", "2"}},
         ""},
        {"\n,\n", {{"", "1"}, {"", "", "2"}}, ""},
        {"a,b\rc\r\"x\ry\r\n\",z\rq",
         {{"a", "b", "1"}, {"c", "2"}, {"x\ry\r\n", "z", "3"}, {"q", "6"}},
         ""},  // a lone CR ends a line too
        {"\"abc\"def,\"x\"\"\"\n,\"y\"z\n",
         {{"abcdef", "x\"", "stray 0", "1"}, {"", "yz", "stray 1", "2"}},
         ""},
        {"x\n\"" + longValue + "\"\"\"," + longValue + "\n",
         {{"x", "1"}, {longValue + "\"", longValue, "2"}},
         ""},
        {"a\n\"open\nb", {{"a", "1"}}, "a quoted value is not closed"},
        {"", {}, ""},
        {"abcd,\"ef\"\n", {{"abcd", "ef", "1"}}, "", 4, 7},
        {"ok\n" + noBreak, {{"ok", "1"}}, "a value is longer than 1000 bytes", 1000, 5000},
        {"ok\n\"" + noBreak, {{"ok", "1"}}, "a value is longer than 1000 bytes", 1000, 5000},
        {"ab,cd,ef\n", {}, "the row is longer than 7 bytes", 4, 7},
        {std::string(100000, ','), {}, "the row is longer than 5000 bytes", 1000, 5000},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(ReadAll(c.text, c.valueLimit, c.rowLimit, &error), c.rows)
            << c.text.substr(0, 40);
        EXPECT_EQ(error, c.error) << c.text.substr(0, 40);
    }
}

}  // namespace
}  // namespace xbase
