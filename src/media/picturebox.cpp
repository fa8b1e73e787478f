#include "picturebox.h"

#include "core/metafile.h"
#include "core/storage.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace zorvik {

PictureBox::PictureBox(QWidget* parent, Fit fit) : QWidget(parent), fit_(fit) {}

namespace {

// A metafile is not drawn here (the documents carry it as it is): a plain
// card of its size says so in its place.
QImage metafileStandIn(PictureFormat format, std::optional<QSizeF> size) {
    // 0.01 mm at 96 pixels an inch; 8 x 6 cm when the file does not say.
    const QSizeF hmm = size.value_or(QSizeF(8000, 6000));
    QSize pixels(qRound(hmm.width() * 96 / 2540), qRound(hmm.height() * 96 / 2540));
    pixels = pixels.expandedTo(QSize(240, 120)).boundedTo(QSize(1600, 1200));
    QImage card(pixels, QImage::Format_RGB32);
    card.fill(QColor(0xF2, 0xF2, 0xF2));
    QPainter p(&card);
    p.setPen(QPen(QColor(0x99, 0x99, 0x99), 2, Qt::DashLine));
    p.drawRect(card.rect().adjusted(1, 1, -2, -2));
    QFont f = p.font();
    f.setPixelSize(std::max(12, pixels.height() / 12));
    p.setFont(f);
    p.setPen(QColor(0x44, 0x44, 0x44));
    const QString kind = format == PictureFormat::Wmf ? u"WMF"_s : u"EMF"_s;
    p.drawText(card.rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
               u"Малюнок у форматі "_s + kind +
                   u"\nтут не показується.\nУ документі Word він буде."_s);
    return card;
}

} // namespace

QImage readPictureFile(const QString& path, const Storage& storage, QString* error) {
    QByteArray bytes;
    try {
        bytes = storage.read(path, StoredKind::Picture);
    } catch (const FileError& e) {
        if (error)
            *error = e.reason();
        return {};
    }
    if (const PictureFormat format = pictureFormatOf(bytes);
        format == PictureFormat::Wmf || format == PictureFormat::Emf)
        return metafileStandIn(format, metafileSize(bytes));
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
