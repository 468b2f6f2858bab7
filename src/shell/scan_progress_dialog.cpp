#include "shell/scan_progress_dialog.h"

#include <QApplication>
#include <QProgressDialog>

namespace {

constexpr qint64 kShowAfterMs = 500;
constexpr qint64 kRepaintMs = 80;
constexpr int kSteps = 1000;

}  // namespace

ScanProgressDialog::ScanProgressDialog(QWidget* parent, QString label)
    : parent_(parent), label_(std::move(label)) {
    running_.start();
}

ScanProgressDialog::~ScanProgressDialog() = default;

bool ScanProgressDialog::Step(uint64_t done, uint64_t total) {
    if (!dialog_) {
        if (running_.elapsed() < kShowAfterMs)
            return true;
        dialog_ = std::make_unique<QProgressDialog>(label_, "&Cancel", 0, kSteps, parent_);
        dialog_->setObjectName("ScanProgress");
        dialog_->setWindowTitle(parent_->windowTitle());
        // The scan keeps the tables; nothing else may start before it ends.
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
    } else if (painted_.isValid() && painted_.elapsed() < kRepaintMs) {
        return !dialog_->wasCanceled();
    }
    dialog_->setValue(total == 0 ? kSteps : int(done * kSteps / total));
    QApplication::processEvents();
    painted_.start();
    return !dialog_->wasCanceled();
}
