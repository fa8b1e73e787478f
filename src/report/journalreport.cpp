#include "journalreport.h"

#include "core/localetext.h"
#include "core/rounding.h"

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

constexpr double kMargin = 10;   // mm on every side
constexpr double kPadding = 0.8; // mm inside each column

using report::arial;

// Left edge of each column, mm.
std::vector<double> columnLefts() {
    std::vector<double> lefts;
    double x = 0;
    for (double w : journalReportColumnWidths()) {
        lefts.push_back(x);
        x += w;
    }
    return lefts;
}

Qt::Alignment columnAlign(int column) {
    switch (column) {
    case JournalModel::ColName:
    case JournalModel::ColGroup:
    case JournalModel::ColTest:
        return Qt::AlignLeft | Qt::AlignVCenter;
    default:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    }
}

QString averageText(double value) {
    return numberText(roundTo(value, 2));
}

} // namespace

QString journalReportTitle(const QString& journalFile) {
    return u"Журнал успішності - "_s + journalFile;
}

const std::vector<double>& journalReportColumnWidths() {
    // 277 mm: the printable width of landscape A4 between 10 mm margins.
    static const std::vector<double> widths = {10, 19, 17, 58, 30, 62, 12, 12, 17, 14, 14, 12};
    return widths;
}

const QStringList& journalReportColumnTitles() {
    static const QStringList titles = {
        u"№з/п"_s,       u"Дата"_s,  u"Час"_s,    u"Прізвище,ім\"я,по-батькові"_s,
        u"Група (кл)"_s, u"Тест"_s,  u"С.оц."_s,  u"Зап."_s,
        u"Мах.балів"_s,  u"Балів"_s, u"Оцінка"_s, u"Пер."_s,
    };
    return titles;
}

report::Report journalReport(const QString& journalFile, const std::vector<JournalReportRow>& rows,
                             const QDateTime& printedAt) {
    using report::Band;
    using report::TextBox;

    report::Report r;
    r.title = journalReportTitle(journalFile);
    r.pageLayout =
        report::Report::a4(QPageLayout::Landscape, QMarginsF(kMargin, kMargin, kMargin, kMargin));
    const auto& widths = journalReportColumnWidths();
    const auto lefts = columnLefts();
    const double width = lefts.back() + widths.back();

    r.pageHeader.height = 16;
    r.pageHeader.texts.push_back(TextBox::label({0, 0, width, 8}, u"ЖУРНАЛ УСПІШНОСТІ"_s,
                                                arial(14, true), Qt::AlignHCenter | Qt::AlignTop));
    const QString stamp =
        shortDateText(printedAt.date()) + u"  "_s + longTimeText(printedAt.time());
    r.pageHeader.texts.push_back(TextBox::label({0, 8.5, width, 6}, stamp, arial(10, false, true),
                                                Qt::AlignHCenter | Qt::AlignTop));

    r.columnHeader.height = 7;
    r.columnHeader.background = Qt::black;
    const QStringList& titles = journalReportColumnTitles();
    for (int c = 0; c < JournalModel::ColumnCount; ++c) {
        TextBox box = TextBox::label({lefts[size_t(c)], 0, widths[size_t(c)], 7}, titles[c],
                                     arial(8, true), Qt::AlignCenter);
        box.color = Qt::white;
        r.columnHeader.texts.push_back(box);
    }

    r.detail.height = 4.6;
    r.detail.bottomRule = report::Rule{0.1, Qt::SolidLine, QColor(0xB0, 0xB0, 0xB0)};
    for (int c = 0; c < JournalModel::ColumnCount; ++c) {
        const QRectF box(lefts[size_t(c)] + kPadding, 0, widths[size_t(c)] - 2 * kPadding, 4.6);
        r.detail.texts.push_back(TextBox::field(box, c, arial(7), columnAlign(c)));
    }

    r.summary.height = 7;
    r.summary.topRule = report::Rule{0.4};
    r.summary.bottomRule = report::Rule{0.4};
    const double labelWidth = lefts[JournalModel::ColPoints] - kPadding;
    r.summary.texts.push_back(TextBox::label({0, 0, labelWidth, 7}, u"Середній бал (оцінка)"_s,
                                             arial(8, true), Qt::AlignRight | Qt::AlignVCenter));
    const auto averages = journalAverages(rows);
    const auto averageBox = [&](int column, const QString& text) {
        return TextBox::label({lefts[size_t(column)], 0, widths[size_t(column)], 7}, text,
                              arial(8, true), Qt::AlignCenter);
    };
    r.summary.texts.push_back(
        averageBox(JournalModel::ColPoints, averages ? averageText(averages->points) : QString()));
    r.summary.texts.push_back(
        averageBox(JournalModel::ColGrade, averages ? averageText(averages->grade) : QString()));

    r.pageFooter.height = 6;
    r.pageFooter.texts.push_back(report::TextBox::pageNumber({0, 1.5, width, 4.5}, arial(8)));

    r.rows.reserve(rows.size());
    for (const JournalReportRow& row : rows)
        r.rows.push_back(row.texts());
    return r;
}

} // namespace zorvik
