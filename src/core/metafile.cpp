#include "metafile.h"

#include <QtEndian>

namespace zorvik {

namespace {
constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr quint32 kEmfSignature = 0x464D4520; // " EMF"
constexpr int kPlaceableSize = 22;

template <typename T> T at(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

bool isPlaceableWmf(const QByteArray& bytes) {
    return bytes.size() >= kPlaceableSize + 18 && at<quint32>(bytes, 0) == kPlaceableKey;
}

// The standard header: type 1 (memory) or 2 (disk), 9 words long.
bool isBareWmf(const QByteArray& bytes) {
    return bytes.size() >= 18 && (at<quint16>(bytes, 0) == 1 || at<quint16>(bytes, 0) == 2) &&
           at<quint16>(bytes, 2) == 9 &&
           (at<quint16>(bytes, 4) == 0x0100 || at<quint16>(bytes, 4) == 0x0300);
}

bool isEmf(const QByteArray& bytes) {
    return bytes.size() >= 88 && at<quint32>(bytes, 0) == 1 &&
           at<quint32>(bytes, 40) == kEmfSignature;
}
} // namespace

PictureFormat pictureFormatOf(const QByteArray& bytes) {
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return PictureFormat::Png;
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return PictureFormat::Jpeg;
    if (isEmf(bytes))
        return PictureFormat::Emf;
    if (isPlaceableWmf(bytes) || isBareWmf(bytes))
        return PictureFormat::Wmf;
    return PictureFormat::Other;
}

std::optional<QSizeF> metafileSize(const QByteArray& bytes) {
    if (isEmf(bytes)) {
        // rclFrame, in 0.01 mm, inclusive.
        const double w = at<qint32>(bytes, 32) - at<qint32>(bytes, 24) + 1;
        const double h = at<qint32>(bytes, 36) - at<qint32>(bytes, 28) + 1;
        if (w > 0 && h > 0)
            return QSizeF(w, h);
        return std::nullopt;
    }
    if (isPlaceableWmf(bytes)) {
        // The bounding box in logical units, and how many of them make an inch.
        const double w = at<qint16>(bytes, 10) - at<qint16>(bytes, 6);
        const double h = at<qint16>(bytes, 12) - at<qint16>(bytes, 8);
        const double perInch = at<quint16>(bytes, 14);
        if (w > 0 && h > 0 && perInch > 0)
            return QSizeF(w / perInch * 2540, h / perInch * 2540);
    }
    return std::nullopt;
}

QByteArray wmfRecords(const QByteArray& bytes) {
    return isPlaceableWmf(bytes) ? bytes.mid(kPlaceableSize) : bytes;
}

} // namespace zorvik
