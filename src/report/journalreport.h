// The printed journal: landscape A4, the title and the date and time on every
// page, the column titles on the first page, one small line per entry, the
// averages of the points and the grades at the end, page numbers centred.
#pragma once

#include "bandreport.h"

#include "core/journalexport.h"

#include <QDateTime>

namespace zorvik {

// "Журнал успішності - " + the journal's file name: the document's name.
QString journalReportTitle(const QString& journalFile);

// The report of the rows (as journalReportRows makes them), printed at `printedAt`.
report::Report journalReport(const QString& journalFile, const std::vector<JournalReportRow>& rows,
                             const QDateTime& printedAt);

// The widths of the report's 12 columns in mm, and the column titles.
const std::vector<double>& journalReportColumnWidths();
const QStringList& journalReportColumnTitles();

} // namespace zorvik
