#include "pictureview.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace zorvik {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {}

bool PictureView::load(const QString& path, QString* error) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    setImage(image);
    if (image.isNull() && error)
        *error = reader.errorString();
    return !image.isNull();
}

void PictureView::setImage(const QImage& image) {
    image_ = image;
    update();
}

QRect PictureView::pictureRect() const {
    if (image_.isNull())
        return {};
    QSize size = image_.size();
    if (size.width() > width() || size.height() > height())
        size.scale(this->size(), Qt::KeepAspectRatio);
    return {QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size};
}

void PictureView::paintEvent(QPaintEvent*) {
    if (image_.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(pictureRect(), image_);
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

} // namespace zorvik
