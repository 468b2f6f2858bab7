// The preview widget: the keys and the Ctrl+wheel that move through pages and zoom.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QWheelEvent>

#include "platform/report/report_engine.h"
#include "platform/report/report_preview.h"

namespace report {
namespace {

class Numbers : public ReportSource {
public:
    std::uint64_t Position() override { return row_; }
    void Seek(std::uint64_t position) override { row_ = position; }
    bool Next(ReportRecord* record) override {
        if (row_ >= 100)
            return false;
        record->values = {QString::number(row_++)};
        return true;
    }

private:
    std::uint64_t row_ = 0;
};

void Wheel(QWidget* widget, int notches, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, notches * 120),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);  // as the mouse does, through the viewport
}

TEST(ReportPreviewTest, KeysTurnPagesAndCtrlWheelZooms) {
    Numbers source;
    ReportLayout layout;
    layout.detail = {BandItem::Field(0, 0, 100)};
    ReportEngine engine(layout, &source);
    ASSERT_TRUE(engine.CountPages(1).ok());  // the preview counts on as pages are asked for
    ReportPreview preview;
    preview.setEngine(&engine);
    EXPECT_EQ(preview.page(), 1);
    const struct {
        int key;
        int page;
    } steps[] = {{Qt::Key_PageDown, 2}, {Qt::Key_PageDown, 3}, {Qt::Key_PageDown, 3},
                 {Qt::Key_PageUp, 2},   {Qt::Key_Home, 1},     {Qt::Key_PageUp, 1},
                 {Qt::Key_End, 3}};
    for (const auto& step : steps) {
        QKeyEvent press(QEvent::KeyPress, step.key, Qt::NoModifier);
        QApplication::sendEvent(&preview, &press);
        EXPECT_EQ(preview.page(), step.page) << step.key;
        EXPECT_TRUE(preview.status().ok());
    }

    const auto* sheet = qobject_cast<QLabel*>(preview.widget());
    ASSERT_NE(sheet, nullptr);
    const int width = sheet->width();
    Wheel(preview.viewport(), 1, Qt::NoModifier);
    EXPECT_EQ(preview.zoom(), 1.0);
    Wheel(preview.viewport(), 2, Qt::ControlModifier);
    EXPECT_NEAR(preview.zoom(), 1.21, 1e-9);
    EXPECT_NEAR(sheet->width(), width * 1.21, 2);
    Wheel(preview.viewport(), -40, Qt::ControlModifier);
    EXPECT_EQ(preview.zoom(), ReportPreview::kMinZoom);
}

}  // namespace
}  // namespace report
