// Whole files written beside their target and renamed over it only when
// complete, so that a failure leaves the old file (or no file) behind.
#pragma once

#include "fileerror.h"
#include "storage.h"

#include <QByteArray>
#include <QString>

namespace zorvik {

// Throws FileError; the target is untouched then.
void writeFileAtomically(const QString& path, const QByteArray& bytes,
                         const Storage& storage = Storage::system());

// The whole content of a regular file of at most sizeCap(kind) bytes; throws
// FileError.
QByteArray readWholeFile(const QString& path, StoredKind kind = StoredKind::Document,
                         const Storage& storage = Storage::system());

} // namespace zorvik
