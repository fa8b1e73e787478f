// Whole files written beside their target and renamed over it only when
// complete, so that a failure leaves the old file (or no file) behind.
#pragma once

#include "fileerror.h"

#include <QByteArray>
#include <QString>

namespace zorvik {

// Throws FileError; the target is untouched then.
void writeFileAtomically(const QString& path, const QByteArray& bytes);

// The whole content of a file; throws FileError.
QByteArray readWholeFile(const QString& path);

} // namespace zorvik
