// The print table of a test: one row of nine values per question, in the
// order the printed test lays them out.
#pragma once

#include "testexport.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace zorvik {

struct PrintTestRow {
    qint32 Num = 0; // question number (record number, from 1)
    QString Zap;    // the question as stored (a field text file's name for a long one)
    QString Mal;    // the picture file
    QString V1;
    QString V2;
    QString V3;
    QString V4;
    QString V5;
    QString Riven; // "Рівень: …" of a four-level question; empty for one-level

    // The nine values as texts, in field order.
    QStringList values() const;
    bool operator==(const PrintTestRow&) const = default;
};

std::vector<PrintTestRow> printTestRows(const std::vector<ExportQuestion>& questions);
// The rows of a test file; throws FileError.
std::vector<PrintTestRow> loadPrintTestRows(const QString& testFile, TestKind kind);

} // namespace zorvik
