#include "overview/hoofdtitel_info_form.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "entry/edit_aankoop.h"
#include "entry/editor_parts.h"
#include "entry/tekstblad.h"
#include "entry/wijzig_hoofdtitel_gegevens.h"
#include "overview/info_rows.h"
#include "store/catalogue.h"

THoofdtitelInfoForm::THoofdtitelInfoForm(Catalogue& catalogue, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      recno_(catalogue.dm2.HfAccess.RecNo()),
      labels_(std::make_unique<RecordLabels>(catalogue.dm2.HfAccess)),
      dbMemo1_(new QLabel(this)) {
    setObjectName("HoofdtitelInfoForm");
    setWindowTitle("Information");
    auto* form = new QFormLayout;
    AddInfoRow(this, form, *labels_, "Source:", "DRAGER");
    AddInfoRow(this, form, *labels_, "Number:", "CDNUMMER");
    AddInfoRow(this, form, *labels_, "Quality:", "OPNAME");
    AddInfoRow(this, form, *labels_, "Main title:", "HTITEL");
    AddInfoRow(this, form, *labels_, "Style:", "SOORT");
    AddInfoRow(this, form, *labels_, "Label:", "LABEL");
    AddInfoRow(this, form, *labels_, "Main artist:", "HOOFDART");
    AddInfoRow(this, form, *labels_, "Purchased:", "AANKOOP");
    AddInfoRow(this, form, *labels_, "Date:", "AANKOOPDAT");
    AddInfoRow(this, form, *labels_, "Amount:", "AANKPPRS");

    dbMemo1_->setObjectName("DBMemo1");
    dbMemo1_->setWordWrap(true);
    dbMemo1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    dbMemo1_->setToolTip("Double click to edit the memo");
    dbMemo1_->installEventFilter(this);
    labels_->Bind(dbMemo1_, [](const TTableAccess& titles) { return titles.GetString("MEMO"); });
    auto* memo = new QScrollArea(this);
    memo->setWidget(dbMemo1_);
    memo->setWidgetResizable(true);
    memo->setMinimumHeight(90);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    QPushButton* title = buttons->addButton("&Main title", QDialogButtonBox::ActionRole);
    title->setObjectName("HoofdtitelBtn");
    QPushButton* purchase = buttons->addButton("&Purchase", QDialogButtonBox::ActionRole);
    purchase->setObjectName("AankoopBtn");
    for (QPushButton* button : {title, purchase}) {
        button->setAutoDefault(false);
    }
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(title, &QPushButton::clicked, this, &THoofdtitelInfoForm::HoofdtitelBtnClick);
    connect(purchase, &QPushButton::clicked, this, &THoofdtitelInfoForm::AankoopBtnClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(memo, 1);
    layout->addWidget(buttons);
}

THoofdtitelInfoForm::~THoofdtitelInfoForm() = default;

bool THoofdtitelInfoForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dbMemo1_ && event->type() == QEvent::MouseButtonDblClick) {
        DBMemo1DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void THoofdtitelInfoForm::HoofdtitelBtnClick() {
    ShowGuarded(0, [this] {
        catalogue_.dm2.HfAccess.Go(recno_);
        TWijzigHoofdtitelGegevens screen(catalogue_, this);
        return screen.exec();
    });
}

void THoofdtitelInfoForm::AankoopBtnClick() {
    TEditAankoop::Show(catalogue_, recno_, this);
    labels_->Refresh();
}

void THoofdtitelInfoForm::DBMemo1DblClick() {
    TTekstblad::Show(catalogue_, recno_, this);
    labels_->Refresh();
}
