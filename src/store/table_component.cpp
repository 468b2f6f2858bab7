#include "store/table_component.h"

#include <cmath>
#include <cstring>

#include "platform/xbase/field_codec.h"
#include "store/table_error.h"

using xbase::Status;

TTable::TTable(std::string name, TTableEnv* env) : name_(std::move(name)), env_(env) {}

TTable::~TTable() {
    if (state_ == State::Edit || state_ == State::Insert)
        ReleaseRecordLock();
}

void TTable::Open() {
    if (Active())
        return;
    xbase::Table::Options options;
    options.exclusive = exclusive_;
    options.readOnly = readOnly_ || env_->ReadOnly;
    std::unique_ptr<xbase::Table> table;
    ThrowIfError(xbase::Table::Open(tableName_, options, &table));
    for (const xbase::FieldSpec& field : expected_) {
        const int index = table->schema().Find(field.name);
        if (index < 0 || table->schema()[size_t(index)].type != field.type) {
            throw TableError(Status::Corruption(
                table->path(), "field " + field.name +
                                   (index < 0 ? " is missing" : " has another type") +
                                   ": this is another table's file"));
        }
    }
    // The screens sync at the end of each user's action: the disk starts on that sync while the
    // index keys of the change are still being written.
    table->SetSyncAhead(true);
    table_ = std::move(table);
    Reset();
}

void TTable::Reset() {
    cursor_ = std::make_unique<xbase::Cursor>(table_.get());
    cursor_->SetShowDeleted(!env_->Deleted);
    state_ = State::Browse;
    memos_.clear();
    ThrowIfError(cursor_->GoTop());
    NotifyChanged();
}

void TTable::Close() {
    if (!Active())
        return;
    if (state_ == State::Edit || state_ == State::Insert)
        Cancel();
    cursor_.reset();
    table_.reset();
    state_ = State::Inactive;
    NotifyChanged();
}

xbase::Table& TTable::table() const {
    if (!table_)
        throw TableError(
            Status::InvalidArgument(tableName_, "the table " + name_ + " is not open"));
    return *table_;
}

xbase::Cursor& TTable::cursor() const {
    table();
    return *cursor_;
}

const uint8_t* TTable::currentRecord() const {
    if (state_ == State::Edit || state_ == State::Insert)
        return buffer_.data();
    return cursor().record();
}

const xbase::FieldDef& TTable::Field(std::string_view name) const {
    const xbase::Table& t = table();
    int index = t.schema().Find(name);
    if (index < 0) {
        throw TableError(
            Status::InvalidArgument(t.path(), "the table has no field " + std::string(name)));
    }
    return t.schema()[size_t(index)];
}

void TTable::RequireEditing(const char* what) const {
    if (state_ != State::Edit && state_ != State::Insert) {
        throw TableError(Status::InvalidArgument(
            table().path(), std::string(what) + " needs Insert or Edit first"));
    }
}

void TTable::Insert() {
    if (state_ == State::Edit || state_ == State::Insert)
        Cancel();
    const xbase::Table& t = table();
    buffer_.assign(t.recordLength(), ' ');
    for (const xbase::FieldDef& f : t.schema().fields())
        xbase::SetBlank(buffer_.data(), f);
    memos_.clear();
    state_ = State::Insert;
}

void TTable::Edit() {
    if (state_ == State::Edit || state_ == State::Insert)
        return;
    xbase::Cursor& c = cursor();
    if (c.Eof())
        throw TableError(
            Status::InvalidArgument(table_->path(), "there is no current record to edit"));
    ThrowIfError(table_->LockRecord(c.RecNo()));
    lockedRecno_ = c.RecNo();
    Status s = c.Reread();  // edit what is on disk now, not what was read before
    if (!s.ok()) {
        ReleaseRecordLock();
        throw TableError(s);
    }
    buffer_.assign(c.record(), c.record() + table_->recordLength());
    memos_.clear();
    state_ = State::Edit;
}

void TTable::Post() {
    RequireEditing("Post");
    if (state_ == State::Insert) {
        uint32_t recno = 0;
        ThrowIfError(table_->Append(buffer_.data(), memos_, &recno));
        ThrowIfError(cursor_->Go(recno));
    } else {
        ThrowIfError(table_->Update(lockedRecno_, buffer_.data(), memos_));
        ReleaseRecordLock();
        ThrowIfError(cursor_->Reread());
    }
    state_ = State::Browse;
    memos_.clear();
    NotifyChanged();
}

