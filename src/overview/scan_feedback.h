// ScanFeedback: what the user sees while a screen reads a whole table. Nothing for a scan that
// ends within half a second; after that a progress dialog with "Cancel" (or Esc) that stops the
// scan. The dialog is repainted and the events are handled at most every 80 ms, so that the
// scan itself runs at full speed.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <memory>

#include "store/scan_progress.h"

class QProgressDialog;
class QWidget;

class ScanFeedback {
public:
    // `parent` must outlive the feedback; `text` names what is being read.
    ScanFeedback(QWidget* parent, QString text);
    ~ScanFeedback();
    ScanFeedback(const ScanFeedback&) = delete;
    ScanFeedback& operator=(const ScanFeedback&) = delete;

    // The hook to hand to the scan; valid while the feedback lives.
    ScanProgress hook();

private:
    bool Report(uint64_t done, uint64_t total);

    QWidget* parent_;
    QString text_;
    QElapsedTimer started_;
    QElapsedTimer painted_;
    std::unique_ptr<QProgressDialog> dialog_;
};
