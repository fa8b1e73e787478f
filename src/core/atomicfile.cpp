#include "atomicfile.h"

namespace zorvik {

void writeFileAtomically(const QString& path, const QByteArray& bytes, const Storage& storage) {
    storage.replace(path, bytes);
}

QByteArray readWholeFile(const QString& path, StoredKind kind, const Storage& storage) {
    return storage.read(path, kind);
}

} // namespace zorvik
