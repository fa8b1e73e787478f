#include "picturebox.h"

#include "core/storage.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace zorvik {

PictureBox::PictureBox(QWidget* parent, Fit fit) : QWidget(parent), fit_(fit) {}

QImage readPictureFile(const QString& path, const Storage& storage, QString* error) {
    QByteArray bytes;
    try {
        bytes = storage.read(path, StoredKind::Picture);
    } catch (const FileError& e) {
        if (error)
            *error = e.reason();
        return {};
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // The name's suffix is a hint; the content decides when it is wrong.
    QImageReader reader(&buffer, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull() && error)
        *error = reader.errorString();
    return image;
}

bool PictureBox::load(const QString& path, const Storage& storage, QString* error) {
    setImage(readPictureFile(path, storage, error));
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
