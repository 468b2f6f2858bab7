#include "platform/xbase/cursor.h"

#include <cstring>

namespace xbase {

Cursor::Cursor(Table* table) : table_(table), record_(table->recordLength(), ' ') {}

Status Cursor::SetOrder(std::string_view tagName) {
    if (tagName.empty() || tagName == "0") {
        order_ = nullptr;
        it_.reset();
        return Status::OK();
    }
    const OpenTag* tag = table_->FindTag(tagName);
    if (tag == nullptr)
        return Status::NotFound(table_->path(), "no open index has a tag " + std::string(tagName));
    order_ = tag;
    it_ = tag->tag->NewIterator();
    itEpoch_ = table_->tagEpoch();
    itPositioned_ = false;
    return Status::OK();
}

void Cursor::SyncIterator() {
    if (order_ != nullptr && itEpoch_ != table_->tagEpoch()) {
        it_ = order_->tag->NewIterator();
        itEpoch_ = table_->tagEpoch();
        itPositioned_ = false;
    }
}

Status Cursor::SetFilter(std::string_view expression) {
    if (expression.empty()) {
        filter_.reset();
        filterText_.clear();
        return Status::OK();
    }
    std::unique_ptr<Expression> compiled;
    Status s = Expression::Compile(expression, table_->schema(), table_->codePage(), &compiled);
    if (!s.ok())
        return Status::InvalidArgument(table_->path(), "filter: " + s.message());
    if (compiled->type() != ValueType::kLogical) {
        return Status::InvalidArgument(table_->path(),
                                       "a filter must be a condition: " + std::string(expression));
    }
    filter_ = std::move(compiled);
    filterText_ = std::string(expression);
    return Status::OK();
}

bool Cursor::IsVisible(const uint8_t* record) const {
    if (!showDeleted_ && record[0] == '*')
        return false;
    return !filter_ || filter_->EvaluateBool(record);
}

Status Cursor::Load(uint32_t recno) {
    XB_RETURN_IF_ERROR(table_->ReadRecord(recno, record_.data()));
    recno_ = recno;
    eof_ = false;
    return Status::OK();
}

void Cursor::TakeScratch(uint32_t recno) {
    std::memcpy(record_.data(), scratch_.data(), record_.size());
    recno_ = recno;
    eof_ = false;
}

void Cursor::SetEof() {
    eof_ = true;
    recno_ = 0;
    itPositioned_ = false;
    std::memset(record_.data(), ' ', record_.size());
}

Status Cursor::Refresh() {
    // Positioning starts from what is on disk now: other processes may have written since.
    blockCount_ = 0;
    lastRead_ = 0;
    if (table_->exclusive() || table_->readOnly())
        return Status::OK();
    return table_->Refresh(false);
}

Status Cursor::ReadForWalk(uint32_t recno, uint8_t* out) {
    constexpr uint32_t kBlockRecords = 16;
    const size_t length = record_.size();
    if (blockCount_ != 0 && blockGeneration_ == table_->changeCount() && recno >= blockFirst_ &&
        recno < blockFirst_ + blockCount_) {
        std::memcpy(out, block_.data() + size_t(recno - blockFirst_) * length, length);
        lastRead_ = recno;
        return Status::OK();
    }
    const bool forward = lastRead_ != 0 && recno == lastRead_ + 1;
    const bool backward = lastRead_ != 0 && recno + 1 == lastRead_;
    lastRead_ = recno;
    if (!forward && !backward)
        return table_->ReadRecord(recno, out);
    const uint32_t count = table_->recordCount();
    // The block reaches ahead in the direction of the walk.
    const uint32_t first =
        forward ? recno : (recno > kBlockRecords ? recno - kBlockRecords + 1 : 1);
    blockCount_ = std::min(kBlockRecords, count - first + 1);
    blockFirst_ = first;
    blockGeneration_ = table_->changeCount();
    block_.resize(size_t(blockCount_) * length);
    Status s = table_->ReadRecords(first, blockCount_, block_.data());
    if (!s.ok()) {
        blockCount_ = 0;
        return s;
    }
    std::memcpy(out, block_.data() + size_t(recno - first) * length, length);
    return Status::OK();
}

Status Cursor::AllRecNos(std::vector<uint32_t>* out, bool* all) {
    *all = false;
    XB_RETURN_IF_ERROR(Refresh());
    uint32_t deleted = 0;
    if (!showDeleted_) {
        XB_RETURN_IF_ERROR(table_->DeletedCount(&deleted));
    }
    if (filter_) {
        return Status::OK();
    }
    const uint32_t count = table_->recordCount();
    // Reading the flags in large blocks costs far less than reading each record in index order.
    std::vector<bool> hidden;
    if (deleted != 0) {
        hidden.assign(size_t(count) + 1, false);
        XB_RETURN_IF_ERROR(table_->ScanRecords(1, [&hidden](uint32_t recno, const uint8_t* rec) {
            hidden[recno] = rec[0] == '*';
            return true;
        }));
    }
    const auto visible = [&hidden](uint32_t recno) { return hidden.empty() || !hidden[recno]; };
    std::vector<uint32_t> recnos;
    recnos.reserve(count - std::min(count, deleted));
    if (order_ == nullptr) {
        for (uint32_t recno = 1; recno <= count; ++recno) {
            if (visible(recno))
                recnos.push_back(recno);
        }
    } else {
        const std::unique_ptr<CdxIterator> it = order_->tag->NewIterator();
        XB_RETURN_IF_ERROR(it->SeekFirst());
        while (it->Valid()) {
            // An entry beyond the records (an index ahead of its table) is not trusted.
            if (it->recno() == 0 || it->recno() > count) {
                return Status::OK();
            }
            if (visible(it->recno()))
                recnos.push_back(it->recno());
            XB_RETURN_IF_ERROR(it->Next());
        }
    }
    *out = std::move(recnos);
    *all = true;
    return Status::OK();
}

Status Cursor::GoTop() {
    XB_RETURN_IF_ERROR(Refresh());
    if (order_) {
        SyncIterator();
        XB_RETURN_IF_ERROR(it_->SeekFirst());
    } else {
        recno_ = 0;
    }
    return StepToFirstVisible(+1);
}

Status Cursor::GoBottom() {
    XB_RETURN_IF_ERROR(Refresh());
    if (order_) {
        // Positioned past the end, so that the first step back lands on the last entry.
        SyncIterator();
        XB_RETURN_IF_ERROR(it_->SeekLast());
        if (it_->Valid())
            XB_RETURN_IF_ERROR(it_->Next());
    } else {
        recno_ = table_->recordCount() + 1;
    }
    return StepToFirstVisible(-1);
}

Status Cursor::StepToFirstVisible(int direction) {
    bof_ = false;
    eof_ = false;
    if (order_) {
        itGeneration_ = table_->changeCount();
        itPositioned_ = true;
        itOnCurrent_ = false;
    }
    bool moved = false;
    XB_RETURN_IF_ERROR(order_ ? StepTagOrder(direction, &moved)
                              : StepRecordOrder(direction, &moved));
    if (!moved)
        SetEof();
    return Status::OK();
}

Status Cursor::Go(uint32_t recno) {
    XB_RETURN_IF_ERROR(Refresh());
    if (recno == 0 || recno > table_->recordCount()) {
        return Status::InvalidArgument(table_->path(),
                                       "record " + std::to_string(recno) + " is out of range");
    }
    bof_ = false;
    itPositioned_ = false;
    return Load(recno);
}

Status Cursor::Reread() {
    itPositioned_ = false;
    if (eof_)
        return Status::OK();
    if (recno_ > table_->recordCount()) {
        SetEof();
        return Status::OK();
    }
    return Load(recno_);
}

Status Cursor::Seek(const uint8_t* key, size_t len, bool* found) {
    *found = false;
    XB_RETURN_IF_ERROR(Refresh());
    bof_ = false;
    if (!order_)
        return Status::InvalidArgument(table_->path(), "a seek needs an index order");
    if (len > order_->keyLength())
        len = order_->keyLength();
    SyncIterator();
    XB_RETURN_IF_ERROR(it_->Seek(key, len));
    itGeneration_ = table_->changeCount();
    while (it_->Valid() && std::memcmp(it_->key(), key, len) == 0) {
        XB_RETURN_IF_ERROR(ReadForWalk(it_->recno(), scratch()));
        if (IsVisible(scratch())) {
            TakeScratch(it_->recno());
            itPositioned_ = true;
            itOnCurrent_ = true;
            *found = true;
            return Status::OK();
        }
        XB_RETURN_IF_ERROR(it_->Next());
    }
    SetEof();
    return Status::OK();
}

Status Cursor::Skip(int64_t n) {
    bof_ = false;
    if (n == 0)
        return Reread();
    if (eof_) {
        if (n > 0)
            return Status::OK();
        XB_RETURN_IF_ERROR(GoBottom());
        if (eof_)
            return Status::OK();
        ++n;
    }
    const int direction = n > 0 ? +1 : -1;
    for (int64_t i = 0; i < (n > 0 ? n : -n); ++i) {
        bool moved = false;
        XB_RETURN_IF_ERROR(order_ ? StepTagOrder(direction, &moved)
                                  : StepRecordOrder(direction, &moved));
        if (!moved) {
            if (direction > 0) {
                SetEof();
            } else {
                bof_ = true;
                itPositioned_ = false;
            }
            break;
        }
    }
    return Status::OK();
}

Status Cursor::StepRecordOrder(int direction, bool* moved) {
    *moved = false;
    const uint32_t count = table_->recordCount();
    for (int64_t r = int64_t(recno_) + direction; r >= 1 && r <= int64_t(count); r += direction) {
        XB_RETURN_IF_ERROR(ReadForWalk(uint32_t(r), scratch()));
        if (IsVisible(scratch())) {
            TakeScratch(uint32_t(r));
            *moved = true;
            return Status::OK();
        }
    }
    return Status::OK();
}

Status Cursor::EnsureIterator() {
    SyncIterator();
    if (itPositioned_ && itGeneration_ == table_->changeCount())
        return Status::OK();
    if (itGeneration_ != table_->changeCount() && !eof_ && recno_ <= table_->recordCount()) {
        // The current record may itself have changed: find it by the key it has now.
        XB_RETURN_IF_ERROR(table_->ReadRecord(recno_, record_.data()));
    }
    std::vector<uint8_t> key(order_->keyLength());
    order_->expression->EvaluateKey(record_.data(), key.data());
    XB_RETURN_IF_ERROR(it_->SeekEntry(key.data(), recno_));
    itGeneration_ = table_->changeCount();
    itPositioned_ = true;
    itOnCurrent_ = it_->Valid() && it_->recno() == recno_ &&
                   std::memcmp(it_->key(), key.data(), key.size()) == 0;
    return Status::OK();
}

Status Cursor::StepTagOrder(int direction, bool* moved) {
    *moved = false;
    XB_RETURN_IF_ERROR(EnsureIterator());
    // Off the current entry: forward, the iterator already stands on the successor.
    bool advance = itOnCurrent_ || direction < 0;
    if (direction < 0 && !it_->Valid()) {
        XB_RETURN_IF_ERROR(it_->SeekLast());
        advance = false;
    }
    for (;;) {
        if (advance)
            XB_RETURN_IF_ERROR(direction > 0 ? it_->Next() : it_->Prev());
        advance = true;
        if (!it_->Valid()) {
            itPositioned_ = false;
            return Status::OK();
        }
        XB_RETURN_IF_ERROR(ReadForWalk(it_->recno(), scratch()));
        if (IsVisible(scratch())) {
            TakeScratch(it_->recno());
            itOnCurrent_ = true;
            *moved = true;
            return Status::OK();
        }
    }
}

Status Cursor::Count(uint64_t* count) {
    if (!filter_) {
        uint32_t deleted = 0;
        if (!showDeleted_)
            XB_RETURN_IF_ERROR(table_->DeletedCount(&deleted));
        *count = table_->recordCount() - deleted;
        return Status::OK();
    }
    uint64_t n = 0;
    XB_RETURN_IF_ERROR(table_->ScanRecords(1, [&](uint32_t, const uint8_t* rec) {
        if (IsVisible(rec))
            ++n;
        return true;
    }));
    *count = n;
    return Status::OK();
}

}  // namespace xbase
