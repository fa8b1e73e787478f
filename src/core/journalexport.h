// What leaves the journal window besides the screen: the CSV text, the
// workbook, and the rows of the printed report. All are made from the grid's
// rows (JournalModel), so they show what the teacher sees.
#pragma once

#include "journalmodel.h"
#include "spreadsheet.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace zorvik {

// The grid's header and rows as CSV in UTF-8: fields separated by commas,
// quoted when they hold a comma, a quote or a line break, lines ended by CRLF.
QByteArray journalCsv(const JournalModel& model);

// The workbook of the journal: one sheet "Test" holding every grid cell,
// header row included, formatted as the program formatted it in Excel. The
// row numbers, counts, points and grades are numbers showing the grid's text;
// the rest is text.
xlsx::Workbook journalWorkbook(const JournalModel& model);
// journalWorkbook(model).save(path); throws FileError.
void writeJournalWorkbook(const QString& path, const JournalModel& model,
                          const Storage& storage = Storage::system());

// One row of the printed journal, fields as the report table holds them: the
// texts cut to their field widths, the numbers as numbers.
struct JournalReportRow {
    static constexpr int DatWidth = 10;
    static constexpr int TimWidth = 10;
    static constexpr int PibWidth = 40;
    static constexpr int GrWidth = 18;
    static constexpr int TfWidth = 85;
    static constexpr int PerWidth = 10;

    qint32 ID = 0; // the row number
    QString Dat;
    QString Tim;
    QString Pib;
    QString Gr;
    QString Tf;
    qint32 Mbal = 0; // grade scale
    qint32 Sbal = 0; // questions
    qint32 Zap = 0;  // maximum points
    double Bal = 0;  // points, rounded to 2 decimals
    qint32 Oc = 0;   // grade
    QString Per;

    // The 12 fields as printed, in column order.
    QStringList texts() const;
};

std::vector<JournalReportRow> journalReportRows(const JournalModel& model);

// The arithmetic means of the points and the grades over the rows; empty when
// there are no rows.
struct JournalAverages {
    double points = 0;
    double grade = 0;
};
std::optional<JournalAverages> journalAverages(const std::vector<JournalReportRow>& rows);

} // namespace zorvik
