#include "atomicfile.h"

#include <QFile>
#include <QSaveFile>

namespace zorvik {

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(FileError::Op::Create, path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw FileError(FileError::Op::Write, path, reason);
    }
    if (!file.commit())
        throw FileError(FileError::Op::Rename, path, file.errorString());
}

QByteArray readWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(FileError::Op::Open, path, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(FileError::Op::Read, path, file.errorString());
    return bytes;
}

} // namespace zorvik
