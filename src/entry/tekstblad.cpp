#include "entry/tekstblad.h"

#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "entry/editor_parts.h"
#include "entry/memo_sheet.h"
#include "shell/password.h"
#include "shell/table_text.h"
#include "store/table_error.h"

namespace {

QLabel* Value(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

}  // namespace

TTekstblad::TTekstblad(Catalogue& catalogue, uint32_t recno, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      recno_(recno),
      cTekstblad_(new QPlainTextEdit(this)),
      tekstDat_(nullptr),
      bitBtn1_(nullptr) {
    setObjectName("Tekstblad");
    setWindowTitle("Memo");

    const MemoSheet sheet = ReadMemo(catalogue_, recno_);
    cTekstblad_->setObjectName("cTekstblad");
    cTekstblad_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    cTekstblad_->setTabChangesFocus(true);
    cTekstblad_->setMinimumSize(460, 260);
    // The memo file keeps Windows line ends; the editor works with bare line feeds.
    cTekstblad_->setPlainText(FromTable(sheet.text).replace("\r\n", "\n"));

    tekstDat_ = Value(QString::fromStdString(sheet.savedOn), "TEKSTDAT", this);
    auto* header = new QFormLayout;
    header->setHorizontalSpacing(12);
    header->setVerticalSpacing(4);
    header->addRow("Main title:", Value(FromTable(sheet.mainTitle), "HTITEL", this));
    header->addRow("Source:", Value(FromTable(sheet.carrier), "DRAGER", this));
    header->addRow("Number:", Value(QString::number(sheet.number), "CDNUMMER", this));
    header->addRow("Changed on:", tekstDat_);

    const OkCancelRow buttons = AddOkCancel(this, "BitBtn1", "BitBtn2");
    bitBtn1_ = buttons.ok;
    connect(bitBtn1_, &QPushButton::clicked, this, &TTekstblad::BitBtn1Click);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(10);
    layout->addLayout(header);
    layout->addWidget(cTekstblad_, 1);
    layout->addWidget(buttons.box);
}

bool TTekstblad::Show(Catalogue& catalogue, uint32_t recno, QWidget* parent) {
    return ShowGuarded(false, [&] {
        TTekstblad screen(catalogue, recno, parent);
        return screen.exec() == QDialog::Accepted;
    });
}

void TTekstblad::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TTekstblad::FormShow() {
    bitBtn1_->setEnabled(NietBeveiligd());
    cTekstblad_->setFocus();
}

void TTekstblad::BitBtn1Click() {
    QString text = cTekstblad_->toPlainText();
    text.replace("\n", "\r\n");
    const std::optional<std::string> bytes = TextForTable(text, "the memo");
    if (!bytes) {
        cTekstblad_->setFocus();
        return;
    }
    if (!TableGuarded([&] { StoreMemo(catalogue_, recno_, *bytes); }))
        return;
    accept();
}
