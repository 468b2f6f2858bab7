#include "shell/product_logo.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPainterPath>

QPixmap ProductLogoPixmap(int size, qreal devicePixelRatio) {
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QPointF centre(s / 2, s / 2);

    // The disc: a silver rainbow sheen, a clear ring and the hole.
    QConicalGradient sheen(centre, 30);
    sheen.setColorAt(0.00, QColor(215, 220, 230));
    sheen.setColorAt(0.15, QColor(190, 225, 250));
    sheen.setColorAt(0.30, QColor(245, 215, 240));
    sheen.setColorAt(0.50, QColor(200, 205, 215));
    sheen.setColorAt(0.65, QColor(250, 240, 200));
    sheen.setColorAt(0.80, QColor(195, 240, 215));
    sheen.setColorAt(1.00, QColor(215, 220, 230));
    painter.setPen(QPen(QColor(120, 125, 135), s * 0.02));
    painter.setBrush(sheen);
    painter.drawEllipse(centre, s * 0.47, s * 0.47);
    painter.setBrush(QColor(235, 238, 242));
    painter.drawEllipse(centre, s * 0.15, s * 0.15);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, s * 0.06, s * 0.06);

    // A quaver over the lower right of the disc.
    const QColor ink(30, 60, 130);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.save();
    painter.translate(s * 0.66, s * 0.80);
    painter.rotate(-20);
    painter.drawEllipse(QPointF(0, 0), s * 0.10, s * 0.07);
    painter.restore();
    painter.drawRect(QRectF(s * 0.735, s * 0.40, s * 0.035, s * 0.40));
    QPainterPath flag;
    flag.moveTo(s * 0.77, s * 0.40);
    flag.cubicTo(s * 0.82, s * 0.50, s * 0.95, s * 0.52, s * 0.88, s * 0.66);
    flag.cubicTo(s * 0.90, s * 0.55, s * 0.82, s * 0.52, s * 0.77, s * 0.50);
    flag.closeSubpath();
    painter.drawPath(flag);
    return pixmap;
}

QIcon ProductLogoIcon() {
    QIcon icon;
    for (const int size : kProductLogoSizes) {
        icon.addPixmap(ProductLogoPixmap(size));
    }
    return icon;
}
