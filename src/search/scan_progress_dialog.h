// ScanProgressDialog: the progress of a long scan with a Cancel button, shown only once the scan
// has run for half a second, so that a quick scan never flashes a window.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <cstdint>
#include <memory>

class QProgressDialog;
class QWidget;

class ScanProgressDialog {
public:
    // `parent` must outlive the object.
    ScanProgressDialog(QWidget* parent, QString label);
    ~ScanProgressDialog();
    ScanProgressDialog(const ScanProgressDialog&) = delete;
    ScanProgressDialog& operator=(const ScanProgressDialog&) = delete;

    // For the scan's progress hook: false once the user pressed Cancel.
    bool Step(uint64_t done, uint64_t total);

private:
    QWidget* parent_;
    QString label_;
    QElapsedTimer running_;
    std::unique_ptr<QProgressDialog> dialog_;
};
