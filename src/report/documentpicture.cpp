#include "documentpicture.h"

#include "core/storage.h"
#include <QBuffer>

#include <QImage>
#include <QImageReader>

namespace zorvik {

std::optional<PictureData> loadDocumentPicture(const QString& path) {
    QByteArray bytes;
    try {
        bytes = Storage::system().read(path, StoredKind::Picture);
    } catch (const FileError&) {
        return std::nullopt;
    }
    if (bytes.isEmpty())
        return std::nullopt;
    // Metafiles go in as they are: word processors draw them themselves.
    if (const PictureFormat f = pictureFormatOf(bytes);
        f == PictureFormat::Wmf || f == PictureFormat::Emf) {
        // A WMF without its placeable header gives no size: 5 cm square.
        const QSizeF size = metafileSize(bytes).value_or(QSizeF(5000, 5000));
        return PictureData{f == PictureFormat::Wmf ? wmfRecords(bytes) : bytes, f, {}, size};
    }

    // The content decides, not the name: a JPEG saved as .bmp is still a JPEG.
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    const QByteArray format = reader.format();
    if (format == "jpeg" || format == "png") {
        QSize size = reader.size();
        if (!size.isValid()) {
            const QImage image = reader.read();
            if (image.isNull())
                return std::nullopt;
            size = image.size();
        }
        if (size.isEmpty())
            return std::nullopt;
        return PictureData{
            bytes, format == "jpeg" ? PictureFormat::Jpeg : PictureFormat::Png, size, {}};
    }
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    if (!image.save(&out, "PNG"))
        return std::nullopt;
    return PictureData{png, PictureFormat::Png, image.size(), {}};
}

} // namespace zorvik
