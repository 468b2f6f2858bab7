#include "cd/player_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

constexpr int kSize = 20;
const QColor kInk(40, 44, 52);

using Button = TCdSpeler::PlayerButton;

// A filled triangle pointing right (or left) with its tip at x = `tip`.
void Triangle(QPainter& p, qreal from, qreal tip, qreal top, qreal bottom) {
    p.drawPolygon(QPolygonF({{from, top}, {tip, (top + bottom) / 2}, {from, bottom}}));
}

void Draw(QPainter& p, Button button) {
    p.setPen(QPen(kInk, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (button) {
        case Button::Play:
            p.setBrush(QColor(34, 160, 70));
            Triangle(p, 6, 16, 4, 16);
            break;
        case Button::Pause:
            p.setBrush(QColor(230, 180, 30));
            p.drawRect(QRectF(5, 4, 3.5, 12));
            p.drawRect(QRectF(11.5, 4, 3.5, 12));
            break;
        case Button::Stop:
            p.setBrush(QColor(200, 50, 45));
            p.drawRect(QRectF(5, 5, 10, 10));
            break;
        case Button::Next:
            p.setBrush(QColor(50, 100, 190));
            Triangle(p, 3, 9.5, 5, 15);
            Triangle(p, 9.5, 16, 5, 15);
            p.drawRect(QRectF(16, 5, 1.5, 10));
            break;
        case Button::Prev:
            p.setBrush(QColor(50, 100, 190));
            p.drawRect(QRectF(2.5, 5, 1.5, 10));
            Triangle(p, 10.5, 4, 5, 15);
            Triangle(p, 17, 10.5, 5, 15);
            break;
        case Button::Eject:
            p.setBrush(QColor(110, 115, 125));
            p.drawPolygon(QPolygonF({{3, 11}, {10, 4}, {17, 11}}));
            p.drawRect(QRectF(3, 13.5, 14, 2.5));
            break;
    }
}

}  // namespace

QIcon PlayerButtonIcon(TCdSpeler::PlayerButton button) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, button);
    return QIcon(pixmap);
}

QIcon SourceJumpIcon() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A disc with an arrow pointing away from it: from the disc to its entry.
    QRadialGradient shine(QPointF(8, 10), 7);
    shine.setColorAt(0.0, QColor(235, 240, 250));
    shine.setColorAt(0.6, QColor(176, 196, 222));
    shine.setColorAt(1.0, QColor(120, 140, 175));
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(shine);
    p.drawEllipse(QPointF(8, 10), 7, 7);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 10), 2, 2);
    p.setPen(QPen(QColor(34, 120, 60), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(12, 14), QPointF(18, 8));
    p.drawLine(QPointF(18, 8), QPointF(14, 8));
    p.drawLine(QPointF(18, 8), QPointF(18, 12));
    return QIcon(pixmap);
}
