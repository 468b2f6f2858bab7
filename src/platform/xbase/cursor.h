// A position in a table: the current record in record order or in the order of one tag, with
// the records a cursor must not show (deleted ones, those a filter rejects) skipped over.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xbase/table.h"

namespace xbase {

class Cursor {
public:
    // The table must outlive the cursor. Starts in record order, at the top.
    explicit Cursor(Table* table);

    // The controlling order: a tag name, or "" / "0" for record order. Keeps the current record.
    Status SetOrder(std::string_view tagName);
    const OpenTag* order() const { return order_; }
    // When false (the default), records flagged deleted are invisible to every movement and count.
    void SetShowDeleted(bool show) { showDeleted_ = show; }
    bool showDeleted() const { return showDeleted_; }
    // Only records for which the logical expression holds stay visible; "" shows all again.
    Status SetFilter(std::string_view expression);
    const std::string& filter() const { return filterText_; }

    Status GoTop();
    Status GoBottom();
    // Positions on record `recno` whether or not it is visible; InvalidArgument when out of range.
    Status Go(uint32_t recno);
    // In a tag order: the first visible record whose key begins with `key` (*found true), or the
    // end of the table (*found false, Eof). Numeric tags take an 8-byte numeric key.
    Status Seek(const uint8_t* key, size_t len, bool* found);
    // Moves n visible records forward (n < 0: back). Past the end: Eof; before the start: Bof,
    // on the first visible record.
    Status Skip(int64_t n);
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    // The current record number; recordCount + 1 at the end.
    uint32_t RecNo() const { return eof_ ? table_->recordCount() + 1 : recno_; }
    // The current record (blank at the end).
    const uint8_t* record() const { return record_.data(); }
    // Reads the current record again (after it was written).
    Status Reread();
    // Number of visible records.
    Status Count(uint64_t* count);
    // Without a filter: the record numbers of the visible records in the cursor's order, read
    // from the index (and, when deleted records are hidden, their deleted flags in one sequential
    // pass over the table), and *all true. With a filter: *all false and `out` untouched. The
    // cursor does not move.
    Status AllRecNos(std::vector<uint32_t>* out, bool* all);
    bool IsVisible(const uint8_t* record) const;

private:
    Status Refresh();
    Status Load(uint32_t recno);
    // Reads record `recno` for a walk; neighbours of the record read last come from a block read
    // ahead, since the tracks of one source lie side by side in the table.
    Status ReadForWalk(uint32_t recno, uint8_t* out);
    void SetEof();
    // The candidate in scratch_, record `recno`, becomes the current record.
    void TakeScratch(uint32_t recno);
    // From the iterator's place (or, in record order, from recno_) to the first visible record in
    // `direction`; the end of the table when there is none.
    Status StepToFirstVisible(int direction);
    Status StepRecordOrder(int direction, bool* moved);
    Status StepTagOrder(int direction, bool* moved);
    Status EnsureIterator();
    // A fresh iterator when the table made its tag objects anew.
    void SyncIterator();
    uint8_t* scratch() {
        scratch_.resize(record_.size());
        return scratch_.data();
    }

    Table* table_;
    const OpenTag* order_ = nullptr;
    std::unique_ptr<CdxIterator> it_;
    uint64_t itEpoch_ = 0;  // the table's tag epoch when it_ was taken
    bool itPositioned_ =
        false;  // it_ stands on the current entry or, when !itOnCurrent_, its successor
    bool itOnCurrent_ = false;
    uint64_t itGeneration_ = 0;  // the table's change count when it_ was positioned
    std::unique_ptr<Expression> filter_;
    std::string filterText_;
    bool showDeleted_ = false;
    std::vector<uint8_t> record_;
    std::vector<uint8_t> scratch_;  // a candidate record, before it becomes current
    std::vector<uint8_t> block_;    // records read ahead during a walk
    uint32_t blockFirst_ = 0, blockCount_ = 0;
    uint64_t blockGeneration_ = 0;  // the table's change count when block_ was read
    uint32_t lastRead_ = 0;
    uint32_t recno_ = 0;
    bool eof_ = true;
    bool bof_ = false;
};

}  // namespace xbase
