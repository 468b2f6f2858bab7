// TTableAccess: direct access to a table through its TTable, sharing the component's current
// record: reading fields, choosing the controlling order, seeking, walking, counting, filtering,
// index files, pack and reindex. Orders are tag numbers: order n is the tag named "n", order 0
// record order. Failures throw TableError.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/table_text.h"
#include "store/table_component.h"

class TTableAccess {
public:
    // Progress of Pack, Reindex and AppendFrom, in percent.
    using GaugeHook = std::function<void(int percent)>;

    explicit TTableAccess(TTable* table) : table_(table) {}

    TTable& component() const { return *table_; }

    // Field values of the current record. Character fields blank-padded to their width; dates as
    // text ("24-12-1997", "" when blank).
    TableText GetString(std::string_view field) const;
    int64_t GetInteger(std::string_view field) const;
    double GetDouble(std::string_view field) const;
    std::string GetDateString(std::string_view field) const;

    // The controlling order: tag "n", or record order for 0. The current record stays current.
    void SetOrder(int order);
    int IndexOrd() const;
    // The first visible record whose key begins with `key` (bytes in the table's code page; for a
    // numeric tag the number as text). False: the table stands at its end.
    bool Seek(std::string_view key);
    void GoTop();
    void GoBottom();
    void Go(uint32_t recno);
    uint32_t RecNo() const;
    void Skip(int64_t n = 1);
    bool Eof() const;
    bool Bof() const;

    // Marks the current record deleted; it vanishes from view at once.
    void Delete();
    // Writes the component's pending insert or edit.
    void Commit();
    // Number of visible records.
    uint64_t Count() const;
    // Only records for which `expression` holds stay visible; "" shows all again.
    void Query(std::string_view expression);

    void IndexOpen(const std::string& path, const xbase::ProgressFn& progress = nullptr);
    // Creates an ascending, non-unique, unconditional tag, creating the file when needed.
    void IndexTag(const std::string& file, std::string_view tag, std::string_view expression);
    // Removes deleted records; the component must be opened exclusively.
    void Pack();
    // Removes every record, deleted or not, keeping the files; the component must be opened
    // exclusively. A crash leaves the old or the empty table.
    void Zap();
    void Reindex();
    void SetGaugeHook(GaugeHook hook) { gauge_ = std::move(hook); }
    bool Locked(uint32_t recno) const;
    // Appends the records of another DBF by field name; type "FOXPRO" (or empty), scope empty for
    // all records.
    void AppendFrom(const std::string& file, std::string_view type = "FOXPRO",
                    std::string_view scope = "");

private:
    xbase::ProgressFn Progress() const;
    // Pack, or with `keepNone` Zap, keeping the controlling order.
    void Rewrite(bool keepNone);
    void Moved() const;

    TTable* table_;
    GaugeHook gauge_;
};
