#include "maintenance/zoek_vervang.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/feedback.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "maintenance/meld_vervang.h"
#include "maintenance/safety_copy_step.h"
#include "shell/editing_screens.h"
#include "shell/main_form.h"
#include "store/catalogue.h"
#include "store/record_edit.h"

namespace {

// The radio buttons of "Replace in", in the order of ReplaceIn.
constexpr struct {
    const char* name;
    const char* text;
} kReplaceIn[] = {
    {"rAll", "All"},
    {"rHoofdtitel", "Main title"},
    {"rSoort1", "Style 1"},
    {"rLabel", "Label"},
    {"rHoofdart", "Main artist"},
    {"rArtiest", "Artist"},
    {"rTitel", "Title"},
    {"rComponist", "Composer"},
    {"rSoort2", "Style 2"},
    {"rUitvoer", "Performance"},
    {"rTref", "Keyword"},
};

QRadioButton* Radio(QWidget* parent, const char* name, const char* text) {
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(name);
    return radio;
}

}  // namespace

TZoekVervang::TZoekVervang(Catalogue& catalogue, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue) {
    setObjectName("ZoekVervang");
    setWindowTitle("Search and replace");
    lZoekStr_ = new QLineEdit(this);
    lZoekStr_->setObjectName("lZoekStr");
    vervangStr_ = new QLineEdit(this);
    vervangStr_->setObjectName("VervangStr");
    for (QLineEdit* edit : {lZoekStr_, vervangStr_}) {
        edit->setMaxLength(50);
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 40);
    }
    auto* texts = new QFormLayout;
    texts->addRow("Search:", lZoekStr_);
    texts->addRow("Replace with:", vervangStr_);

    auto* where = new QGroupBox("Replace in", this);
    auto* whereGrid = new QGridLayout(where);
    const int rows = (int(std::size(kReplaceIn)) + 1) / 2;
    for (const auto& choice : kReplaceIn) {
        const int i = int(replaceIn_.size());
        replaceIn_.push_back(Radio(where, choice.name, choice.text));
        whereGrid->addWidget(replaceIn_.back(), i % rows, i / rows);
    }
    replaceIn_.front()->setChecked(true);

    auto* match = new QGroupBox("Text", this);
    auto* matchBox = new QVBoxLayout(match);
    vGedeelte_ = Radio(match, "vGedeelte", "Exact or part of the text");
    vExact_ = Radio(match, "vExact", "Text must be exactly");
    vGedeelte_->setChecked(true);
    matchBox->addWidget(vGedeelte_);
    matchBox->addWidget(vExact_);

    auto* other = new QGroupBox("Other", this);
    auto* otherBox = new QVBoxLayout(other);
    vWaarschuw_ = new QCheckBox("Warn before change", other);
    vWaarschuw_->setObjectName("vWaarschuw");
    vKapitaliseer_ = new QCheckBox("Use upper word function", other);
    vKapitaliseer_->setObjectName("vKapitaliseer");
    otherBox->addWidget(vWaarschuw_);
    otherBox->addWidget(vKapitaliseer_);

    tel_ = new QLabel("0", this);
    tel_->setObjectName("Tel");
    tel_->setMinimumWidth(tel_->fontMetrics().horizontalAdvance("99999999999"));
    auto* count = new QHBoxLayout;
    count->addWidget(new QLabel("Search records", this));
    count->addWidget(tel_);
    count->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(match);
    right->addWidget(other);
    right->addLayout(count);
    auto* groups = new QHBoxLayout;
    groups->addWidget(where);
    groups->addLayout(right);
    auto* content = new QVBoxLayout;
    content->addLayout(texts);
    content->addLayout(groups);

    const OkCancelRow row = AddOkCancel(this, "BitBtn1", "BitBtn2");
    ok_ = row.ok;
    connect(ok_, &QPushButton::clicked, this, &TZoekVervang::BitBtn1Click);
    LayOutDialog(this, content, row.box);
    FormCreate();
}

void TZoekVervang::FormCreate() {
    flags_ = ReadReplaceFlags();
}

ReplaceIn TZoekVervang::Chosen() const {
    for (size_t i = 0; i < replaceIn_.size(); ++i) {
        if (replaceIn_[i]->isChecked())
            return ReplaceIn(i);
    }
    return ReplaceIn::All;
}

void TZoekVervang::ShowCount(uint64_t examined) {
    if (!throttle_.Due())
        return;
    tel_->setText(QString::number(examined));
    tel_->repaint();
}

void TZoekVervang::BitBtn1Click() {
    if (lZoekStr_->text().trimmed().isEmpty() || vervangStr_->text().trimmed().isEmpty()) {
        CurrentUi().Message(MsgKind::Warning, "You must fill in both fields!");
        lZoekStr_->setFocus();
        return;
    }
    const std::optional<std::string> search = TextForTable(lZoekStr_->text(), "Search:");
    const std::optional<std::string> replacement =
        TextForTable(vervangStr_->text(), "Replace with:");
    if (!search || !replacement)
        return;
    const ReplaceRequest request{*search,
                                 *replacement,
                                 Chosen(),
                                 vExact_->isChecked(),
                                 vWaarschuw_->isChecked(),
                                 vKapitaliseer_->isChecked()};
    if (!TakeSafetyCopyShown(catalogue_, "replace", nullptr))
        return;
    const ReplaceOutcome outcome = ShowGuarded(ReplaceOutcome{}, [&] {
        BusyCursor busy;
        StatusShown status("Replacing field...");
        TMeldVervang question(this);
        return RunReplace(
            catalogue_, request, flags_,
            [this, &question](const ReplaceQuestion& change) {
                CurrentUi().SetBusy(false);
                const ReplaceState answer = question.Ask(change);
                CurrentUi().SetBusy(true);
                repaint();  // the run goes on without events: paint the question away now
                return answer;
            },
            [this](uint64_t examined) { ShowCount(examined); });
    });
    PlayWave("Opti.wav");
    if (!outcome.refusal.empty()) {
        CurrentUi().Message(MsgKind::Warning, outcome.refusal);
        return;
    }
    if (outcome.failure)
        ShowTableError(*outcome.failure);
    // What was written before a failure stays written; the rest follows at the next start.
    std::string text = std::to_string(outcome.replaced) + " record(s) are replaced.";
    if (outcome.unwritten > 0) {
        text += "\n" + std::to_string(outcome.unwritten) +
                " more are replaced when the catalogue is opened next.";
    }
    if (outcome.skipped > 0) {
        text += "\n" + std::to_string(outcome.skipped) +
                " record(s) are skipped: the new value is longer than the field.";
    }
    CurrentUi().Message(MsgKind::Information, text);
    lZoekStr_->clear();
    vervangStr_->clear();
    tel_->setText("0");
    lZoekStr_->setFocus();
}

void RunSearchAndReplace(TMainForm& form, Catalogue& catalogue) {
    if (RefuseWhileEditing(form, "Search and replace"))
        return;
    TZoekVervang screen(catalogue, &form);
    screen.exec();
}
