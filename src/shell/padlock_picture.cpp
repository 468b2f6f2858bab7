#include "shell/padlock_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QPixmap PadlockPixmap(int size, qreal devicePixelRatio) {
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;

    // The shackle: a thick arc over the body.
    QPen shackle(QColor(110, 110, 120), s * 0.11, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(shackle);
    const QRectF arc(s * 0.28, s * 0.08, s * 0.44, s * 0.46);
    QPainterPath path;
    path.moveTo(arc.left(), s * 0.48);
    path.lineTo(arc.left(), arc.center().y());
    path.arcTo(arc, 180, -180);
    path.lineTo(arc.right(), s * 0.48);
    painter.drawPath(path);

    // The body, brass-coloured, with a keyhole.
    const QRectF body(s * 0.16, s * 0.44, s * 0.68, s * 0.50);
    QLinearGradient brass(body.topLeft(), body.bottomRight());
    brass.setColorAt(0.0, QColor(250, 214, 110));
    brass.setColorAt(1.0, QColor(196, 142, 30));
    painter.setPen(QPen(QColor(130, 90, 10), s * 0.03));
    painter.setBrush(brass);
    painter.drawRoundedRect(body, s * 0.07, s * 0.07);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 40, 10));
    const QPointF hole(body.center().x(), body.top() + body.height() * 0.40);
    painter.drawEllipse(hole, s * 0.065, s * 0.065);
    painter.drawRect(QRectF(hole.x() - s * 0.03, hole.y(), s * 0.06, s * 0.16));
    return pixmap;
}
