// The preview of a mending: every change it will make (source, record, field, now, new) and what
// it leaves alone. Enter (or "&Mend") goes ahead, Escape (or "&Cancel") changes nothing.
#pragma once

#include <QDialog>

struct MendPlan;
class QTreeWidget;

class TMendPreviewDialog : public QDialog {
    Q_OBJECT
public:
    TMendPreviewDialog(const MendPlan& plan, QWidget* parent = nullptr);

    QTreeWidget* changes() { return changes_; }

private:
    QTreeWidget* changes_;
};
