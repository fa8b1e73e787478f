#include "testingart.h"

#include <QPainter>
#include <QPainterPath>

namespace zorvik {

namespace {
QPixmap blank(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}
} // namespace

QPixmap clockPicture(int size) {
    QPixmap pm = blank(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    p.setPen(QPen(QColor(40, 40, 40), s / 12));
    p.setBrush(QColor(255, 250, 220));
    p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
    const QPointF c(s / 2, s / 2);
    for (int h = 0; h < 12; ++h) {
        p.save();
        p.translate(c);
        p.rotate(h * 30);
        p.setPen(QPen(QColor(60, 60, 60), s / 24));
        p.drawLine(QPointF(0, -s * 0.36), QPointF(0, -s * 0.30));
        p.restore();
    }
    p.setPen(QPen(QColor(20, 20, 20), s / 12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(0, -s * 0.28));
    p.setPen(QPen(QColor(200, 0, 0), s / 16, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(s * 0.22, s * 0.06));
    return pm;
}

QPixmap verdictPicture(Verdict verdict, int size) {
    QPixmap pm = blank(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QColor face;
    switch (verdict) {
    case Verdict::Excellent:
        face = QColor(255, 210, 40);
        break;
    case Verdict::Good:
        face = QColor(120, 190, 255);
        break;
    case Verdict::Bad:
        face = QColor(170, 220, 140);
        break;
    }
    p.setPen(QPen(QColor(60, 60, 60), s / 16));
    p.setBrush(face);
    p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
    p.setBrush(QColor(40, 40, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(s * 0.36, s * 0.40), s * 0.06, s * 0.07);
    p.drawEllipse(QPointF(s * 0.64, s * 0.40), s * 0.06, s * 0.07);
    p.setPen(QPen(QColor(40, 40, 40), s / 14, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath mouth;
    mouth.moveTo(s * 0.30, s * 0.64);
    const double bend = verdict == Verdict::Excellent ? 0.84
                        : verdict == Verdict::Good    ? 0.70
                                                      : 0.50;
    mouth.quadTo(s * 0.50, s * bend, s * 0.70, s * 0.64);
    p.drawPath(mouth);
    return pm;
}

} // namespace zorvik
