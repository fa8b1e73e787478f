// The printed journal read back from its PDF.
#include "report/journalreport.h"
#include "support/pdftext.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;
using zorvik::testing::havePdfToText;
using zorvik::testing::pdfText;

namespace {

std::vector<JournalReportRow> rowsOf(int count) {
    JournalModel model;
    std::vector<JournalRecord> entries;
    for (int i = 0; i < count; ++i) {
        JournalRecord e;
        e.EntryNo = i;
        e.Date = u"08.12.26"_s;
        e.Time = u"10:15:00"_s;
        e.StudentName = u"Учень номер %1"_s.arg(i + 1);
        e.Group = i == 1 ? u"ГрупаДевятнадцятьX"_s + u"Z"_s : u"9-А"_s; // 19 characters
        e.TestName = u"історія.tsm"_s;
        e.GradeScale = 12;
        e.QuestionCount = 10;
        e.MaxPoints = 20;
        e.Points = i % 2 ? 7.5 : 10.25; // 10.25, 7.5, 10.25: mean 9.33
        e.Grade = 6 + i % 3;            // 6, 7, 8: mean 7
        entries.push_back(e);
    }
    model.setRecords(entries);
    return journalReportRows(model);
}

} // namespace

class JournalReportTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
        QVERIFY2(havePdfToText(), "pdftotext is needed: it is not installed "
                                  "(scripts/install-deps.sh installs poppler-utils)");
    }

    void onePage() {
        const QString file = u"/школа/jurnal.ocn"_s;
        const report::Report r =
            journalReport(file, rowsOf(3), QDateTime(QDate(2026, 12, 8), QTime(21, 54, 37)));
        QCOMPARE(r.title, u"Журнал успішності - /школа/jurnal.ocn"_s);
        QCOMPARE(r.pageLayout.orientation(), QPageLayout::Landscape);
        QCOMPARE(r.pageLayout.pageSize().id(), QPageSize::A4);
        const QString pdf = dir_.filePath(u"one.pdf"_s);
        QCOMPARE(r.writePdf(pdf), 1);
        const QString text = pdfText(pdf, 1);
        for (const QString& t : journalReportColumnTitles())
            QVERIFY2(text.contains(t), qPrintable(t));
        QVERIFY(text.contains(u"Прізвище,ім\"я,по-батькові"_s));
        QVERIFY(text.contains(u"ЖУРНАЛ УСПІШНОСТІ"_s));
        QVERIFY(text.contains(u"08.12.26"_s));
        QVERIFY(text.contains(u"21:54:37"_s));
        QVERIFY(text.contains(u"Учень номер 3"_s));
        // The group is cut to 18 characters.
        QVERIFY(text.contains(u"ГрупаДевятнадцятьX"_s));
        QVERIFY(!text.contains(u"ГрупаДевятнадцятьXZ"_s));
        // Averages of the points (10.25, 7.5, 10.25) and the grades (6, 7, 8).
        const QString summary = text.mid(text.indexOf(u"Середній бал (оцінка)"_s));
        QVERIFY(!summary.isEmpty());
        QCOMPARE(summary.simplified(), u"Середній бал (оцінка) 9,33 7 1"_s);
    }

    void manyPages() {
        const QString pdf = dir_.filePath(u"many.pdf"_s);
        const int pages =
            journalReport(u"j.ocn"_s, rowsOf(120), QDateTime::currentDateTime()).writePdf(pdf);
        QVERIFY(pages >= 3);
        for (int p = 1; p <= pages; ++p) {
            const QString text = pdfText(pdf, p);
            QVERIFY(text.contains(u"ЖУРНАЛ УСПІШНОСТІ"_s));
            QCOMPARE(text.contains(u"Оцінка"_s), p == 1); // column titles on page 1
            QCOMPARE(text.contains(u"Середній бал"_s), p == pages);
            QVERIFY(text.trimmed().endsWith(QString::number(p)));
        }
        QVERIFY(pdfText(pdf, pages).contains(u"Учень номер 120"_s));
    }

    void emptyJournalStillPrints() {
        const QString pdf = dir_.filePath(u"empty.pdf"_s);
        QCOMPARE(journalReport(u"j.ocn"_s, {}, QDateTime::currentDateTime()).writePdf(pdf), 1);
        QVERIFY(pdfText(pdf, 1).contains(u"Середній бал (оцінка)"_s));
    }
};

QTEST_MAIN(JournalReportTest)
#include "tst_journalreport.moc"
