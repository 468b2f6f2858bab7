#include "entry/edit_aankoop.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

#include "base/feedback.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "entry/item_pick_list.h"
#include "entry/pick_list_combo.h"
#include "entry/price_text.h"
#include "entry/purchase_data.h"
#include "entry/show_kalender.h"
#include "shell/password.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/record_edit.h"
#include "store/table_error.h"

namespace {

constexpr int kPlaceWidth = 45;  // AANKOOP
constexpr int kDateWidth = 10;   // "24-12-1997"

void Refuse(QWidget* field, const std::string& text) {
    PlayWave("error.wav");
    CurrentUi().Message(MsgKind::Warning, text);
    field->setFocus();
}

}  // namespace

TEditAankoop::TEditAankoop(Catalogue& catalogue, uint32_t recno, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      recno_(recno),
      dbEdit1_(new PickListCombo(this)),
      dbEdit2_(new QLineEdit(this)),
      speedButton1_(new QToolButton(this)),
      dbEdit3_(new QLineEdit(this)),
      bitBtn1_(nullptr) {
    setObjectName("EditAankoop");
    setWindowTitle("Purchase");

    dbEdit1_->setObjectName("DBedit1");
    dbEdit1_->lineEdit()->setMaxLength(kPlaceWidth);
    dbEdit1_->setMinimumWidth(300);
    OfferItems(dbEdit1_, catalogue_, 'K');

    dbEdit2_->setObjectName("DBEdit2");
    dbEdit2_->setMaxLength(kDateWidth);
    dbEdit2_->setPlaceholderText("dd-mm-yyyy");
    dbEdit2_->setFixedWidth(dbEdit2_->fontMetrics().horizontalAdvance("00-00-00000") + 16);
    speedButton1_->setObjectName("SpeedButton1");
    speedButton1_->setText("...");
    speedButton1_->setToolTip("Calendar");
    connect(speedButton1_, &QToolButton::clicked, this, &TEditAankoop::SpeedButton1Click);

    dbEdit3_->setObjectName("DBEdit3");
    dbEdit3_->setMaxLength(16);
    dbEdit3_->setAlignment(Qt::AlignRight);
    dbEdit3_->setFixedWidth(dbEdit2_->width());

    const PurchaseData stored = ReadPurchase(catalogue_, recno_);
    dbEdit1_->setEditText(FromTable(TableText(stored.place)));
    // A source without purchase date offers today's; it is stored only by OK.
    dbEdit2_->setText(QString::fromStdString(
        stored.date.empty() ? TodayDateText(catalogue_.dm1.TableEnv1) : stored.date));
    dbEdit3_->setText(QString::fromStdString(FormatPrice(stored.price)));

    const OkCancelRow buttons = AddOkCancel(this, "BitBtn1", "BitBtn2");
    bitBtn1_ = buttons.ok;
    connect(bitBtn1_, &QPushButton::clicked, this, &TEditAankoop::BitBtn1Click);

    auto* dateRow = new QHBoxLayout;
    dateRow->setSpacing(4);
    dateRow->addWidget(dbEdit2_);
    dateRow->addWidget(speedButton1_);
    dateRow->addStretch();
    auto* priceRow = new QHBoxLayout;
    priceRow->addWidget(dbEdit3_);
    priceRow->addStretch();

    auto* fields = new QFormLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(10);
    fields->addRow("Purchased &at:", dbEdit1_);
    // Rows holding a layout get no buddy of their own; the labels name the field they focus.
    auto* dateLabel = new QLabel("&Date:", this);
    dateLabel->setBuddy(dbEdit2_);
    fields->addRow(dateLabel, dateRow);
    auto* priceLabel = new QLabel("&Price:", this);
    priceLabel->setBuddy(dbEdit3_);
    fields->addRow(priceLabel, priceRow);
    LayOutDialog(this, fields, buttons.box);
}

bool TEditAankoop::Show(Catalogue& catalogue, uint32_t recno, QWidget* parent) {
    return ShowGuarded(false, [&] {
        TEditAankoop screen(catalogue, recno, parent);
        return screen.exec() == QDialog::Accepted;
    });
}

void TEditAankoop::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TEditAankoop::FormShow() {
    bitBtn1_->setEnabled(NietBeveiligd());
    dbEdit1_->setFocus();
}

void TEditAankoop::SpeedButton1Click() {
    const std::optional<QDate> picked =
        TShowKalender::Pick(this, TShowKalender::ParseDate(dbEdit2_->text()));
    if (picked)
        dbEdit2_->setText(TShowKalender::FormatDate(*picked));
}

void TEditAankoop::BitBtn1Click() {
    const std::optional<std::string> place = TextForTable(dbEdit1_->currentText(), "Purchased at");
    if (!place)
        return;
    PurchaseData typed;
    typed.place = *place;
    typed.date = dbEdit2_->text().trimmed().toStdString();
    xbase::Date date;
    // Without a place the date is cleared, whatever was typed.
    if (!IsBlank(typed.place) && !catalogue_.dm1.TableEnv1.ParseDate(typed.date, &date)) {
        Refuse(dbEdit2_, "\"" + typed.date + "\" is not a valid date. Type it as dd-mm-yyyy.");
        return;
    }
    const std::optional<double> price = ParsePrice(dbEdit3_->text().toStdString());
    if (!price) {
        Refuse(dbEdit3_, "\"" + dbEdit3_->text().trimmed().toStdString() +
                             "\" is not a valid price. Type an amount from 0.00 to " +
                             FormatPrice(kMaxPrice) + ", such as 12.50 or 12,50.");
        return;
    }
    typed.price = *price;
    if (!TableGuarded([&] { StorePurchase(catalogue_, recno_, typed); }))
        return;
    accept();
}
