// ReportPreview: one page of a report at a zoom factor, drawn only when it is shown. Page Up
// and Page Down turn the pages, Home and End go to the first and last, Ctrl with the mouse
// wheel zooms. A zoom of 1 shows the page at its real size on the screen.
#pragma once

#include <QScrollArea>

#include "platform/common/status.h"

class QLabel;

namespace report {

class ReportEngine;

class ReportPreview : public QScrollArea {
    Q_OBJECT

public:
    static constexpr double kMinZoom = 0.1, kMaxZoom = 4;

    explicit ReportPreview(QWidget* parent = nullptr);

    // Shows page 1 of `engine`, which must outlive its use here; nullptr shows nothing. An engine
    // still counting is counted on as far as the pages asked for (to the end for End).
    void setEngine(ReportEngine* engine);
    int page() const { return page_; }
    int pageCount() const;
    double zoom() const { return zoom_; }
    // The outcome of drawing the page shown.
    const tunelo::Status& status() const { return status_; }

public slots:
    // Both clamp to what exists; nothing is drawn when nothing changes.
    void setPage(int page);
    void setZoom(double zoom);

signals:
    void pageChanged(int page);
    void zoomChanged(double zoom);
    void renderFailed(const QString& message);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Render();

    ReportEngine* engine_ = nullptr;
    QLabel* sheet_;
    int page_ = 0;
    double zoom_ = 1;
    tunelo::Status status_;
};

}  // namespace report
