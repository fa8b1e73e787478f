#include "picturebox.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace zorvik {

PictureBox::PictureBox(QWidget* parent, Fit fit) : QWidget(parent), fit_(fit) {}

bool PictureBox::load(const QString& path, QString* error) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    setImage(reader.read());
    if (!hasPicture() && error)
        *error = reader.errorString();
    return hasPicture();
}

void PictureBox::setImage(const QImage& image) {
    image_ = image;
    update();
}

QRect PictureBox::pictureRect() const {
    if (image_.isNull())
        return {};
    QSize size = image_.size();
    if (fit_ == Fit::FitTop) {
        size.scale(this->size(), Qt::KeepAspectRatio);
        return {QPoint((width() - size.width()) / 2, 0), size};
    }
    if (size.width() > width() || size.height() > height())
        size.scale(this->size(), Qt::KeepAspectRatio);
    return {QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size};
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (image_.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(pictureRect(), image_);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    else
        QWidget::mouseDoubleClickEvent(event);
}

} // namespace zorvik
