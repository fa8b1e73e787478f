#include "journaledit.h"

namespace zorvik {

namespace {

constexpr qint64 kSize = JournalRecord::Size;

QByteArrayView entryAt(const QByteArray& bytes, qint64 index) {
    return QByteArrayView(bytes.constData() + index * kSize, kSize);
}

} // namespace

bool deleteJournalEntry(const QString& path, qint64 index,
                        const std::optional<JournalRecord>& expected, const Storage& storage) {
    const StorageLock lock = storage.lock(path);
    const QByteArray bytes = storage.read(path, StoredKind::Journal);
    const qint64 count = bytes.size() / kSize;
    if (expected) {
        // Compared as encoded, so that a NaN read from a damaged file still matches.
        const QByteArray wanted = expected->encode();
        const auto matches = [&](qint64 i) {
            return JournalRecord::decode(entryAt(bytes, i)).encode() == wanted;
        };
        if (index < 0 || index >= count || !matches(index)) {
            index = -1;
            for (qint64 i = 0; i < count && index < 0; ++i)
                if (matches(i))
                    index = i;
        }
    }
    if (index < 0 || index >= count)
        return false;
    QByteArray kept;
    kept.reserve((count - 1) * kSize);
    kept.append(bytes.constData(), index * kSize);
    kept.append(bytes.constData() + (index + 1) * kSize, (count - index - 1) * kSize);
    storage.replace(path, kept);
    return true;
}

void clearJournal(const QString& path, std::optional<qint64> seen, const Storage& storage) {
    const StorageLock lock = storage.lock(path);
    QByteArray kept;
    if (seen) {
        const QByteArray bytes = storage.read(path, StoredKind::Journal);
        const qint64 count = bytes.size() / kSize;
        if (*seen < count)
            kept = bytes.mid(*seen * kSize, (count - *seen) * kSize);
    } else if (!storage.status(path).exists) {
        // As the window clears a journal it has read, a missing one is an error.
        storage.read(path, StoredKind::Journal);
    }
    storage.replace(path, kept);
}

} // namespace zorvik
