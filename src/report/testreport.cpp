#include "testreport.h"

#include "core/localetext.h"

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

// Page margins, mm: top 10, bottom 10, left 10, right 8.
const QMarginsF kMargins(10, 10, 8, 10);
constexpr double kWidth = 210 - 10 - 8; // printable width, mm

// The frame widths of the design were in screen pixels (1/96 inch).
constexpr double kPixelMm = 25.4 / 96;

// The fields of a print row, by position.
enum Field { Num, Zap, Mal, V1, V2, V3, V4, V5, Riven };

using report::arial;

} // namespace

report::Report testReport(const QString& testFileName, std::vector<QStringList> rows,
                          const QDateTime& printedAt) {
    using report::TextBox;

    report::Report r;
    r.title = kTestReportTitle;
    r.pageLayout = report::Report::a4(QPageLayout::Portrait, kMargins);

    // Title band: "Тести", the file (wrapping downwards), the date and time.
    report::Band& title = r.titleBand;
    title.height = 19.8;
    title.pushDown = true;
    title.bottomRule = report::Rule{2 * kPixelMm, Qt::DashLine};
    title.texts.push_back(TextBox::label({78.3, 1.1, 60, 6}, u"Тести"_s, arial(14, true)));
    title.texts.push_back(TextBox::label({10.6, 6.3, 29, 5}, u"Тестовий файл:"_s, arial(11)));
    TextBox file = TextBox::label({40.2, 6.3, kWidth - 40.2, 5}, testFileName, arial(11));
    file.color = Qt::blue;
    file.grow = true;
    title.texts.push_back(file);
    const QString stamp = shortDateText(printedAt.date()) + u" "_s + longTimeText(printedAt.time());
    title.texts.push_back(TextBox::label({21.2, 12.7, 100, 5}, stamp, arial(11, true, true)));

    // Detail band: one question. The answers wrap and push what follows down,
    // so a long answer never runs over the next one.
    report::Band& detail = r.detail;
    detail.height = 51.1;
    detail.pushDown = true;
    detail.bottomRule = report::Rule{3 * kPixelMm, Qt::SolidLine};
    TextBox level = TextBox::field({10.6, 1.1, 54, 4.5}, Riven, arial(10));
    level.color = Qt::blue;
    detail.texts.push_back(level);
    TextBox picture = TextBox::field({65.6, 0, kWidth - 65.6, 4.5}, Mal, arial(10));
    picture.color = Qt::blue;
    detail.texts.push_back(picture);
    // The number ends where its ")" stands.
    detail.texts.push_back(
        TextBox::field({4.3, 6.3, 10.5, 4.5}, Num, arial(10), Qt::AlignRight | Qt::AlignTop));
    detail.texts.push_back(TextBox::label({14.8, 6.3, 4, 4.5}, u")"_s, arial(10)));
    // The question: a fixed box of three lines; the rest is not printed.
    TextBox question = TextBox::field({19.1, 6.3, 171.2, 9.8}, Zap, arial(9));
    question.wrap = true;
    question.maxLines = 3;
    detail.texts.push_back(question);
    const struct {
        const char16_t* letter;
        Field field;
        double top;
    } answers[] = {
        {u"a)", V1, 16.9}, {u"b)", V2, 23.3}, {u"c)", V3, 30.7},
        {u"d)", V4, 37.0}, {u"e)", V5, 43.4},
    };
    for (const auto& a : answers) {
        detail.texts.push_back(
            TextBox::label({4.2, a.top, 6, 4}, QString::fromUtf16(a.letter), arial(9)));
        TextBox answer = TextBox::field({10.6, a.top, kWidth - 10.6, 4}, a.field, arial(9));
        answer.grow = true;
        detail.texts.push_back(answer);
    }

    r.rows = std::move(rows);
    return r;
}

report::Report testReport(const QString& testFileName, const std::vector<PrintTestRow>& rows,
                          const QDateTime& printedAt) {
    std::vector<QStringList> values;
    values.reserve(rows.size());
    for (const PrintTestRow& row : rows)
        values.push_back(row.values());
    return testReport(testFileName, std::move(values), printedAt);
}

} // namespace zorvik
