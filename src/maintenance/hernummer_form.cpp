#include "maintenance/hernummer_form.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/feedback.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "entry/item_pick_list.h"
#include "entry/pick_list_combo.h"
#include "maintenance/help_context.h"
#include "maintenance/safety_copy_step.h"
#include "shell/editing_screens.h"
#include "shell/main_form.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/percent_progress.h"
#include "store/record_edit.h"
#include "store/source_key.h"
#include "store/source_renumbering.h"

THernummerForm::THernummerForm(Catalogue& catalogue, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue) {
    setObjectName("HernummerForm");
    setWindowTitle("Renumber");
    hDrager_ = new PickListCombo(this);
    hDrager_->setObjectName("hDrager");
    hDrager_->lineEdit()->setMaxLength(10);
    OfferItems(hDrager_, catalogue, 'D');
    hNummer_ = new QLineEdit(this);
    hNummer_->setObjectName("hNummer");
    hNummer_->setMaxLength(10);
    hNummer_->setValidator(new QIntValidator(1, int(kLastSourceNumber), hNummer_));
    cVerschuif_ = new QCheckBox("Move up", this);
    cVerschuif_->setObjectName("cVerschuif");
    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    label1_->setMinimumWidth(label1_->fontMetrics().horizontalAdvance(
        "Source XXXXXXXXXX 999999999 copy to XXXXXXXXXX 999999999"));
    auto* fields = new QFormLayout;
    fields->addRow("Renumber source:", hDrager_);
    fields->addRow("starting with number", hNummer_);
    fields->addRow("", cVerschuif_);
    auto* content = new QVBoxLayout;
    content->addLayout(fields);
    content->addWidget(label1_);
    const OkCancelRow row = AddOkCancel(this, "BitBtn1", "BitBtn2");
    ok_ = row.ok;
    cancel_ = row.cancel;
    // Enter must not start a run by accident.
    ok_->setDefault(false);
    ok_->setAutoDefault(false);
    cancel_->setDefault(true);
    ok_->setEnabled(false);
    connect(ok_, &QPushButton::clicked, this, &THernummerForm::BitBtn1Click);
    connect(hDrager_, &QComboBox::editTextChanged, this, &THernummerForm::UpdateOk);
    connect(hNummer_, &QLineEdit::textChanged, this, &THernummerForm::UpdateOk);
    LayOutDialog(this, content, row.box);
}

void THernummerForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void THernummerForm::FormActivate() {
    label1_->clear();
    hNummer_->setText("1");
    cVerschuif_->setChecked(false);
    hDrager_->setFocus();
    UpdateOk();
}

void THernummerForm::UpdateOk() {
    int64_t number = 0;
    ok_->setEnabled(
        !hDrager_->currentText().trimmed().isEmpty() &&
        ParseWholeNumber(hNummer_->text().toStdString(), 1, kLastSourceNumber, &number));
}

void THernummerForm::PlaceTracks(const SourceMove& move) {
    if (!throttle_.Due())
        return;
    const QString carrier = FromTable(TableText(oldCarrier_));
    label1_->setText("Source " + carrier.left(17) + " " + QString::number(move.oldNumber) +
                     " copy to " + carrier + " " + QString::number(move.newNumber));
    label1_->repaint();
}

void THernummerForm::BitBtn1Click() {
    const std::optional<std::string> carrier =
        TextForTable(hDrager_->currentText(), "Renumber source:");
    int64_t start = 0;
    if (!carrier || !ParseWholeNumber(hNummer_->text().toStdString(), 1, kLastSourceNumber, &start))
        return;
    const bool done = ShowGuarded(false, [&] {
        RenumberPlan plan;
        {
            BusyCursor busy;
            StatusShown status("Checking the new numbers...");
            plan = PlanRenumber(catalogue_, *carrier, start, cVerschuif_->isChecked());
        }
        if (!plan.refusal.empty()) {
            PlayWave("error.wav");
            CurrentUi().Message(MsgKind::Warning, plan.refusal, MsgButtons::Ok,
                                kRenumberSourcesHelpContext);
            return false;
        }
        if (plan.moves.empty()) {
            CurrentUi().Message(MsgKind::Information,
                                "There are no sources of " + plan.carrier + " to renumber.");
            return false;
        }
        ok_->setEnabled(false);
        cancel_->setEnabled(false);
        if (!TakeSafetyCopyShown(catalogue_, "renumber", nullptr))
            return false;
        oldCarrier_ = plan.carrier;
        {
            BusyCursor busy;
            StatusShown status("Renumbering sources...");
            if (!RunRenumber(
                    catalogue_, plan, [this](const SourceMove& move) { PlaceTracks(move); },
                    PercentProgress([this](int percent) {
                        label1_->setText("Updating the indexes... " + QString::number(percent) +
                                         "%");
                        label1_->repaint();
                    }))) {
                return false;
            }
        }
        PlayWave("Opti.wav");
        CurrentUi().Message(MsgKind::Information,
                            std::to_string(plan.moves.size()) + " source(s) are renumbered.");
        accept();
        return true;
    });
    if (!done) {
        cancel_->setEnabled(true);
        UpdateOk();
    }
}

void RunRenumberScreen(TMainForm& form, Catalogue& catalogue) {
    if (RefuseWhileEditing(form, "Renumber"))
        return;
    THernummerForm screen(catalogue, &form);
    screen.exec();
    // Its last message box closed over the screen, which then closed too: the window system
    // leaves the activation nowhere. The main window takes it back, with its focus as it was.
    form.activateWindow();
    if (QWidget* focus = form.focusWidget())
        focus->setFocus(Qt::ActiveWindowFocusReason);
}
