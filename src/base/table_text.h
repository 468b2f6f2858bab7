// TableText: text as the tables hold it, bytes in their code page (Windows-1252). A type of its
// own so that table bytes cannot reach a message, a status line or a widget unconverted: the
// bytes serve keys, comparisons and writes; the user sees Utf8() (or FromTable for widgets).
#pragma once

#include <string>
#include <utility>

class TableText {
public:
    TableText() = default;
    explicit TableText(std::string bytes) : bytes_(std::move(bytes)) {}

    const std::string& bytes() const { return bytes_; }
    bool empty() const { return bytes_.empty(); }

    friend bool operator==(const TableText&, const TableText&) = default;

private:
    std::string bytes_;
};

TableText Trim(const TableText& text);
TableText TrimRight(const TableText& text);
bool IsBlank(const TableText& text);

// The one conversion of table text into the user's text (UTF-8, as Ui::Message takes it).
std::string Utf8(const TableText& text);
