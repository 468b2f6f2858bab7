#include "overview/record_labels.h"

#include <QLabel>

#include "base/text.h"
#include "shell/table_text.h"
#include "store/table_access.h"
#include "store/table_error.h"

RecordLabels::RecordLabels(TTableAccess& access)
    : access_(access), observer_(access.component().AddObserver([this] { Refresh(); })) {}

RecordLabels::~RecordLabels() {
    access_.component().RemoveObserver(observer_);
}

void RecordLabels::Bind(QLabel* label, const std::string& field) {
    Bind(label, [field](const TTableAccess& access) { return Trim(access.GetString(field)); });
}

void RecordLabels::Bind(QLabel* label, Reader reader) {
    label->setTextFormat(Qt::PlainText);
    labels_.emplace_back(label, std::move(reader));
    Refresh();
}

void RecordLabels::Refresh() {
    const bool blank = !access_.component().Active() ||
                       (access_.component().state() == TTable::State::Browse && access_.Eof());
    for (const auto& [label, reader] : labels_) {
        QString text;
        if (!blank) {
            try {
                text = FromTable(reader(access_));
            } catch (const TableError&) {
                // A record that cannot be read shows blank; the action that moved there says why.
            }
        }
        label->setText(text);
    }
}
