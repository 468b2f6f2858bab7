#include "store/table_access.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/xbase/field_codec.h"
#include "platform/xbase/numeric_key.h"
#include "store/percent_progress.h"
#include "store/table_error.h"

using xbase::Status;

TableText TTableAccess::GetString(std::string_view field) const {
    return table_->FieldAsString(field);
}

int64_t TTableAccess::GetInteger(std::string_view field) const {
    return table_->FieldAsInteger(field);
}

double TTableAccess::GetDouble(std::string_view field) const {
    return table_->FieldAsFloat(field);
}

std::string TTableAccess::GetDateString(std::string_view field) const {
    const xbase::FieldDef& f = table_->Field(field);
    return table_->env().FormatDate(xbase::GetDate(table_->currentRecord(), f));
}

void TTableAccess::Moved() const {
    table_->NotifyChanged();
}

void TTableAccess::SetOrder(int order) {
    ThrowIfError(table_->cursor().SetOrder(order == 0 ? std::string() : std::to_string(order)));
}

int TTableAccess::IndexOrd() const {
    const xbase::OpenTag* tag = table_->cursor().order();
    return tag ? std::atoi(tag->name().c_str()) : 0;
}

bool TTableAccess::Seek(std::string_view key) {
    xbase::Cursor& c = table_->cursor();
    const xbase::OpenTag* tag = c.order();
    if (tag == nullptr) {
        throw TableError(
            Status::InvalidArgument(table_->tableName(), "a seek needs an index order"));
    }
    bool found = false;
    if (tag->expression->type() == xbase::ValueType::kCharacter) {
        ThrowIfError(c.Seek(reinterpret_cast<const uint8_t*>(key.data()), key.size(), &found));
    } else {
        // Numeric and date tags hold numbers: the text is the number (a date: its Julian day).
        std::string text(key);
        char* end = nullptr;
        double value = std::strtod(text.c_str(), &end);
        if (end == text.c_str()) {
            throw TableError(Status::InvalidArgument(table_->tableName(),
                                                     "\"" + text + "\" is not a number to seek"));
        }
        uint8_t encoded[xbase::kNumericKeyLength];
        xbase::EncodeNumericKey(value, encoded);
        ThrowIfError(c.Seek(encoded, sizeof encoded, &found));
    }
    Moved();
    return found;
}

void TTableAccess::GoTop() {
    ThrowIfError(table_->cursor().GoTop());
    Moved();
}

void TTableAccess::GoBottom() {
    ThrowIfError(table_->cursor().GoBottom());
    Moved();
}

void TTableAccess::Go(uint32_t recno) {
    ThrowIfError(table_->cursor().Go(recno));
    Moved();
}

uint32_t TTableAccess::RecNo() const {
    return table_->cursor().RecNo();
}

void TTableAccess::Skip(int64_t n) {
    ThrowIfError(table_->cursor().Skip(n));
    Moved();
}

bool TTableAccess::Eof() const {
    return table_->cursor().Eof();
}

bool TTableAccess::Bof() const {
    return table_->cursor().Bof();
}

void TTableAccess::Delete() {
    table_->Delete();
}

void TTableAccess::Commit() {
    if (table_->state() == TTable::State::Edit || table_->state() == TTable::State::Insert)
        table_->Post();
}

uint64_t TTableAccess::Count() const {
    uint64_t n = 0;
    ThrowIfError(table_->cursor().Count(&n));
    return n;
}

void TTableAccess::Query(std::string_view expression) {
    xbase::Cursor& c = table_->cursor();
    ThrowIfError(c.SetFilter(expression));
    // The current record may no longer be visible.
    if (!c.Eof() && !c.IsVisible(c.record()))
        ThrowIfError(c.Skip(1));
    Moved();
}

void TTableAccess::IndexOpen(const std::string& path, const xbase::ProgressFn& progress) {
    ThrowIfError(table_->table().OpenIndex(path, progress));
}

void TTableAccess::IndexTag(const std::string& file, std::string_view tag,
                            std::string_view expression) {
    ThrowIfError(table_->table().CreateTag(file, tag, expression));
}

xbase::ProgressFn TTableAccess::Progress() const {
    return gauge_ ? PercentProgress(gauge_) : nullptr;
}

void TTableAccess::Pack() {
    Rewrite(false);
}

void TTableAccess::Zap() {
    Rewrite(true);
}

void TTableAccess::Rewrite(bool keepNone) {
    xbase::Cursor& c = table_->cursor();
    std::string order = c.order() ? c.order()->name() : std::string();
    xbase::Table& table = table_->table();
    ThrowIfError(keepNone ? table.Zap(Progress()) : table.Pack(Progress()));
    table_->Reset();
    ThrowIfError(c.SetOrder(order));
    GoTop();
}

void TTableAccess::Reindex() {
    ThrowIfError(table_->table().Reindex(Progress()));
    ThrowIfError(table_->cursor().Reread());
}

bool TTableAccess::Locked(uint32_t recno) const {
    if (recno != 0 && table_->lockedRecno() == recno)
        return true;
    bool locked = false;
    ThrowIfError(table_->table().IsRecordLocked(recno, &locked));
    return locked;
}

void TTableAccess::AppendFrom(const std::string& file, std::string_view type,
                              std::string_view scope) {
    std::string kind(type);
    for (char& ch : kind)
        ch = char(std::toupper(static_cast<unsigned char>(ch)));
    if (!kind.empty() && kind != "FOXPRO" && kind != "DBASE" && kind != "FOX2X") {
        throw TableError(
            Status::NotSupported(file, "cannot append from files of type " + std::string(type)));
    }
    if (!scope.empty()) {
        throw TableError(Status::NotSupported(
            file, "append with a scope is not supported: " + std::string(scope)));
    }
    ThrowIfError(table_->table().AppendFrom(file, Progress()));
    ThrowIfError(table_->cursor().Reread());
    Moved();
}
