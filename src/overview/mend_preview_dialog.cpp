#include "overview/mend_preview_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "shell/dialog_parts.h"
#include "shell/table_text.h"
#include "store/catalogue_mend.h"

namespace {

QString PreviewSource(const MendChange& change) {
    return change.number == 0
               ? QString()
               : FromTable(TableText(change.carrier)) + " " + QString::number(change.number);
}

}  // namespace

TMendPreviewDialog::TMendPreviewDialog(const MendPlan& plan, QWidget* parent)
    : QDialog(parent), changes_(new QTreeWidget(this)) {
    setObjectName("MendPreview");
    setWindowTitle(QString::fromStdString(MendTitle(plan.kind)));

    QString said = QString(
                       "%1 record(s) will be changed as listed; nothing else is. A safety copy "
                       "of the catalogue is taken first.")
                       .arg(plan.changes.size());
    for (const std::string& left : plan.left)
        said += "\nLeft alone: " + FromTable(TableText(left));
    auto* label = new QLabel(said, this);
    label->setObjectName("MendSaid");
    label->setWordWrap(true);

    changes_->setObjectName("MendChanges");
    changes_->setHeaderLabels({"Source", "Record", "Field", "Now", "New"});
    changes_->setRootIsDecorated(false);
    changes_->setUniformRowHeights(true);
    changes_->header()->setStretchLastSection(true);
    const int w = changes_->fontMetrics().averageCharWidth();
    for (const auto& [column, chars] : {std::pair{0, 14}, {1, 16}, {2, 10}, {3, 30}})
        changes_->setColumnWidth(column, w * chars);
    QList<QTreeWidgetItem*> rows;
    for (const MendChange& change : plan.changes) {
        auto* row = new QTreeWidgetItem;
        row->setText(0, PreviewSource(change));
        row->setText(1, QString::fromStdString(CheckTableFile(change.table) + " " +
                                               std::to_string(change.recno)));
        if (change.removed()) {
            row->setText(2, "(record)");
            row->setText(3, QString::fromStdString(change.now));
            row->setText(4, "removed");
        } else {
            row->setText(2, QString::fromStdString(change.field));
            row->setText(3, FromTable(TableText(change.now)));
            row->setText(4, FromTable(TableText(change.next)));
        }
        rows.push_back(row);
    }
    changes_->addTopLevelItems(rows);
    if (!rows.isEmpty())
        changes_->setCurrentItem(rows.front());
    changes_->setMinimumSize(w * 100, changes_->fontMetrics().height() * 16);

    const OkCancelRow row = AddOkCancel(this, "MendOkBtn", "MendCancelBtn");
    row.ok->setText("&Mend");
    connect(row.ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* content = new QVBoxLayout;
    content->addWidget(label);
    content->addWidget(changes_, 1);
    LayOutDialog(this, content, row.box);
    changes_->setFocus();
}
