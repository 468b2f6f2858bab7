// TTable: the table component. It opens a table file, holds the current record that its
// TTableAccess shares, edits records (Insert/Edit, fields by name, Post/Cancel) and tells the
// views bound to it when the current record changes, unless they are suspended.
//
// Failures throw TableError (table_error.h).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/table_text.h"
#include "platform/xbase/cursor.h"
#include "platform/xbase/table.h"
#include "store/table_env.h"

class TTable {
public:
    enum class State { Inactive, Browse, Edit, Insert };
    using Observer = std::function<void()>;

    explicit TTable(std::string name, TTableEnv* env = &TTableEnv::Default());
    ~TTable();
    TTable(const TTable&) = delete;
    TTable& operator=(const TTable&) = delete;

    const std::string& name() const { return name_; }
    void setTableName(std::string path) { tableName_ = std::move(path); }
    const std::string& tableName() const { return tableName_; }
    void setExclusive(bool exclusive) { exclusive_ = exclusive; }
    bool exclusive() const { return exclusive_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // The fields (name and type) the file must have: another table's file put in its place is
    // refused at Open instead of failing later on a missing field.
    void setExpectedFields(std::vector<xbase::FieldSpec> fields) { expected_ = std::move(fields); }

    // Opens the table file (shared unless exclusive) and goes to its first record. A file that
    // lacks an expected field throws a Corruption naming the file and the field.
    void Open();
    // Closes it; an unposted edit is cancelled.
    void Close();
    bool Active() const { return table_ != nullptr; }
    State state() const { return state_; }

    // A new blank record to fill in; nothing is written until Post.
    void Insert();
    // Edits the current record; in shared use it is locked against other processes until Post
    // or Cancel. Not possible at the end of the table.
    void Edit();
    // Writes the record being inserted or edited; it becomes (or stays) the current record.
    void Post();
    void Cancel();
    // Marks the current record deleted and moves to the next visible one.
    void Delete();
    // Puts everything written so far on the disk itself, index files included: after it, a
    // power cut loses none of it. For the end of a user's action (a saved track), not per record
    // of a bulk run.
    void Sync();

    // Field values of the current record (or of the record being edited), by name in any case.
    // Character fields come back blank-padded to their width, dates as text in the environment's
    // format ("24-12-1997"), memo fields as their text.
    TableText FieldAsString(std::string_view field) const;
    // The same for a record read straight from the table (a grid row), not the current one;
    // memo fields come back empty.
    TableText FieldText(const uint8_t* record, std::string_view field) const;
    int64_t FieldAsInteger(std::string_view field) const;
    double FieldAsFloat(std::string_view field) const;
    bool FieldAsBoolean(std::string_view field) const;
    // Assignment, only while inserting or editing. A value that does not fit the field (text
    // longer than the width, a number with too many digits, a date that is not one) is refused
    // with TableError; nothing is cut short silently.
    void SetFieldAsString(std::string_view field, std::string_view value);
    void SetFieldAsInteger(std::string_view field, int64_t value);
    void SetFieldAsFloat(std::string_view field, double value);
    void SetFieldAsBoolean(std::string_view field, bool value);
    void ClearField(std::string_view field);

    // Views bound to this table.
    int AddObserver(Observer observer);
    void RemoveObserver(int id);
    // Suspends notifications (nested); EnableControls notifies once when the last suspension ends.
    void DisableControls() { ++disabled_; }
    void EnableControls();
    bool ControlsDisabled() const { return disabled_ > 0; }
    // Tells the bound views that the current record changed.
    void NotifyChanged();

    // The engine objects, for TTableAccess.
    xbase::Table& table() const;
    xbase::Cursor& cursor() const;
    const TTableEnv& env() const { return *env_; }
    // The record that field reads see: the edit buffer while editing, the cursor's otherwise.
    const uint8_t* currentRecord() const;
    const xbase::FieldDef& Field(std::string_view name) const;
    // The record this component holds locked while editing it (0: none).
    uint32_t lockedRecno() const { return lockedRecno_; }
    // After the engine reopened or repacked the table.
    void Reset();

private:
    void RequireEditing(const char* what) const;
    void ReleaseRecordLock();

    std::string name_;
    TTableEnv* env_;
    std::vector<xbase::FieldSpec> expected_;
    std::string tableName_;
    bool exclusive_ = false;
    bool readOnly_ = false;
    std::unique_ptr<xbase::Table> table_;
    std::unique_ptr<xbase::Cursor> cursor_;
    State state_ = State::Inactive;
    std::vector<uint8_t> buffer_;  // the record being inserted or edited
    xbase::MemoTexts memos_;       // memo texts assigned while editing
    uint32_t lockedRecno_ = 0;
    std::map<int, Observer> observers_;
    int nextObserverId_ = 1;
    int disabled_ = 0;
    bool changedWhileDisabled_ = false;
};
