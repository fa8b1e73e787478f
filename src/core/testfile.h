// Test files (.tsm, .tsr) as a whole.
#pragma once

#include "storage.h"

#include "records.h"

#include <QString>

namespace zorvik {

enum class TestKind { None, Tsm, Tsr };

// ".tsm" or ".tsr" exactly (case-sensitive); anything else is neither.
TestKind testKindOfExt(const QString& ext);
int recordSizeOf(TestKind kind);

// The bytes of a new test file: the reserved record and one empty question,
// both equal.
QByteArray newTestFileBytes(TestKind kind);
// Writes a new test file; throws FileError.
void createNewTestFile(const QString& path, TestKind kind,
                       const Storage& storage = Storage::system());

} // namespace zorvik
