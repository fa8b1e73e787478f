#include "bytes.h"

#include "cp1251.h"

#include <algorithm>

namespace zorvik {

QString readShortString(QByteArrayView image, int offset, int capacity) {
    const int length = std::min<int>(readU8(image, offset), capacity);
    return fromCp1251(image.sliced(offset + 1, length));
}

void writeShortString(QByteArray& image, int offset, int capacity, QStringView text) {
    QByteArray bytes = toCp1251(text);
    bytes.truncate(capacity);
    writeU8(image, offset, static_cast<quint8>(bytes.size()));
    std::memset(image.data() + offset + 1, 0, static_cast<size_t>(capacity));
    std::memcpy(image.data() + offset + 1, bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString cutToCapacity(QStringView text, int capacity) {
    // One stored byte per code point, so count code points, not UTF-16 units.
    qsizetype i = 0;
    for (int n = 0; n < capacity && i < text.size(); ++n)
        i += (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2
                                                                                                : 1;
    return text.first(i).toString();
}

} // namespace zorvik
