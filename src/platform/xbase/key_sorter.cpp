#include "platform/xbase/key_sorter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <unistd.h>

namespace xbase {
namespace {

uint64_t BigEndian8(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return __builtin_bswap64(v);
}

// memcmp of equal-length keys, eight bytes a step: cheaper than the call for the short tails of
// keys that share their first bytes.
int CompareBytes(const uint8_t* a, const uint8_t* b, size_t n) {
    for (; n >= 8; a += 8, b += 8, n -= 8) {
        const uint64_t x = BigEndian8(a), y = BigEndian8(b);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return n == 0 ? 0 : std::memcmp(a, b, n);
}

// Per run read during the merge: enough for long sequential reads, while the buffers of all runs
// together stay near one run's size.
constexpr size_t kMaxReadBytes = size_t(256) << 10;

// A new file named after `path`, or failing that in the temporary folder (a check of a table on
// read-only media). Made with a name nobody holds, so two processes never share one, and unlinked
// at once: the descriptor keeps it while the runs are needed, and no path (an error, a crash)
// leaves it behind.
Status OpenScratch(const std::string& path, std::unique_ptr<File>* out) {
    const std::string own = "." + std::to_string(::getpid()) + ".";
    std::error_code ec;
    const std::string temp =
        (std::filesystem::temp_directory_path(ec) / std::filesystem::path(path).filename())
            .string();
    Status s;
    for (const std::string& base : {path, temp}) {
        for (int attempt = 0; attempt < 4; ++attempt) {
            const std::string name = base + own + std::to_string(attempt);
            s = File::Open(name, File::Mode::kCreateNew, out);
            if (s.ok()) {
                std::remove(name.c_str());
                return s;
            }
        }
    }
    return s;
}

}  // namespace

// Two builds run at a time: a few MB each keeps the whole import well under 100 MB, and the
// merge of 1,000,000 keys still reads only some tens of runs.
const size_t SortedKeys::kDefaultRunBytes = size_t(8) << 20;

void SortedKeys::Reset(uint16_t keyLength, size_t runBytes, std::string scratchPath) {
    keyLength_ = keyLength;
    capacity_ = std::max<size_t>(2, runBytes / (keyLength + sizeof(Entry)));
    scratchPath_ = std::move(scratchPath);
    // Left unfilled: every byte is written by Add before it is read.
    keys_.reset(new uint8_t[capacity_ * keyLength]);
    order_.clear();
    order_.reserve(capacity_);
    scratch_.reset();
    written_ = 0;
    runs_.clear();
    heap_.clear();
    next_ = 0;
    total_ = 0;
    status_ = Status::OK();
}

Status SortedKeys::Add(const uint8_t* key, uint32_t recno) {
    if (order_.size() == capacity_)
        XB_RETURN_IF_ERROR(Spill());
    const uint32_t offset = uint32_t(order_.size() * keyLength_);
    std::memcpy(keys_.get() + offset, key, keyLength_);
    uint64_t prefix = 0;
    if (keyLength_ >= 8) {
        prefix = BigEndian8(key);
    } else {
        for (size_t i = 0; i < 8; ++i)
            prefix = (prefix << 8) | (i < keyLength_ ? key[i] : 0);
    }
    order_.push_back({prefix, offset, recno});
    ++total_;
    return Status::OK();
}

void SortedKeys::SortRun() {
    const size_t rest = keyLength_ > 8 ? keyLength_ - 8 : 0;
    const uint8_t* keys = keys_.get();
    std::sort(order_.begin(), order_.end(), [&](const Entry& a, const Entry& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        if (rest != 0) {
            int c = CompareBytes(keys + a.offset + 8, keys + b.offset + 8, rest);
            if (c != 0)
                return c < 0;
        }
        return a.recno < b.recno;
    });
}

Status SortedKeys::Spill() {
    if (!scratch_)
        XB_RETURN_IF_ERROR(OpenScratch(scratchPath_, &scratch_));
    SortRun();
    const size_t entry = keyLength_ + 4u;
    std::vector<uint8_t> out;
    out.reserve(std::min(kMaxReadBytes, order_.size() * entry));
    Run run;
    run.next = written_;
    for (const Entry& e : order_) {
        out.insert(out.end(), keys_.get() + e.offset, keys_.get() + e.offset + keyLength_);
        const auto* r = reinterpret_cast<const uint8_t*>(&e.recno);
        out.insert(out.end(), r, r + 4);
        if (out.size() + entry > kMaxReadBytes) {
            XB_RETURN_IF_ERROR(scratch_->WriteAt(written_, out.data(), out.size()));
            written_ += out.size();
            out.clear();
        }
    }
    XB_RETURN_IF_ERROR(scratch_->WriteAt(written_, out.data(), out.size()));
    written_ += out.size();
    run.end = written_;
    runs_.push_back(std::move(run));
    order_.clear();
    return Status::OK();
}

Status SortedKeys::Sort() {
    next_ = 0;
    if (runs_.empty()) {
        SortRun();
        return Status::OK();
    }
    if (!order_.empty())
        XB_RETURN_IF_ERROR(Spill());
    keys_.reset();
    order_ = std::vector<Entry>();
    const size_t entry = keyLength_ + 4u;
    const size_t perRun = capacity_ * (keyLength_ + sizeof(Entry)) / runs_.size();
    const size_t bytes = std::max<size_t>(1, std::min(perRun, kMaxReadBytes) / entry) * entry;
    for (uint32_t i = 0; i < runs_.size(); ++i) {
        runs_[i].buffer.resize(bytes);
        XB_RETURN_IF_ERROR(Fill(&runs_[i]));
        heap_.push_back(i);
    }
    std::make_heap(heap_.begin(), heap_.end(),
                   [this](uint32_t a, uint32_t b) { return RunAfter(a, b); });
    return Status::OK();
}

Status SortedKeys::Fill(Run* run) {
    const size_t n = size_t(std::min<uint64_t>(run->buffer.size(), run->end - run->next));
    run->at = 0;
    run->filled = n;
    Status s = scratch_->ReadAt(run->next, run->buffer.data(), n);
    run->next += n;
    return s;
}

bool SortedKeys::RunAfter(uint32_t a, uint32_t b) const {
    const uint8_t* x = runs_[a].buffer.data() + runs_[a].at;
    const uint8_t* y = runs_[b].buffer.data() + runs_[b].at;
    const int c = CompareBytes(x, y, keyLength_);
    if (c != 0)
        return c > 0;
    uint32_t rx, ry;
    std::memcpy(&rx, x + keyLength_, 4);
    std::memcpy(&ry, y + keyLength_, 4);
    return rx > ry;
}

bool SortedKeys::NextFromRuns(const uint8_t** key, uint32_t* recno) {
    if (heap_.empty() || !status_.ok())
        return false;
    // The entry handed out last stays in its buffer until this call: move its run on now.
    if (next_ != 0) {
        Run& last = runs_[heap_.front()];
        last.at += keyLength_ + 4u;
        if (last.at == last.filled && last.next < last.end) {
            status_ = Fill(&last);
            if (!status_.ok())
                return false;
        }
        if (last.at == last.filled) {
            heap_.front() = heap_.back();
            heap_.pop_back();
            if (heap_.empty())
                return false;
        }
        // The top's entry changed: sift it down to its place.
        const size_t n = heap_.size();
        for (size_t i = 0;;) {
            size_t child = 2 * i + 1;
            if (child >= n)
                break;
            if (child + 1 < n && RunAfter(heap_[child], heap_[child + 1]))
                ++child;
            if (!RunAfter(heap_[i], heap_[child]))
                break;
            std::swap(heap_[i], heap_[child]);
            i = child;
        }
    }
    const Run& top = runs_[heap_.front()];
    *key = top.buffer.data() + top.at;
    std::memcpy(recno, *key + keyLength_, 4);
    ++next_;
    return true;
}

EntrySource SortedKeys::Source() {
    return [this](const uint8_t** key, uint32_t* recno) {
        if (!runs_.empty())
            return NextFromRuns(key, recno);
        if (next_ >= order_.size())
            return false;
        const Entry& e = order_[next_++];
        *key = keys_.get() + e.offset;
        *recno = e.recno;
        return true;
    };
}

}  // namespace xbase
