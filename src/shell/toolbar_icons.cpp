#include "shell/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

constexpr int kSize = 32;

const QColor kInk(60, 64, 72);
const QColor kDisc(176, 196, 222);
const QColor kAccent(46, 139, 87);
const QColor kWarm(205, 133, 63);

// A compact disc centred at `c` with radius `r`.
void Disc(QPainter& p, QPointF c, qreal r) {
    QRadialGradient shine(c, r);
    shine.setColorAt(0.0, QColor(235, 240, 250));
    shine.setColorAt(0.6, kDisc);
    shine.setColorAt(1.0, QColor(120, 140, 175));
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(shine);
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::white);
    p.drawEllipse(c, r * 0.28, r * 0.28);
}

void Plus(QPainter& p, QPointF c, qreal r) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() - r * 0.55, c.y()), QPointF(c.x() + r * 0.55, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - r * 0.55), QPointF(c.x(), c.y() + r * 0.55));
}

void Add(QPainter& p) {
    Disc(p, {14, 15}, 12);
    Plus(p, {24, 24}, 7);
}

void Reopen(QPainter& p) {
    Disc(p, {17, 12}, 9);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(240, 200, 110));
    QPainterPath folder;
    folder.moveTo(3, 14);
    folder.lineTo(11, 14);
    folder.lineTo(13, 17);
    folder.lineTo(29, 17);
    folder.lineTo(27, 29);
    folder.lineTo(5, 29);
    folder.closeSubpath();
    p.drawPath(folder);
}

void MainTitles(QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    for (int i = 2; i >= 0; --i) {
        p.setBrush(i == 0 ? QColor(250, 250, 250) : QColor(215, 220, 230));
        p.drawRect(QRectF(4 + i * 3, 4 + i * 3, 20, 20));
    }
    Disc(p, {14, 14}, 7);
}

void Artist(QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kWarm);
    p.drawEllipse(QPointF(16, 10), 6, 6);
    QPainterPath body;
    body.moveTo(5, 29);
    body.cubicTo(5, 18, 27, 18, 27, 29);
    body.closeSubpath();
    p.setBrush(QColor(70, 110, 170));
    p.drawPath(body);
}

void Loan(QPainter& p) {
    Disc(p, {12, 14}, 10);
    p.setPen(QPen(kWarm, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(17, 25), QPointF(29, 25));
    p.drawLine(QPointF(24, 20), QPointF(29, 25));
    p.drawLine(QPointF(24, 30), QPointF(29, 25));
}

void Printer(QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(190, 195, 205));
    p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 19, 14, 10));
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(12, 23), QPointF(20, 23));
    p.drawLine(QPointF(12, 26), QPointF(18, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(25, 16), 1.5, 1.5);
}

void Close(QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(160, 110, 70));
    p.drawRect(QRectF(6, 3, 14, 26));
    p.setBrush(QColor(250, 250, 250));
    p.setPen(QPen(QColor(190, 40, 40), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(17, 16), QPointF(29, 16));
    p.drawLine(QPointF(24, 11), QPointF(29, 16));
    p.drawLine(QPointF(24, 21), QPointF(29, 16));
}

QIcon Draw(const std::function<void(QPainter&)>& paint) {
    QIcon icon;
    for (const qreal scale : {1.0, 2.0}) {
        QPixmap pixmap(static_cast<int>(kSize * scale), static_cast<int>(kSize * scale));
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon ToolbarIcon(const QString& buttonName) {
    static const std::pair<const char*, void (*)(QPainter&)> pictures[] = {
        {"AddButton", Add},       {"ReopenButton", Reopen}, {"MaintitlesButton", MainTitles},
        {"ArtistButton", Artist}, {"LoanButton", Loan},     {"PrinterButton", Printer},
        {"CloseButton", Close},
    };
    for (const auto& [name, paint] : pictures) {
        if (buttonName == name) {
            return Draw(paint);
        }
    }
    return {};
}
