// Small Windows metafiles, as drawing programs write them: a filled
// rectangle, 4 cm by 2 cm.
#pragma once

#include <QByteArray>
#include <QtEndian>

#include <initializer_list>

namespace zorvik::testing {

inline void put16(QByteArray& b, int v) {
    char c[2];
    qToLittleEndian<quint16>(quint16(v), c);
    b.append(c, 2);
}
inline void put32(QByteArray& b, qint64 v) {
    char c[4];
    qToLittleEndian<quint32>(quint32(v), c);
    b.append(c, 4);
}

// A placeable WMF: 1440 units an inch, 2268 x 1134 units (4 x 2 cm).
inline QByteArray wmfPicture() {
    QByteArray records;
    const auto record = [&records](int function, std::initializer_list<int> params) {
        put32(records, 3 + qint64(params.size()));
        put16(records, function);
        for (int p : params)
            put16(records, p);
    };
    record(0x020B, {0, 0});                 // SETWINDOWORG y, x
    record(0x020C, {1134, 2268});           // SETWINDOWEXT y, x
    record(0x041B, {1034, 2168, 100, 100}); // RECTANGLE bottom, right, top, left
    record(0x0000, {});                     // EOF
    QByteArray header;
    put16(header, 1);
    put16(header, 9);
    put16(header, 0x0300);
    put32(header, (18 + records.size()) / 2);
    put16(header, 0);
    put32(header, 7);
    put16(header, 0);
    QByteArray placeable;
    put32(placeable, 0x9AC6CDD7);
    put16(placeable, 0);
    for (int v : {0, 0, 2268, 1134})
        put16(placeable, v);
    put16(placeable, 1440);
    put32(placeable, 0);
    quint16 sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= qFromLittleEndian<quint16>(placeable.constData() + i);
    put16(placeable, sum);
    return placeable + header + records;
}

// An EMF: its frame 4000 x 2000 hundredths of a millimetre.
inline QByteArray emfPicture() {
    QByteArray records;
    put32(records, 43); // EMR_RECTANGLE
    put32(records, 24);
    for (int v : {10, 10, 140, 70})
        put32(records, v);
    put32(records, 14); // EMR_EOF
    put32(records, 20);
    put32(records, 0);
    put32(records, 16);
    put32(records, 20);
    QByteArray h;
    put32(h, 1);
    put32(h, 88);
    for (int v : {0, 0, 150, 75}) // bounds, device pixels
        put32(h, v);
    for (int v : {0, 0, 3999, 1999}) // frame, 0.01 mm
        put32(h, v);
    put32(h, 0x464D4520);
    put32(h, 0x10000);
    put32(h, 88 + records.size());
    put32(h, 3);
    put16(h, 1);
    put16(h, 0);
    put32(h, 0);
    put32(h, 0);
    put32(h, 0);
    put32(h, 1024); // device, pixels
    put32(h, 768);
    put32(h, 271); // device, mm
    put32(h, 203);
    return h + records;
}

} // namespace zorvik::testing
