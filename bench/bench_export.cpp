// A test of 1500 questions on paper: the export (text file and document, with
// a picture in every tenth question), the printed test as PDF, and the
// question list as a document and a workbook.
#include "core/atomicfile.h"
#include "core/editing.h"
#include "core/questionlist.h"
#include "core/testexport.h"
#include "core/testprint.h"
#include "report/documentpicture.h"
#include "report/testreport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {

QTemporaryDir& workDir() {
    static QTemporaryDir dir;
    return dir;
}

QString picture(const char* format, const QString& name) {
    const QString path = workDir().filePath(name);
    if (!QFileInfo::exists(path)) {
        QImage image(320, 240, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
        image.save(path, format);
    }
    return path;
}

// A four-level test of `count` questions, made once per size.
QString testOf(int count) {
    const QString path = workDir().filePath(u"t%1.tsr"_s.arg(count));
    if (QFileInfo::exists(path))
        return path;
    const QString jpeg = picture("JPEG", u"p.jpg"_s);
    const QString bmp = picture("BMP", u"p.bmp"_s);
    QByteArray bytes = encodeQuestion(emptyQuestion(TestKind::Tsr), TestKind::Tsr);
    for (int i = 1; i <= count; ++i) {
        Question q = emptyQuestion(TestKind::Tsr);
        q.Question = u"Запитання %1: яке з наведених тверджень щодо теми уроку є правильним "
                     u"і найповніше описує явище, про яке йшлося на занятті?"_s.arg(i);
        for (int k = 1; k <= 5; ++k)
            q.answer(k) =
                u"Відповідь %1 до запитання %2, сформульована повним реченням"_s.arg(k).arg(i);
        q.correct(i % 5 + 1) = true;
        q.LevelLow = i % 4 == 0;
        q.LevelMedium = i % 4 == 1;
        q.LevelSufficient = i % 4 == 2;
        q.LevelHigh = i % 4 == 3;
        if (i % 10 == 0)
            q.PictureFile = i % 20 == 0 ? jpeg : bmp;
        if (i % 7 == 0)
            q.AudioFile = u"/media/звук%1.mp3"_s.arg(i);
        bytes += encodeQuestion(q, TestKind::Tsr);
    }
    writeFileAtomically(path, bytes);
    return path;
}

void exportTest(benchmark::State& state) {
    const QString test = testOf(int(state.range(0)));
    qint64 bytes = 0;
    for (auto _ : state) {
        const PreparedExport p = prepareTestExport(test, TestKind::Tsr, true, loadDocumentPicture);
        writeTestExport(p);
        bytes = p.document.size() + p.text.size();
    }
    state.counters["bytes"] = double(bytes);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void printToPdf(benchmark::State& state) {
    const QString test = testOf(int(state.range(0)));
    const QString out = workDir().filePath(u"t.pdf"_s);
    int pages = 0;
    for (auto _ : state)
        pages =
            testReport(test, loadPrintTestRows(test, TestKind::Tsr), QDateTime::currentDateTime())
                .writePdf(out);
    state.counters["pages"] = pages;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void questionListDocuments(benchmark::State& state) {
    const QString test = testOf(int(state.range(0)));
    for (auto _ : state) {
        const auto entries = loadQuestionList(test, TestKind::Tsr);
        writeFileAtomically(questionListDocumentName(test),
                            rtf::write(questionListDocument(test, TestKind::Tsr, entries)));
        questionListWorkbook(questionListCells(entries, TestKind::Tsr))
            .save(questionListWorkbookName(test));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(exportTest)->Arg(1500)->Unit(benchmark::kMillisecond);
BENCHMARK(printToPdf)->Arg(1500)->Unit(benchmark::kMillisecond);
BENCHMARK(questionListDocuments)->Arg(1500)->Unit(benchmark::kMillisecond);

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
