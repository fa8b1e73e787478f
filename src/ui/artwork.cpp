#include "artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace zorvik {

QPixmap programPicture(const QSize& size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();
    // The sheet.
    const QRectF sheet(w * 0.12, h * 0.06, w * 0.62, h * 0.86);
    p.setPen(QPen(QColor(40, 60, 120), std::max(1.0, w / 80)));
    p.setBrush(QColor(255, 255, 250));
    p.drawRoundedRect(sheet, w * 0.03, w * 0.03);
    // Four answer lines, two of them ticked.
    for (int i = 0; i < 4; ++i) {
        const double y = sheet.top() + sheet.height() * (0.18 + 0.2 * i);
        const QRectF box(sheet.left() + sheet.width() * 0.1, y - h * 0.04, w * 0.08, w * 0.08);
        p.setPen(QPen(QColor(40, 60, 120), std::max(1.0, w / 100)));
        p.setBrush(Qt::white);
        p.drawRect(box);
        p.setPen(QPen(QColor(120, 130, 150), std::max(1.0, w / 90)));
        p.drawLine(QPointF(box.right() + w * 0.05, y), QPointF(sheet.right() - w * 0.06, y));
        if (i == 1 || i == 2) {
            QPainterPath tick;
            tick.moveTo(box.left() + box.width() * 0.15, box.top() + box.height() * 0.5);
            tick.lineTo(box.left() + box.width() * 0.45, box.bottom() - box.height() * 0.1);
            tick.lineTo(box.right() + box.width() * 0.3, box.top() - box.height() * 0.3);
            p.setPen(QPen(QColor(200, 30, 30), std::max(2.0, w / 35), Qt::SolidLine, Qt::RoundCap,
                          Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(tick);
        }
    }
    // The pencil.
    p.save();
    p.translate(w * 0.8, h * 0.62);
    p.rotate(35);
    const double pw = w * 0.09;
    const double pl = h * 0.55;
    p.setPen(QPen(QColor(90, 60, 10), std::max(1.0, w / 120)));
    p.setBrush(QColor(240, 190, 40));
    p.drawRect(QRectF(-pw / 2, -pl / 2, pw, pl * 0.8));
    p.setBrush(QColor(240, 210, 160));
    QPolygonF tip;
    tip << QPointF(-pw / 2, pl * 0.3) << QPointF(pw / 2, pl * 0.3) << QPointF(0, pl * 0.5);
    p.drawPolygon(tip);
    p.setBrush(QColor(230, 120, 140));
    p.drawRect(QRectF(-pw / 2, -pl / 2 - pw * 0.6, pw, pw * 0.6));
    p.restore();
    return pm;
}

QIcon programIcon() {
    QIcon icon;
    for (int s : {16, 32, 48, 64, 128})
        icon.addPixmap(programPicture(QSize(s, s)));
    return icon;
}

QPixmap exitPicture(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    p.setPen(QPen(QColor(60, 60, 60), std::max(1.0, s / 16)));
    p.setBrush(QColor(150, 100, 50));
    p.drawRect(QRectF(s * 0.15, s * 0.1, s * 0.45, s * 0.8)); // the door
    p.setBrush(QColor(250, 220, 80));
    p.drawEllipse(QPointF(s * 0.5, s * 0.5), s * 0.04, s * 0.04);
    p.setPen(QPen(QColor(0, 110, 0), std::max(2.0, s / 8), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.55, s * 0.5), QPointF(s * 0.92, s * 0.5)); // the arrow
    p.drawLine(QPointF(s * 0.92, s * 0.5), QPointF(s * 0.78, s * 0.36));
    p.drawLine(QPointF(s * 0.92, s * 0.5), QPointF(s * 0.78, s * 0.64));
    return pm;
}

} // namespace zorvik
