#include "print/show_print_form.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "base/ui.h"
#include "platform/report/report_engine.h"
#include "platform/report/report_preview.h"
#include "print/report_delivery.h"
#include "shell/dialog_parts.h"

namespace {

// The first three characters, trimmed, are the percentage.
const QStringList kZooms = {"300 %", "200 %", "100 %", "75   %", "50   %", "25   %", "10   %"};
constexpr int kHundred = 2;

int Percent(const QString& item) {
    return item.left(3).trimmed().toInt();
}

}  // namespace

TShowPrintForm::TShowPrintForm(report::ReportEngine& engine, const QString& title,
                               const QString& note, QWidget* parent)
    : QDialog(parent), engine_(engine), title_(title) {
    setObjectName("ShowPrintForm");
    setWindowTitle("Preview");
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);

    pageEdit_ = new QSpinBox(this);
    pageEdit_->setObjectName("SpinEdit1");
    auto* pageLabel = new QLabel("Page:", this);
    pageLabel->setBuddy(pageEdit_);
    total_ = new QLabel(this);
    total_->setObjectName("TotalLabel");
    ShowPageTotal();

    zoomBox_ = new QComboBox(this);
    zoomBox_->setObjectName("ComboBox1");
    zoomBox_->addItems(kZooms);
    zoomBox_->setCurrentIndex(kHundred);

    auto* printBtn = NamedButton(this, "PrintBtn", "P&rint");
    auto* pdfBtn = NamedButton(this, "PdfBtn", "Save as PDF…");
    auto* closeBtn = NamedButton(this, "CloseBtn", "&Close");

    auto* bar = new QHBoxLayout;
    bar->addWidget(pageLabel);
    bar->addWidget(pageEdit_);
    bar->addSpacing(8);
    bar->addWidget(total_);
    bar->addSpacing(16);
    bar->addWidget(zoomBox_);
    bar->addStretch();
    bar->addWidget(printBtn);
    bar->addWidget(pdfBtn);
    bar->addWidget(closeBtn);

    preview_ = new report::ReportPreview(this);
    preview_->setObjectName("Preview");
    statusLine_ = new QLabel(note, this);
    statusLine_->setObjectName("StatusLine");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(preview_, 1);
    layout->addWidget(statusLine_);

    connect(pageEdit_, &QSpinBox::valueChanged, preview_, &report::ReportPreview::setPage);
    connect(preview_, &report::ReportPreview::pageChanged, this, [this](int page) {
        const QSignalBlocker blocker(pageEdit_);
        pageEdit_->setValue(page);
    });
    connect(zoomBox_, &QComboBox::currentIndexChanged, this, &TShowPrintForm::ZoomChosen);
    connect(preview_, &report::ReportPreview::zoomChanged, this, &TShowPrintForm::ZoomShown);
    connect(preview_, &report::ReportPreview::renderFailed, statusLine_, &QLabel::setText);
    connect(printBtn, &QPushButton::clicked, this, &TShowPrintForm::PrintBtnClick);
    connect(pdfBtn, &QPushButton::clicked, this, &TShowPrintForm::PdfBtnClick);
    connect(closeBtn, &QPushButton::clicked, this, &QDialog::accept);

    preview_->setEngine(&engine_);
    preview_->setFocus();
    // Without a window manager maximising does nothing; take the screen anyway.
    if (const QScreen* shown = screen())
        setGeometry(shown->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);

    if (!engine_.counted()) {
        auto* counting = new QTimer(this);
        connect(counting, &QTimer::timeout, this, [this, counting] {
            if (!CountMore())
                counting->stop();
        });
        counting->start(0);
    }
}

bool TShowPrintForm::CountMore() {
    // About a twentieth of a second of reading at a time keeps the window answering.
    constexpr int kPagesPerSlice = 400;
    const tunelo::Status status = engine_.CountPages(engine_.pageCount() + kPagesPerSlice);
    if (!status.ok())
        statusLine_->setText(QString::fromStdString(status.ToString()));
    ShowPageTotal();
    return status.ok() && !engine_.counted();
}

void TShowPrintForm::ShowPageTotal() {
    const int pages = std::max(1, engine_.pageCount());
    const QSignalBlocker blocker(pageEdit_);
    pageEdit_->setRange(1, pages);
    pageEdit_->setEnabled(pages > 1);
    total_->setText(engine_.counted() ? QString("Total %1").arg(pages)
                                      : QString("Total %1 (counting…)").arg(pages));
}

bool TShowPrintForm::CountAll() {
    if (engine_.counted())
        return true;
    tunelo::Status status;
    {
        BusyCursor busy;
        status = engine_.Paginate();
    }
    ShowPageTotal();
    if (!status.ok()) {
        CurrentUi().Message(MsgKind::Error, "The report could not be made.\n" + status.ToString());
        return false;
    }
    return true;
}

void TShowPrintForm::ZoomChosen(int index) {
    if (index >= 0)
        preview_->setZoom(Percent(kZooms[index]) / 100.0);
}

void TShowPrintForm::ZoomShown(double zoom) {
    // Ctrl with the wheel zooms between the listed steps: the list then shows none.
    const int percent = int(std::lround(zoom * 100));
    int index = -1;
    for (int i = 0; i < kZooms.size(); ++i) {
        if (Percent(kZooms[i]) == percent)
            index = i;
    }
    const QSignalBlocker blocker(zoomBox_);
    zoomBox_->setCurrentIndex(index);
}

void TShowPrintForm::PrintBtnClick() {
    if (CountAll())
        PrintPages(engine_, title_, this);
}

void TShowPrintForm::PdfBtnClick() {
    if (CountAll())
        SavePagesAsPdf(engine_, title_);
}
