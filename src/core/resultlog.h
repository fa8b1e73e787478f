// The result log result.txt in the program's directory: one block of lines per
// run (header, one line per answer, end lines), Windows-1251, CR LF, appended.
#pragma once

#include "storage.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace zorvik {

// Runs of spaces in a question line: before N, after N, after R, after P.
struct LogSpacing {
    int prefix = 0;
    int afterN = 0;
    int afterR = 0;
    int afterP = 0;
    bool operator==(const LogSpacing&) const = default;
};

QString resultLogPath(const QString& programDir); // ProgramDir + "/result.txt"

// 65 "-".
QString ruleLine();

// Points and grades: general format with 15 significant digits, the locale's
// decimal separator and no digit grouping (12, 7,5, 3,33, 100000).
QString logNumberText(double value);

// An interval written as the time of day it would be: 7 s reads as 0:00:07
// does in the locale's long time format.
QString intervalText(qint64 ms);

// The date and time texts of a log line: short date, two blanks, long time.
QString logDateTimeText(const QDateTime& when);

QStringList resultLogHeader(const QString& testFileName, const QString& studentName,
                            const QString& studentGroup, const QDateTime& now);

// N, R, P and D joined by the given runs of spaces.
QString resultLogQuestionLine(const LogSpacing& spacing, int questionNo, int recordNo,
                              double points, qint64 elapsedMs);

// The end lines; a broken-off run starts with "   ТЕСТУВАННЯ ПЕРЕРВАНО!!!"
// instead of the rule line. Ends with an empty line.
QStringList resultLogEnd(const QDateTime& now, qint32 maxPoints, double points, qint32 scale,
                         qint32 grade, bool brokenOff);

// Appends the lines (each ended by CR LF) to the log, creating it when missing,
// in one write under the log's lock. Throws FileError; the log then ends as
// it did.
void appendToResultLog(const QString& path, const QStringList& lines,
                       const Storage& storage = Storage::system());

// Throws FileError when the log can be neither opened nor created.
void checkResultLogWritable(const QString& path, const Storage& storage = Storage::system());

} // namespace zorvik
