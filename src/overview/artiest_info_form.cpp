#include "overview/artiest_info_form.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/text.h"
#include "entry/wijzig_artiest_gegevens.h"
#include "overview/info_rows.h"
#include "store/catalogue.h"

TArtiestInfoForm::TArtiestInfoForm(Catalogue& catalogue, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      labels_(std::make_unique<RecordLabels>(catalogue.dm1.ArtAccess)) {
    setObjectName("ArtiestInfoForm");
    setWindowTitle("Information");
    auto* form = new QFormLayout;
    AddInfoRow(this, form, *labels_, "Artist:", "ARTIEST");
    AddInfoRow(this, form, *labels_, "Title:", "TITEL");
    AddInfoRow(this, form, *labels_, "Composer:", "COMPONIST");
    AddInfoRow(this, form, *labels_, "Style:", "SOORT");
    AddInfoRow(this, form, *labels_, "Performance:", "UITVOER");
    AddInfoRow(this, form, *labels_, "Keyword:", "TREF");
    AddInfoRow(this, form, *labels_, "Track time:", "TrackTime", &TrackTimeText);
    AddInfoRow(this, form, *labels_, "Year:", "JAAR");
    AddInfoRow(this, form, *labels_, "Track:", "TRACK", [](const TTableAccess& tracks) {
        return TableText(Trim(tracks.GetString("TRACK").bytes()) + " " +
                         Trim(tracks.GetString("AKANT").bytes()));
    });
    AddInfoRow(this, form, *labels_, "Source:", "DRAGER");
    AddInfoRow(this, form, *labels_, "Number:", "CDNUMMER");

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    QPushButton* edit = buttons->addButton("&Edit", QDialogButtonBox::ActionRole);
    edit->setObjectName("EditBtn");
    edit->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(edit, &QPushButton::clicked, this, &TArtiestInfoForm::EditBtnClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

TArtiestInfoForm::~TArtiestInfoForm() = default;

void TArtiestInfoForm::EditBtnClick() {
    TWijzigArtiestGegevens screen(catalogue_, this);
    screen.exec();
}
