#include "platform/report/report_preview.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/report/report_engine.h"

namespace report {

namespace {

constexpr double kZoomStep = 1.1;  // per notch of the wheel

}  // namespace

ReportPreview::ReportPreview(QWidget* parent) : QScrollArea(parent), sheet_(new QLabel) {
    setBackgroundRole(QPalette::Dark);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
    sheet_->setBackgroundRole(QPalette::Base);
    setWidget(sheet_);
}

void ReportPreview::setEngine(ReportEngine* engine) {
    engine_ = engine;
    page_ = 0;
    setPage(1);
    if (engine_ == nullptr || engine_->pageCount() == 0)
        Render();
}

int ReportPreview::pageCount() const {
    return engine_ != nullptr ? engine_->pageCount() : 0;
}

void ReportPreview::setPage(int page) {
    // A report still being counted gets counted as far as the page asked for.
    if (engine_ != nullptr && !engine_->counted() && page > engine_->pageCount()) {
        if (tunelo::Status s = engine_->CountPages(page); !s.ok()) {
            status_ = s;
            emit renderFailed(QString::fromStdString(s.ToString()));
            return;
        }
    }
    page = std::clamp(page, std::min(1, pageCount()), pageCount());
    if (page == page_)
        return;
    page_ = page;
    Render();
    verticalScrollBar()->setValue(0);  // a new page is read from its top
    emit pageChanged(page_);
}

void ReportPreview::setZoom(double zoom) {
    zoom = std::isfinite(zoom) ? std::clamp(zoom, kMinZoom, kMaxZoom) : 1.0;
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    Render();
    emit zoomChanged(zoom_);
}

void ReportPreview::Render() {
    status_ = tunelo::Status::OK();
    if (engine_ == nullptr || page_ < 1) {
        sheet_->clear();
        sheet_->resize(0, 0);
        return;
    }
    const double ratio = devicePixelRatioF();
    const double mm = PageGeometry::kPageWidth / PageGeometry::kUnitsPerMm;
    const int width = std::max(1, int(std::lround(mm / 25.4 * logicalDpiX() * zoom_ * ratio)));
    const int height = std::max(1, int(std::lround(width / ReportEngine::AspectRatio())));
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        status_ = engine_->DrawPage(&painter, page_, QRectF(0, 0, width, height));
    }
    image.setDevicePixelRatio(ratio);
    sheet_->setPixmap(QPixmap::fromImage(std::move(image)));
    sheet_->adjustSize();
    if (!status_.ok())
        emit renderFailed(QString::fromStdString(status_.ToString()));
}

void ReportPreview::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageDown:
            setPage(page_ + 1);
            break;
        case Qt::Key_PageUp:
            setPage(page_ - 1);
            break;
        case Qt::Key_Home:
            setPage(1);
            break;
        case Qt::Key_End:
            setPage(std::numeric_limits<int>::max());
            break;
        default:
            QScrollArea::keyPressEvent(event);
            return;
    }
    event->accept();
}

void ReportPreview::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QScrollArea::wheelEvent(event);
        return;
    }
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        setZoom(zoom_ * std::pow(kZoomStep, notches));
    event->accept();
}

}  // namespace report
