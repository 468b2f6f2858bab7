#include "maintenance/veiligheids_kopie_form.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QMdiArea>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <map>

#include "base/feedback.h"
#include "base/ui.h"
#include "maintenance/help_context.h"
#include "maintenance/safety_copy_step.h"
#include "shell/dialog_parts.h"
#include "shell/editing_screens.h"
#include "shell/main_form.h"
#include "store/catalogue.h"
#include "store/disk_room.h"
#include "store/percent_progress.h"
#include "store/record_edit.h"
#include "store/safety_restore.h"

namespace {

constexpr const char* kCaption = "Restore safety copy";

// The name the user knows the run by, for the code a safety copy is stored under.
QString JobName(const std::string& what) {
    static const std::map<std::string, const char*> names = {
        {"optimize", "Optimize databases"},
        {"renumber", "Renumber"},
        {"replace", "Search and replace"},
        {"mend", "Mending from Check the catalogue"},
        {"csv-import", "Import from CSV"},
        {"csv-import-undo", "Undo of an import from CSV"},
        {"foreign-import", "Import from another program"},
        {"import", "Import from another program"},
        {"before-restore", "Restore safety copy"},
    };
    const auto found = names.find(what);
    return found != names.end() ? QString(found->second) : QString::fromStdString(what);
}

}  // namespace

TVeiligheidsKopieForm::TVeiligheidsKopieForm(TMainForm& form, Catalogue& catalogue)
    : QDialog(&form),
      form_(form),
      catalogue_(catalogue),
      copies_(ListSafetyCopies(catalogue.folder())) {
    setObjectName("VeiligheidsKopieForm");
    setWindowTitle(kCaption);
    grid_ = new QTableWidget(int(copies_.size()), 3, this);
    grid_->setObjectName("StringGrid1");
    grid_->setHorizontalHeaderLabels({"Date", "What was run", "Size"});
    grid_->verticalHeader()->hide();
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < int(copies_.size()); ++row) {
        const SafetyCopy& copy = copies_[size_t(row)];
        grid_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(copy.date)));
        grid_->setItem(row, 1, new QTableWidgetItem(JobName(copy.what)));
        auto* size = new QTableWidgetItem(QString::fromStdString(RoomText(copy.bytes)));
        size->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->setItem(row, 2, size);
    }
    grid_->resizeColumnsToContents();
    grid_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    grid_->setMinimumWidth(460);
    if (!copies_.empty())
        grid_->setCurrentCell(0, 0);
    gauge_ = NewGauge(this);
    auto* content = new QVBoxLayout;
    content->addWidget(grid_);
    content->addWidget(gauge_);
    const OkCancelRow row = AddOkCancel(this, "BitBtn1", "BitBtn2");
    ok_ = row.ok;
    cancel_ = row.cancel;
    ok_->setEnabled(!copies_.empty());
    connect(ok_, &QPushButton::clicked, this, &TVeiligheidsKopieForm::BitBtn1Click);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, &TVeiligheidsKopieForm::BitBtn1Click);
    LayOutDialog(this, content, row.box);
}

void TVeiligheidsKopieForm::BitBtn1Click() {
    const int row = grid_->currentRow();
    if (row < 0 || row >= int(copies_.size()))
        return;
    const SafetyCopy copy = copies_[size_t(row)];
    if (CurrentUi().Message(MsgKind::Confirmation,
                            "Put back the safety copy of " + copy.date + " (" + copy.what +
                                ")?\nThe catalogue as it is now is kept as one more safety copy. "
                                "The program will be closed afterwards.",
                            MsgButtons::YesNoDefaultNo, kRestoreHelpContext) != MsgAnswer::Yes)
        return;
    // The other screens write their settings as they close: before the files go back, not after.
    form_.mdiArea()->closeAllSubWindows();
    if (!form_.mdiArea()->subWindowList().isEmpty())
        return;
    ok_->setEnabled(false);
    cancel_->setEnabled(false);
    gauge_->show();
    // The question's box is gone; let what lay under it be painted before the long run.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    bool closed = false;
    xbase::Status status;
    {
        BusyCursor busy;
        StatusShown shown("Putting back the safety copy...");
        status = RestoreSafetyCopy(catalogue_, copy, PercentProgress(GaugeShows(gauge_)), &closed);
    }
    if (!status.ok()) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Error,
                            "The safety copy could not be put back: " + status.message() + ".");
        if (!closed) {
            ok_->setEnabled(true);
            cancel_->setEnabled(true);
            return;
        }
    } else {
        PlayWave("Opti.wav");
    }
    CurrentUi().Message(MsgKind::Information, "The program will be closed.", MsgButtons::Ok,
                        kRestoreHelpContext);
    accept();
}

void RunRestoreSafetyCopy(TMainForm& form, Catalogue& catalogue) {
    if (RefuseWhileEditing(form, kCaption))
        return;
    if (ListSafetyCopies(catalogue.folder()).empty()) {
        CurrentUi().Message(MsgKind::Information,
                            "There is no safety copy yet. Optimize, Renumber and Search and "
                            "replace make one before they change the catalogue.",
                            MsgButtons::Ok, kRestoreHelpContext);
        return;
    }
    TVeiligheidsKopieForm screen(form, catalogue);
    if (screen.exec() == QDialog::Accepted)
        form.endProgram();
}
