// Small media files the tests write for themselves.
#pragma once

#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QString>

namespace zorvik::testing {

// A fifth of a second of silence: 8 kHz, 16-bit mono PCM.
inline bool writeWav(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray samples(8000 * 2 / 5, '\0');
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples.size());
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(16000) << quint16(2)
        << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(samples.size());
    out.writeRawData(samples.constData(), int(samples.size()));
    return out.status() == QDataStream::Ok;
}

// A one-colour picture in the format its extension names.
inline QImage writePicture(const QString& path, QColor colour = Qt::blue, QSize size = {40, 20}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path);
    return image;
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace zorvik::testing
