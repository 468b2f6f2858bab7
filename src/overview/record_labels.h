// Labels that show fields of a table's current record and follow it: each time the table tells
// its views that the record changed, every bound label is rewritten. At the end of the table the
// labels go blank.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/table_text.h"

class QLabel;
class TTableAccess;

class RecordLabels {
public:
    // The text of a label from the current record, in table bytes.
    using Reader = std::function<TableText(const TTableAccess&)>;

    // `access` must outlive the object; the labels are filled at once.
    explicit RecordLabels(TTableAccess& access);
    ~RecordLabels();
    RecordLabels(const RecordLabels&) = delete;
    RecordLabels& operator=(const RecordLabels&) = delete;

    // `label` shows field `field`, trimmed.
    void Bind(QLabel* label, const std::string& field);
    void Bind(QLabel* label, Reader reader);
    // Rewrites every label from the current record.
    void Refresh();

private:
    TTableAccess& access_;
    int observer_;
    std::vector<std::pair<QLabel*, Reader>> labels_;
};
