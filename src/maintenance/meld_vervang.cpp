#include "maintenance/meld_vervang.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/ui.h"
#include "shell/dialog_parts.h"
#include "shell/table_text.h"

TMeldVervang::TMeldVervang(QWidget* parent) : QDialog(parent) {
    setObjectName("MeldVervang");
    setWindowTitle("Replace");
    label2_ = new QLabel(this);
    label2_->setObjectName("Label2");
    label4_ = new QLabel(this);
    label4_->setObjectName("Label4");
    for (QLabel* value : {label2_, label4_}) {
        value->setTextFormat(Qt::PlainText);
        value->setMinimumWidth(value->fontMetrics().averageCharWidth() * 52);
    }
    cut_ = new QLabel(this);
    cut_->setObjectName("CutNote");
    auto* fields = new QFormLayout;
    fields->addRow("Replace:", label2_);
    fields->addRow("With:", label4_);
    auto* content = new QVBoxLayout;
    content->addLayout(fields);
    content->addWidget(cut_);
    auto* box = new QDialogButtonBox(this);
    const struct {
        const char* name;
        const char* text;
        ReplaceState state;
    } buttons[] = {{"BitBtn1", "&Replace", ReplaceState::Replace},
                   {"BitBtn2", "&Skip", ReplaceState::Skip},
                   {"BitBtn3", "&Continue", ReplaceState::Continue},
                   {"BitBtn4", "&Cancel", ReplaceState::Cancel}};
    for (const auto& button : buttons) {
        QPushButton* push =
            AddDialogButton(box, button.name, button.text, QDialogButtonBox::ActionRole);
        const ReplaceState state = button.state;
        connect(push, &QPushButton::clicked, this, [this, state] {
            answer_ = state;
            accept();
        });
    }
    box->findChild<QPushButton*>("BitBtn1")->setDefault(true);
    LayOutDialog(this, content, box);
}

ReplaceState TMeldVervang::Ask(const ReplaceQuestion& question) {
    label2_->setText(FromTable(TableText(question.oldValue)));
    label4_->setText(FromTable(TableText(question.newValue)));
    // Kept in the layout when empty, so that the window keeps its size from one change to the next.
    cut_->setText(question.cut ? "The new value is longer than the field and is cut as shown."
                               : " ");
    answer_ = ReplaceState::Cancel;
    CurrentUi().Beep();
    exec();
    return answer_;
}
