// A large journal: loading 100,000 entries into the grid's model, the texts of
// all its cells, the workbook, the CSV and the printed report.
#include "core/atomicfile.h"
#include "core/journalexport.h"
#include "core/journalfile.h"
#include "report/journalreport.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {

QTemporaryDir& workDir() {
    static QTemporaryDir dir;
    return dir;
}

// A journal file of `count` entries, made once per size.
QString journalOf(int count) {
    const QString path = workDir().filePath(u"j%1.ocn"_s.arg(count));
    if (QFileInfo::exists(path))
        return path;
    QByteArray bytes;
    bytes.reserve(qsizetype(count) * JournalRecord::Size);
    for (int i = 0; i < count; ++i) {
        JournalRecord e;
        e.EntryNo = i;
        e.Date = u"08.12.26"_s;
        e.Time = u"10:%1:%2"_s.arg(i / 60 % 60, 2, 10, QChar(u'0')).arg(i % 60, 2, 10, QChar(u'0'));
        e.StudentName = u"Прізвище%1 Ім'я По-батькові"_s.arg(i % 997);
        e.Group = u"%1-А клас"_s.arg(i % 11 + 1);
        e.TestName = u"Тест_%1.tsm"_s.arg(i % 37);
        e.GradeScale = 12;
        e.QuestionCount = 20;
        e.MaxPoints = 40;
        e.Points = (i % 161) * 0.25;
        e.Grade = i % 12 + 1;
        e.Interrupted = i % 9 == 0 ? u"Пер."_s : QString();
        bytes += e.encode();
    }
    writeFileAtomically(path, bytes);
    return path;
}

void loadIntoModel(benchmark::State& state) {
    const QString path = journalOf(int(state.range(0)));
    for (auto _ : state) {
        JournalModel model;
        model.setRecords(readJournal(path));
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void reloadUnchanged(benchmark::State& state) {
    const QString path = journalOf(int(state.range(0)));
    JournalModel model;
    model.setRecords(readJournal(path));
    for (auto _ : state)
        model.setRecords(readJournal(path));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void allCellTexts(benchmark::State& state) {
    JournalModel model;
    model.setRecords(readJournal(journalOf(int(state.range(0)))));
    for (auto _ : state) {
        qsizetype n = 0;
        for (int r = 0; r < model.rowCount(); ++r)
            n += model.rowTexts(r).size();
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void writeWorkbook(benchmark::State& state) {
    JournalModel model;
    model.setRecords(readJournal(journalOf(int(state.range(0)))));
    const QString out = workDir().filePath(u"out.xlsx"_s);
    for (auto _ : state)
        writeJournalWorkbook(out, model);
    state.counters["bytes"] = double(QFileInfo(out).size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void writeCsv(benchmark::State& state) {
    JournalModel model;
    model.setRecords(readJournal(journalOf(int(state.range(0)))));
    for (auto _ : state)
        benchmark::DoNotOptimize(journalCsv(model).size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void writeReportPdf(benchmark::State& state) {
    JournalModel model;
    model.setRecords(readJournal(journalOf(int(state.range(0)))));
    const QString out = workDir().filePath(u"out.pdf"_s);
    int pages = 0;
    for (auto _ : state)
        pages = journalReport(u"j.ocn"_s, journalReportRows(model), QDateTime::currentDateTime())
                    .writePdf(out);
    state.counters["pages"] = pages;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(loadIntoModel)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(reloadUnchanged)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(allCellTexts)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(writeWorkbook)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(writeCsv)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(writeReportPdf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The report draws text: a GUI application, without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
