// Field-by-field access to little-endian record images.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtEndian>

#include <cstdint>
#include <cstring>

namespace zorvik {

// A short string of capacity N: one length byte, then N bytes of text.
// A length above the capacity (a damaged or foreign file) is read as the capacity.
QString readShortString(QByteArrayView image, int offset, int capacity);
// The text is cut to the capacity; the bytes after it are zeros.
void writeShortString(QByteArray& image, int offset, int capacity, QStringView text);
// The first `capacity` characters: what a field of that capacity keeps.
QString cutToCapacity(QStringView text, int capacity);

inline qint32 readI32(QByteArrayView image, int offset) {
    return qFromLittleEndian<qint32>(image.data() + offset);
}
inline qint16 readI16(QByteArrayView image, int offset) {
    return qFromLittleEndian<qint16>(image.data() + offset);
}
inline quint8 readU8(QByteArrayView image, int offset) {
    return static_cast<quint8>(image[offset]);
}
// Flags are tested for equality with 1, so any other byte reads as false.
inline bool readBool(QByteArrayView image, int offset) {
    return readU8(image, offset) == 1;
}
inline double readF64(QByteArrayView image, int offset) {
    const quint64 bits = qFromLittleEndian<quint64>(image.data() + offset);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

inline void writeI32(QByteArray& image, int offset, qint32 v) {
    qToLittleEndian<qint32>(v, image.data() + offset);
}
inline void writeI16(QByteArray& image, int offset, qint16 v) {
    qToLittleEndian<qint16>(v, image.data() + offset);
}
inline void writeU8(QByteArray& image, int offset, quint8 v) {
    image[offset] = static_cast<char>(v);
}
inline void writeBool(QByteArray& image, int offset, bool v) {
    writeU8(image, offset, v ? 1 : 0);
}
inline void writeF64(QByteArray& image, int offset, double d) {
    quint64 bits;
    std::memcpy(&bits, &d, sizeof bits);
    qToLittleEndian<quint64>(bits, image.data() + offset);
}

} // namespace zorvik
