#include "journaledit.h"

#include "atomicfile.h"

namespace zorvik {

bool deleteJournalEntry(const QString& path, qint64 index,
                        const std::optional<JournalRecord>& expected) {
    const QByteArray bytes = readWholeFile(path);
    const qint64 size = JournalRecord::Size;
    const qint64 count = bytes.size() / size;
    if (index < 0 || index >= count)
        return false;
    const QByteArrayView entry(bytes.constData() + index * size, size);
    // Compared as encoded, so that a NaN read from a damaged file still matches.
    if (expected && JournalRecord::decode(entry).encode() != expected->encode())
        return false;
    QByteArray kept;
    kept.reserve((count - 1) * size);
    kept.append(bytes.constData(), index * size);
    kept.append(bytes.constData() + (index + 1) * size, (count - index - 1) * size);
    writeFileAtomically(path, kept);
    return true;
}

void clearJournal(const QString& path) {
    writeFileAtomically(path, {});
}

} // namespace zorvik
