// The check window's mending buttons: plan, preview, safety copy, mend, check again.
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>
#include <optional>

#include "base/feedback.h"
#include "base/table_text.h"
#include "base/ui.h"
#include "overview/check_catalogue_form.h"
#include "overview/check_findings_model.h"
#include "overview/mend_preview_dialog.h"
#include "overview/track_rows.h"
#include "shell/dialog_parts.h"
#include "shell/table_guard.h"
#include "store/record_edit.h"
#include "store/safety_copy.h"

namespace {

constexpr struct {
    MendKind kind;
    const char* name;
    const char* text;
} kMendButtons[] = {
    {MendKind::RenumberTracks, "RenumberBtn", "Re&number tracks\u2026"},
    {MendKind::FillArtists, "FillArtistsBtn", "&Fill artists\u2026"},
    {MendKind::RemoveBroken, "RemoveBrokenBtn", "Remove &broken links\u2026"},
    {MendKind::RemoveUnusedItems, "RemoveItemsBtn", "Remove &unused items\u2026"},
};

bool MendWorksOn(MendKind mend, CheckKind kind) {
    const std::vector<CheckKind> kinds = MendFindingKinds(mend);
    return std::ranges::find(kinds, kind) != kinds.end();
}

std::string MendOutcomeText(const MendOutcome& outcome) {
    if (outcome.failure)
        return outcome.takenBack ? "Nothing was changed: what had been written is taken back."
                                 : "The mending is taken back when the catalogue is opened next.";
    return std::to_string(outcome.changed) + " record(s) are mended.";
}

}  // namespace

void TCheckCatalogueForm::AddMendButtons(QHBoxLayout* row) {
    for (const auto& button : kMendButtons) {
        QPushButton* mend = NamedButton(this, button.name, button.text);
        mend->setEnabled(false);
        const MendKind kind = button.kind;
        connect(mend, &QPushButton::clicked, this, [this, kind] { MendClick(kind); });
        row->addWidget(mend);
        mendButtons_.emplace_back(kind, mend);
    }
}

void TCheckCatalogueForm::EnableMendButtons() {
    for (const auto& [kind, button] : mendButtons_)
        button->setEnabled(std::ranges::any_of(
            model_->Check().groups,
            [kind](const CheckGroup& group) { return MendWorksOn(kind, group.kind); }));
}

std::vector<CheckFinding> TCheckCatalogueForm::MendFindings(MendKind kind) const {
    const CatalogueCheck& check = model_->Check();
    int chosen = model_->GroupOf(tree_->currentIndex());
    if (chosen >= 0 && !MendWorksOn(kind, check.groups[size_t(chosen)].kind))
        chosen = -1;
    std::vector<CheckFinding> findings;
    for (size_t g = 0; g < check.groups.size(); ++g) {
        const CheckGroup& group = check.groups[g];
        if ((chosen < 0 || int(g) == chosen) && MendWorksOn(kind, group.kind))
            findings.insert(findings.end(), group.findings.begin(), group.findings.end());
    }
    return findings;
}

void TCheckCatalogueForm::MendClick(MendKind kind) {
    std::optional<MendPlan> plan;
    ShowingTableErrors([&] {
        BusyCursor busy;
        plan = PlanMend(catalogue_, kind, MendFindings(kind));
    });
    if (!plan)
        return;
    if (plan->changes.empty()) {
        std::string text = "Nothing needs changing.";
        for (const std::string& left : plan->left)
            text += "\nLeft alone: " + Utf8(TableText(left));
        CurrentUi().Message(MsgKind::Information, text);
        CheckClick();
        return;
    }
    // The window may be closed while the preview is open: then nothing is done.
    const QPointer<TCheckCatalogueForm> self(this);
    const QPointer<TMendPreviewDialog> preview = new TMendPreviewDialog(*plan, this);
    const bool ahead = preview->exec() == QDialog::Accepted;
    if (!self)
        return;
    delete preview.data();
    if (!ahead)
        return;
    xbase::Status copied;
    {
        BusyCursor busy;
        StatusShown shown("Making a safety copy...");
        copied = TakeSafetyCopy(catalogue_, "mend", nullptr);
    }
    if (!copied.ok()) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Error, SafetyCopyFailure(copied));
        return;
    }
    std::optional<MendOutcome> outcome;
    ShowingTableErrors([&] {
        BusyCursor busy;
        StatusShown shown("Mending...");
        outcome = RunMend(catalogue_, *plan);
    });
    if (outcome && !outcome->refusal.empty()) {
        CurrentUi().Message(MsgKind::Warning, outcome->refusal);
    } else if (outcome) {
        if (outcome->failure)
            ShowTableError(*outcome->failure);
        CurrentUi().Message(outcome->failure ? MsgKind::Warning : MsgKind::Information,
                            MendOutcomeText(*outcome));
    }
    CheckClick();
}
