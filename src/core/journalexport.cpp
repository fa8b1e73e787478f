#include "journalexport.h"

#include "bytes.h"
#include "localetext.h"
#include "rounding.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

void appendCsvField(QString& line, const QString& field) {
    if (field.contains(u',') || field.contains(u'"') || field.contains(u'\n') ||
        field.contains(u'\r')) {
        QString quoted = field;
        quoted.replace(u"\""_s, u"\"\""_s);
        line += u'"' + quoted + u'"';
    } else {
        line += field;
    }
}

void appendCsvLine(QString& text, const QStringList& fields) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += u',';
        appendCsvField(text, fields[i]);
    }
    text += u"\r\n"_s;
}

} // namespace

QByteArray journalCsv(const JournalModel& model) {
    QString text;
    appendCsvLine(text, JournalModel::headers());
    for (int r = 0; r < model.entryCount(); ++r)
        appendCsvLine(text, model.rowTexts(r));
    return text.toUtf8();
}

xlsx::Workbook journalWorkbook(const JournalModel& model) {
    using xlsx::CellRange;
    using xlsx::CellStyle;
    using xlsx::HAlign;

    xlsx::Workbook book;
    xlsx::Worksheet& sheet = book.addSheet(u"Test"_s);
    std::vector<QStringList> rows;
    rows.reserve(size_t(model.entryCount()) + 1);
    rows.push_back(JournalModel::headers());
    for (int r = 0; r < model.entryCount(); ++r)
        rows.push_back(model.rowTexts(r));
    sheet.setRows(std::move(rows));

    // N: the last row of the sheet (1-based), as the grid's row count.
    const int last = model.entryCount(); // 0-based index of row N
    const auto range = [last](int firstCol, int firstRow, int lastCol) {
        return CellRange{firstRow, firstCol, std::max(firstRow, last), lastCol};
    };
    // Row numbers, scale, questions, maximum, points and grade count as numbers.
    sheet.setNumbers(range(0, 1, 0));  // A2:AN
    sheet.setNumbers(range(6, 1, 10)); // G2:KN
    const CellStyle centre = CellStyle().align(HAlign::Centre);
    sheet.format(CellRange::allColumns(), centre);
    sheet.setColumnWidth(CellRange::allColumns(), 20);
    sheet.format(
        CellRange::parse(u"A1:L1"),
        CellStyle().fontColor(xlsx::kWhite).align(HAlign::Centre).fill(xlsx::excelColorIndex(32)));
    sheet.format(range(0, 1, 0), centre); // A2:AN
    sheet.setColumnWidth(range(0, 1, 0), 8);
    sheet.format(CellRange::parse(u"A1:L1"), CellStyle().bold());
    sheet.format(range(9, 1, 10), CellStyle().fontColor(xlsx::kRed).bold()); // J2:KN
    sheet.setColumnWidth(range(1, 0, 2), 10);                                // B1:CN
    sheet.setColumnWidth(range(3, 0, 3), 30);                                // D1:DN
    sheet.setColumnWidth(range(6, 0, 11), 8);                                // G1:LN
    sheet.setColumnWidth(range(8, 0, 9), 12);                                // I1:JN
    return book;
}

void writeJournalWorkbook(const QString& path, const JournalModel& model, const Storage& storage) {
    journalWorkbook(model).save(path, storage);
}

QStringList JournalReportRow::texts() const {
    return {QString::number(ID),
            Dat,
            Tim,
            Pib,
            Gr,
            Tf,
            QString::number(Mbal),
            QString::number(Sbal),
            QString::number(Zap),
            numberText(Bal),
            QString::number(Oc),
            Per};
}

std::vector<JournalReportRow> journalReportRows(const JournalModel& model) {
    std::vector<JournalReportRow> rows;
    rows.reserve(size_t(model.entryCount()));
    const auto& entries = model.records();
    for (size_t i = 0; i < entries.size(); ++i) {
        const JournalRecord& e = entries[i];
        JournalReportRow row;
        row.ID = qint32(i + 1);
        row.Dat = cutToCapacity(e.Date, JournalReportRow::DatWidth);
        row.Tim = cutToCapacity(e.Time, JournalReportRow::TimWidth);
        row.Pib = cutToCapacity(e.StudentName, JournalReportRow::PibWidth);
        row.Gr = cutToCapacity(e.Group, JournalReportRow::GrWidth);
        row.Tf = cutToCapacity(e.TestName, JournalReportRow::TfWidth);
        row.Mbal = e.GradeScale;
        row.Sbal = e.QuestionCount;
        row.Zap = e.MaxPoints;
        row.Bal = std::isfinite(e.Points) ? roundTo(e.Points, 2) : e.Points;
        row.Oc = e.Grade;
        row.Per = cutToCapacity(e.Interrupted, JournalReportRow::PerWidth);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::optional<JournalAverages> journalAverages(const std::vector<JournalReportRow>& rows) {
    if (rows.empty())
        return std::nullopt;
    double points = 0;
    double grades = 0;
    for (const JournalReportRow& r : rows) {
        points += r.Bal;
        grades += r.Oc;
    }
    const double n = double(rows.size());
    return JournalAverages{points / n, grades / n};
}

} // namespace zorvik
