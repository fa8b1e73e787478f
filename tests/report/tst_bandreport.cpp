// The banded report: where bands land on pages, growing boxes, and the pages
// of the PDF as a reader extracts them.
#include "report/bandreport.h"
#include "report/testreport.h"
#include "support/pdftext.h"

#include "core/fileerror.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <set>

using namespace Qt::StringLiterals;
using namespace zorvik;
using report::PlacedBand;
using zorvik::testing::havePdfToText;
using zorvik::testing::pdfText;

namespace {

QFont arial(double points) {
    QFont f(u"Arial"_s);
    f.setPointSizeF(points);
    return f;
}

// Portrait A4 between 10 mm margins: 277 mm of height. Page 1 holds the
// header (19) and the column titles (7), the others only the header; the
// footer takes 10 at the bottom, so 24 rows of 10 mm fit on every page.
report::Report sample(int rows) {
    report::Report r;
    r.pageLayout = report::Report::a4(QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
    r.pageHeader.height = 19;
    r.pageHeader.texts.push_back(report::TextBox::label({0, 0, 190, 8}, u"HEADER"_s, arial(12)));
    r.columnHeader.height = 7;
    r.columnHeader.texts.push_back(report::TextBox::label({0, 0, 190, 6}, u"TITLES"_s, arial(9)));
    r.detail.height = 10;
    r.detail.texts.push_back(report::TextBox::field({0, 0, 40, 8}, 0, arial(9)));
    r.summary.height = 15;
    r.summary.texts.push_back(report::TextBox::label({0, 0, 190, 8}, u"SUMMARY"_s, arial(9)));
    r.pageFooter.height = 10;
    r.pageFooter.texts.push_back(
        report::TextBox::pageNumber({0, 2, 190, 6}, arial(9), u"page %1 of %2"_s));
    for (int i = 0; i < rows; ++i)
        r.rows.push_back({u"row%1"_s.arg(i + 1)});
    return r;
}

struct PageCounts {
    int details = 0;
    bool header = false, titles = false, summary = false, footer = false;
};

std::vector<PageCounts> countsOf(const std::vector<std::vector<PlacedBand>>& pages) {
    std::vector<PageCounts> counts;
    for (const auto& page : pages) {
        PageCounts c;
        for (const PlacedBand& b : page) {
            c.details += b.kind == PlacedBand::Detail;
            c.header = c.header || b.kind == PlacedBand::PageHeader;
            c.titles = c.titles || b.kind == PlacedBand::ColumnHeader;
            c.summary = c.summary || b.kind == PlacedBand::Summary;
            c.footer = c.footer || b.kind == PlacedBand::PageFooter;
        }
        counts.push_back(c);
    }
    return counts;
}

} // namespace

class BandReportTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    std::vector<std::vector<PlacedBand>> layout(const report::Report& r) {
        QPdfWriter writer(dir_.filePath(u"layout.pdf"_s));
        writer.setPageLayout(r.pageLayout);
        writer.setResolution(300);
        return r.paginate(writer);
    }

private slots:
    void pagination_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("details"); // per page
        QTest::addColumn<int>("summaryPage");    // from 1
        QTest::newRow("no rows") << 0 << QList<int>{0} << 1;
        QTest::newRow("one page") << 10 << QList<int>{10} << 1;
        QTest::newRow("three pages") << 60 << QList<int>{24, 24, 12} << 3;
        QTest::newRow("summary alone on a new page") << 48 << QList<int>{24, 24, 0} << 3;
    }
    void pagination() {
        QFETCH(int, rows);
        QFETCH(QList<int>, details);
        QFETCH(int, summaryPage);
        const auto pages = layout(sample(rows));
        const auto counts = countsOf(pages);
        QCOMPARE(qsizetype(counts.size()), details.size());
        for (size_t p = 0; p < counts.size(); ++p) {
            QCOMPARE(counts[p].details, details[qsizetype(p)]);
            QVERIFY(counts[p].header);
            QVERIFY(counts[p].footer);
            QCOMPARE(counts[p].titles, p == 0); // column titles on the first page only
            QCOMPARE(counts[p].summary, int(p) + 1 == summaryPage);
        }
        // The footer sits at the bottom of the printable area.
        QVERIFY(qAbs(pages[0].back().top + pages[0].back().height - 277) < 0.2);
    }

    void columnTitlesOnEveryPage() {
        report::Report r = sample(60);
        r.columnHeaderOnEveryPage = true;
        const auto counts = countsOf(layout(r));
        QCOMPARE(counts.size(), size_t(3));
        QVERIFY(counts[1].titles && counts[2].titles);
        QCOMPARE(counts[1].details, 24);
    }

    void growingBoxGrowsItsBand() {
        report::Report r = sample(3);
        report::TextBox box = report::TextBox::field({50, 1, 30, 4}, 0, arial(9));
        box.grow = true;
        r.detail.texts.push_back(box);
        r.rows[1][0] = QString(40, u'ш').replace(5, 1, u' ').replace(20, 1, u' ');
        const auto pages = layout(r);
        std::vector<double> heights;
        for (const PlacedBand& b : pages[0])
            if (b.kind == PlacedBand::Detail)
                heights.push_back(b.height);
        QCOMPARE(heights.size(), size_t(3));
        QCOMPARE(heights[0], 10.0);
        QVERIFY2(heights[1] > 11, qPrintable(QString::number(heights[1])));
        QCOMPARE(heights[2], 10.0);
    }

    void bandTallerThanAPageTakesOnePageEach() {
        report::Report r = sample(3);
        r.detail.height = 400;
        const auto counts = countsOf(layout(r));
        QCOMPARE(counts.size(), size_t(4)); // the summary follows on its own page
        QCOMPARE(counts[0].details + counts[1].details + counts[2].details, 3);
    }

    void pdfPagesAndNumbers() {
        QVERIFY2(havePdfToText(), "pdftotext is needed: it is not installed "
                                  "(scripts/install-deps.sh installs poppler-utils)");
        const QString pdf = dir_.filePath(u"sample.pdf"_s);
        QCOMPARE(sample(60).writePdf(pdf), 3);
        for (int p = 1; p <= 3; ++p) {
            const QString text = pdfText(pdf, p);
            QVERIFY(text.contains(u"HEADER"_s));
            QVERIFY(text.contains(u"page %1 of 3"_s.arg(p)));
            QCOMPARE(text.contains(u"TITLES"_s), p == 1);
            QCOMPARE(text.contains(u"SUMMARY"_s), p == 3);
        }
        QVERIFY(pdfText(pdf, 2).contains(u"row25"_s));
        QVERIFY(pdfText(pdf, 3).contains(u"row60"_s));
    }

    // The printed test's question box holds three whole lines of its text;
    // the rest is not printed, and no line is cut in half.
    void questionBoxPrintsThreeWholeLines() {
        QVERIFY2(havePdfToText(), "pdftotext is needed: it is not installed");
        PrintTestRow row;
        row.Num = 1;
        for (int i = 1; i <= 60; ++i)
            row.Zap += u"слово%1 "_s.arg(i);
        row.V1 = u"перша"_s;
        const QString pdf = dir_.filePath(u"test.pdf"_s);
        testReport(u"t.tsm"_s, {row}, QDateTime(QDate(2026, 12, 11), QTime(9, 0))).writePdf(pdf);
        const auto mm = [](double v) { return v / 72.0 * 25.4; };
        // Page margin 10, title band 19.8, the box at 6.3 in the band, 9.8 high.
        const double boxTop = 10 + 19.8 + 6.3, boxBottom = boxTop + 9.8;
        std::set<long> lines;
        int printed = 0;
        for (const testing::PdfWord& w : testing::pdfWords(pdf)) {
            if (!w.text.startsWith(u"слово"_s))
                continue;
            ++printed;
            lines.insert(std::lround(mm(w.top) * 10));
            QVERIFY2(mm(w.top) >= boxTop - 0.5 && mm(w.bottom) <= boxBottom + 0.5,
                     qPrintable(w.text));
        }
        QCOMPARE(lines.size(), size_t(3));
        QVERIFY(printed > 0 && printed < 60);
    }

    void failedPdfLeavesNothing() {
        QVERIFY_THROWS_EXCEPTION(FileError, sample(1).writePdf(dir_.filePath(u"no/dir/x.pdf"_s)));
    }
};

QTEST_MAIN(BandReportTest)
#include "tst_bandreport.moc"
