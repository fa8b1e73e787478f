#include "testprint.h"

namespace zorvik {

QStringList PrintTestRow::values() const {
    return {QString::number(Num), Zap, Mal, V1, V2, V3, V4, V5, Riven};
}

std::vector<PrintTestRow> printTestRows(const std::vector<ExportQuestion>& questions) {
    std::vector<PrintTestRow> rows;
    rows.reserve(questions.size());
    qint32 n = 0;
    for (const ExportQuestion& q : questions) {
        const QuestionFields& f = q.fields;
        rows.push_back({++n, f.Question, f.PictureFile, f.Answer1, f.Answer2, f.Answer3, f.Answer4,
                        f.Answer5, q.levelText});
    }
    return rows;
}

std::vector<PrintTestRow> loadPrintTestRows(const QString& testFile, TestKind kind) {
    return printTestRows(loadExportQuestions(testFile, kind));
}

} // namespace zorvik
