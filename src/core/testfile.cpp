#include "testfile.h"

#include "atomicfile.h"

using namespace Qt::StringLiterals;

namespace zorvik {

TestKind testKindOfExt(const QString& ext) {
    if (ext == u".tsm"_s)
        return TestKind::Tsm;
    if (ext == u".tsr"_s)
        return TestKind::Tsr;
    return TestKind::None;
}

int recordSizeOf(TestKind kind) {
    return kind == TestKind::Tsm ? TsmRecord::Size : kind == TestKind::Tsr ? TsrRecord::Size : 0;
}

QByteArray newTestFileBytes(TestKind kind) {
    const QByteArray empty =
        kind == TestKind::Tsm ? TsmRecord::empty().encode() : TsrRecord::empty().encode();
    return empty + empty;
}

void createNewTestFile(const QString& path, TestKind kind, const Storage& storage) {
    storage.replace(path, newTestFileBytes(kind));
}

} // namespace zorvik
