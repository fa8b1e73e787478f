// The printed test: A4 portrait, a title band with the file's name and the
// date and time, then one block per question with its number, level, picture
// name, question and the five answers lettered a) to e).
#pragma once

#include "bandreport.h"

#include "core/testprint.h"

#include <QDateTime>

namespace zorvik {

// The document's name.
inline const QString kTestReportTitle = QStringLiteral("Тест");

// The report of the print table's rows (PrintTestRow::values), printed at
// `printedAt`; a test without questions gives the title band alone.
report::Report testReport(const QString& testFileName, std::vector<QStringList> rows,
                          const QDateTime& printedAt);
report::Report testReport(const QString& testFileName, const std::vector<PrintTestRow>& rows,
                          const QDateTime& printedAt);

} // namespace zorvik
