#include "maintenance/opschoon_form.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "base/feedback.h"
#include "base/ui.h"
#include "maintenance/help_context.h"
#include "maintenance/safety_copy_step.h"
#include "shell/dialog_parts.h"
#include "shell/editing_screens.h"
#include "shell/main_form.h"
#include "store/catalogue.h"
#include "store/catalogue_repair.h"
#include "store/percent_progress.h"
#include "store/record_edit.h"
#include "store/table_error.h"

namespace {

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

// Which of the packed tables were optimized and which were not (held by another program, or
// failed): the program closes next, so this is the last word on it.
std::string PackedSummary(Catalogue& catalogue, const std::vector<const TTable*>& packed) {
    std::vector<std::string> done, notDone;
    for (const TTable* table :
         {&catalogue.dm1.ArtTable, &catalogue.dm2.HfTable, &catalogue.dm3.UitleenTable}) {
        const std::string name = std::filesystem::path(table->table().path()).filename().string();
        (std::find(packed.begin(), packed.end(), table) != packed.end() ? done : notDone)
            .push_back(name);
    }
    if (notDone.empty())
        return "Optimized: " + Joined(done) + ".";
    return (done.empty() ? "No table was optimized." : "Optimized: " + Joined(done) + ".") +
           "\nNot optimized: " + Joined(notDone) + "; optimize again when no other program uses " +
           (notDone.size() == 1 ? "it." : "them.");
}

}  // namespace

TOpschoonForm::TOpschoonForm(Catalogue& catalogue, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue) {
    setObjectName("OpschoonForm");
    setWindowTitle("Optimize databases");
    auto* text = new QLabel(
        "Deleted records are removed from the files for good and every index "
        "is checked.\nA safety copy of the catalogue is made first. The "
        "program closes when it is done.",
        this);
    gauge_ = NewGauge(this);
    auto* content = new QVBoxLayout;
    content->addWidget(text);
    content->addWidget(gauge_);
    const OkCancelRow row = AddOkCancel(this, "BitBtn1", "BitBtn2");
    ok_ = row.ok;
    cancel_ = row.cancel;
    connect(ok_, &QPushButton::clicked, this, &TOpschoonForm::BitBtn1Click);
    LayOutDialog(this, content, row.box);
}

void TOpschoonForm::BitBtn1Click() {
    ok_->setEnabled(false);
    cancel_->setEnabled(false);
    if (!TakeSafetyCopyShown(catalogue_, "optimize", gauge_)) {
        reject();
        return;
    }
    std::vector<std::string> failures;
    std::vector<const TTable*> packed;
    try {
        catalogue_.dm1.PackFiles(catalogue_.dm2, catalogue_.dm3, GaugeShows(gauge_), &packed);
    } catch (const TableError& e) {
        failures.push_back(e.status().ToString());
    }
    {
        BusyCursor busy;
        StatusShown shown("Checking the tables and their indexes...");
        std::vector<std::string> report;
        const xbase::Status checked =
            CheckAndRepairTables(catalogue_, PercentProgress(GaugeShows(gauge_)), &report, packed);
        if (!checked.ok())
            failures.push_back(checked.ToString());
    }
    if (!failures.empty()) {
        std::string text = "Not every table could be optimized:";
        for (const std::string& failure : failures)
            text += "\n" + failure;
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Error,
                            text + "\nThe safety copy made before holds the catalogue as it was.");
    }
    PlayWave("Opti.wav");
    CurrentUi().Message(MsgKind::Information,
                        PackedSummary(catalogue_, packed) + "\nThe program will be closed.",
                        MsgButtons::Ok, kOptimizeHelpContext);
    accept();
}

void RunOptimize(TMainForm& form, Catalogue& catalogue) {
    if (RefuseWhileEditing(form, "Optimize databases"))
        return;
    TOpschoonForm screen(catalogue, &form);
    if (screen.exec() == QDialog::Accepted)
        form.endProgram();
}
