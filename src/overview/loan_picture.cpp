#include "overview/loan_picture.h"

#include <QPainter>
#include <QPainterPath>

QPixmap LoanPicture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    const QColor ink(60, 64, 72);

    // The empty case on the left.
    p.setPen(QPen(ink, 1.2));
    p.setBrush(QColor(230, 230, 236));
    p.drawRect(QRectF(2, 6, 16, 20));
    // The disc on its way out, to the right.
    QRadialGradient shine(QPointF(20, 14), 10);
    shine.setColorAt(0.0, QColor(235, 240, 250));
    shine.setColorAt(0.6, QColor(176, 196, 222));
    shine.setColorAt(1.0, QColor(120, 140, 175));
    p.setBrush(shine);
    p.drawEllipse(QPointF(20, 14), 9, 9);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(20, 14), 2.5, 2.5);
    // The arrow that says it went away.
    p.setPen(QPen(QColor(205, 60, 50), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(12, 28), QPointF(28, 28));
    QPainterPath head;
    head.moveTo(24, 24.5);
    head.lineTo(28.5, 28);
    head.lineTo(24, 31.5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(head);
    return picture;
}
