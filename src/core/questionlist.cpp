#include "questionlist.h"

#include "editing.h" // readAllQuestions
#include "questiontext.h"

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
const QString kDocFont = u"Times New Roman Cyr"_s;
constexpr int kDocSize = 14;

rtf::Paragraph paragraph(rtf::Align align, const QString& text, bool bold) {
    return {align, {rtf::TextRun{text, bold, kDocSize, 0}}};
}
} // namespace

QString levelNameOf(const TsrRecord& r, const QString& previous) {
    switch (levelOf(r)) {
    case QuestionLevel::None:
        break;
    case QuestionLevel::Low:
        return u"низький"_s;
    case QuestionLevel::Medium:
        return u"середній"_s;
    case QuestionLevel::High:
        return u"високий"_s;
    case QuestionLevel::Sufficient:
        return u"достатній"_s;
    }
    return previous;
}

std::vector<QuestionListEntry> loadQuestionList(const QString& testFile, TestKind kind) {
    const std::vector<Question> questions = readAllQuestions(testFile, kind);
    std::vector<QuestionListEntry> out;
    out.reserve(questions.size());
    QString previous;
    for (size_t i = 0; i < questions.size(); ++i) {
        const Question& q = questions[i];
        QuestionListEntry e;
        e.number = int(i + 1);
        if (kind == TestKind::Tsr) {
            e.level = levelNameOf(q);
            previous = levelNameOf(q, previous);
            e.documentLevel = previous;
        }
        e.question = trimField(q.Question);
        for (int k = 1; k <= 5; ++k)
            e.answers[size_t(k - 1)] = q.answer(k);
        out.push_back(std::move(e));
    }
    return out;
}

QString questionListCaption(const QString& testFile, TestKind kind) {
    return u"Список запитань"_s + QString(kind == TestKind::Tsr ? 7 : 5, u' ') + testFile;
}

const QStringList& questionListHeaders() {
    static const QStringList headers = {u"      №"_s, u"        Рівень"_s,
                                        u"                      Запитання"_s};
    return headers;
}

std::vector<QStringList> questionListCells(const std::vector<QuestionListEntry>& entries,
                                           TestKind kind) {
    std::vector<QStringList> cells;
    cells.reserve(entries.size() + 2);
    cells.push_back(questionListHeaders());
    for (const QuestionListEntry& e : entries)
        cells.push_back({QString::number(e.number), kind == TestKind::Tsr ? e.level : kOneLevelMark,
                         e.question});
    cells.push_back({QString(), QString(), QString()});
    return cells;
}

QString questionListHint(const QuestionListEntry& entry) {
    QStringList lines;
    for (int k = 1; k <= 5; ++k)
        lines << QString::number(k) + u") "_s + entry.answers[size_t(k - 1)];
    return lines.join(u'\r');
}

QString questionListDocumentName(const QString& testFile) {
    return testFile.left(testFile.size() - 4) + u"_список.doc"_s;
}

QString questionListWorkbookName(const QString& testFile) {
    return testFile.left(testFile.size() - 4) + u"_список.xlsx"_s;
}

rtf::Document questionListDocument(const QString& testFile, TestKind kind,
                                   const std::vector<QuestionListEntry>& entries) {
    rtf::Document doc;
    doc.fonts = {{kDocFont, u"Times New Roman"_s}, {u"Liberation Serif"_s, {}}};
    doc.body << paragraph(rtf::Align::Centre, u"Тести"_s, true)
             << paragraph(rtf::Align::Centre, testFile, true);
    for (const QuestionListEntry& e : entries) {
        QString line = QString::number(e.number) + u". "_s;
        if (kind == TestKind::Tsr)
            line += u"(рівень: "_s + e.documentLevel + u") "_s;
        doc.body << paragraph(rtf::Align::Left, line + e.question, false);
    }
    doc.body << paragraph(rtf::Align::Left, QString(), false)
             << paragraph(rtf::Align::Left, QString(100, u'-'), false);
    doc.footer = {rtf::Paragraph{rtf::Align::Centre, {rtf::PageNumberRun{kDocSize - 2, 0}}}};
    return doc;
}

xlsx::Workbook questionListWorkbook(const std::vector<QStringList>& cells) {
    using xlsx::CellRange;
    using xlsx::CellStyle;
    using xlsx::HAlign;

    xlsx::Workbook book;
    xlsx::Worksheet& sheet = book.addSheet(u"Jurnal"_s);
    sheet.setRows(cells);
    // N: the last row (1-based); 0-based index of row N.
    const int last = std::max(1, int(cells.size()) - 1);
    const auto range = [last](int firstCol, int lastCol) {
        return CellRange{1, firstCol, last, lastCol}; // from row 2 to row N
    };
    sheet.setNumbers(range(0, 0)); // the question numbers
    sheet.format(CellRange::allColumns(), CellStyle().bold().align(HAlign::Left));
    sheet.setColumnWidth(CellRange::allColumns(), 18);
    sheet.format(CellRange::parse(u"A1:C1"), CellStyle()
                                                 .fontColor(xlsx::kWhite)
                                                 .bold()
                                                 .align(HAlign::Centre)
                                                 .fill(xlsx::excelColorIndex(32)));
    sheet.format(range(0, 0), CellStyle().align(HAlign::Centre));            // A2:AN
    sheet.setColumnWidth(range(2, 2), 65);                                   // C2:CN
    sheet.setColumnWidth(range(1, 1), 10);                                   // B2:BN
    sheet.setColumnWidth(range(0, 0), 8);                                    // A2:AN
    sheet.format(range(0, 2), CellStyle().valign(xlsx::VAlign::Top).wrap()); // A2:CN
    return book;
}

} // namespace zorvik
