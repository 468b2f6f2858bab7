#include "overview/scan_feedback.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {

constexpr qint64 kQuietMs = 500;
constexpr qint64 kRepaintMs = 80;
constexpr int kSteps = 1000;

}  // namespace

ScanFeedback::ScanFeedback(QWidget* parent, QString text)
    : parent_(parent), text_(std::move(text)) {
    started_.start();
}

ScanFeedback::~ScanFeedback() = default;

ScanProgress ScanFeedback::hook() {
    return [this](uint64_t done, uint64_t total) { return Report(done, total); };
}

bool ScanFeedback::Report(uint64_t done, uint64_t total) {
    if (started_.elapsed() < kQuietMs || (dialog_ && painted_.elapsed() < kRepaintMs))
        return !dialog_ || !dialog_->wasCanceled();
    if (!dialog_) {
        dialog_ = std::make_unique<QProgressDialog>(text_, "Cancel", 0, kSteps, parent_);
        dialog_->setObjectName("ScanProgress");
        dialog_->setWindowTitle(parent_->windowTitle());
        // The scan runs inside the handler of a screen: nothing else may be used meanwhile.
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setMinimumDuration(0);
        dialog_->show();
    }
    dialog_->setValue(total == 0 ? 0 : int(done * kSteps / total));
    QCoreApplication::processEvents();
    painted_.start();
    return !dialog_->wasCanceled();
}