void TTable::Cancel() {
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    ReleaseRecordLock();
    state_ = State::Browse;
    memos_.clear();
    NotifyChanged();
}

void TTable::ReleaseRecordLock() {
    if (lockedRecno_ != 0 && table_)
        table_->UnlockRecord(lockedRecno_);
    lockedRecno_ = 0;
}

void TTable::Sync() {
    ThrowIfError(table().Sync());
}

void TTable::Delete() {
    if (state_ == State::Insert) {
        Cancel();
        return;
    }
    if (state_ == State::Edit)
        Cancel();
    xbase::Cursor& c = cursor();
    if (c.Eof())
        throw TableError(
            Status::InvalidArgument(table_->path(), "there is no current record to delete"));
    ThrowIfError(table_->SetDeleted(c.RecNo(), true));
    ThrowIfError(c.Reread());
    if (!c.IsVisible(c.record()))
        ThrowIfError(c.Skip(1));
    NotifyChanged();
}

TableText TTable::FieldAsString(std::string_view name) const {
    const xbase::FieldDef& f = Field(name);
    const uint8_t* rec = currentRecord();
    switch (f.type) {
        case 'D':
            return TableText(env_->FormatDate(xbase::GetDate(rec, f)));
        case 'M': {
            int index = table().schema().Find(name);
            auto pending = memos_.find(index);
            if (pending != memos_.end())
                return TableText(pending->second);
            std::string text;
            ThrowIfError(table_->ReadMemo(rec, index, &text));
            return TableText(std::move(text));
        }
        default:
            return TableText(xbase::GetText(rec, f));
    }
}

TableText TTable::FieldText(const uint8_t* record, std::string_view name) const {
    const xbase::FieldDef& f = Field(name);
    switch (f.type) {
        case 'D':
            return TableText(env_->FormatDate(xbase::GetDate(record, f)));
        case 'M':
            return {};
        default:
            return TableText(xbase::GetText(record, f));
    }
}

int64_t TTable::FieldAsInteger(std::string_view name) const {
    return int64_t(std::llround(xbase::GetNumber(currentRecord(), Field(name))));
}

double TTable::FieldAsFloat(std::string_view name) const {
    return xbase::GetNumber(currentRecord(), Field(name));
}

bool TTable::FieldAsBoolean(std::string_view name) const {
    return xbase::GetLogical(currentRecord(), Field(name));
}

void TTable::SetFieldAsString(std::string_view name, std::string_view value) {
    RequireEditing("assigning a field");
    const xbase::FieldDef& f = Field(name);
    if (f.type == 'M') {
        memos_[table_->schema().Find(name)] = std::string(value);
        return;
    }
    if (f.type == 'D') {
        xbase::Date d;
        if (!env_->ParseDate(value, &d)) {
            throw TableError(Status::InvalidArgument(
                table_->path(), "\"" + std::string(value) + "\" is not a date for " + f.name));
        }
        ThrowIfError(xbase::SetDate(buffer_.data(), f, d));
        return;
    }
    ThrowIfError(xbase::SetText(buffer_.data(), f, value));
}

void TTable::SetFieldAsInteger(std::string_view name, int64_t value) {
    SetFieldAsFloat(name, double(value));
}

void TTable::SetFieldAsFloat(std::string_view name, double value) {
    RequireEditing("assigning a field");
    ThrowIfError(xbase::SetNumber(buffer_.data(), Field(name), value));
}

void TTable::SetFieldAsBoolean(std::string_view name, bool value) {
    RequireEditing("assigning a field");
    ThrowIfError(xbase::SetLogical(buffer_.data(), Field(name), value));
}

void TTable::ClearField(std::string_view name) {
    RequireEditing("clearing a field");
    const xbase::FieldDef& f = Field(name);
    if (f.type == 'M') {
        memos_[table_->schema().Find(name)] = std::string();
        return;
    }
    xbase::SetBlank(buffer_.data(), f);
}

int TTable::AddObserver(Observer observer) {
    observers_[nextObserverId_] = std::move(observer);
    return nextObserverId_++;
}

void TTable::RemoveObserver(int id) {
    observers_.erase(id);
}

void TTable::EnableControls() {
    if (disabled_ > 0 && --disabled_ == 0 && changedWhileDisabled_) {
        changedWhileDisabled_ = false;
        NotifyChanged();
    }
}

void TTable::NotifyChanged() {
    if (disabled_ > 0) {
        changedWhileDisabled_ = true;
        return;
    }
    // A copy: an observer may remove itself while being told.
    auto observers = observers_;
    for (auto& [id, observer] : observers)
        observer();
}
