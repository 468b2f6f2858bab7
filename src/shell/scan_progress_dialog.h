// ScanProgressDialog: the progress of a long scan with a Cancel button (Esc too), shown only once
// the scan has run for half a second, so that a quick scan never flashes a window. It repaints
// and handles events at most every 80 ms, so that the scan itself runs at full speed.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

class ScanProgressDialog {
public:
    // `parent` must outlive the object; the dialog carries its window title.
    ScanProgressDialog(QWidget* parent, QString label);
    ~ScanProgressDialog();
    ScanProgressDialog(const ScanProgressDialog&) = delete;
    ScanProgressDialog& operator=(const ScanProgressDialog&) = delete;

    // For the scan's progress hook: false once the user pressed Cancel.
    bool Step(uint64_t done, uint64_t total);
    // Step as a hook to hand to a scan; valid while the object lives.
    std::function<bool(uint64_t done, uint64_t total)> Hook() {
        return [this](uint64_t done, uint64_t total) { return Step(done, total); };
    }

private:
    QWidget* parent_;
    QString label_;
    QElapsedTimer running_;
    QElapsedTimer painted_;
    std::unique_ptr<QProgressDialog> dialog_;
};
