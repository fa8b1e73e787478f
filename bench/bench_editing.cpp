// Insert, Delete and Save in the middle of a 1500-question one-level test
// file, against plain copying of the same file.
#include "core/atomicfile.h"
#include "core/editing.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {
constexpr int kQuestions = 1500;
constexpr int kMiddle = kQuestions / 2;

struct TestFile {
    QTemporaryDir dir;
    QString path = dir.filePath(u"big.tsm"_s);

    TestFile() {
        QByteArray bytes;
        for (int i = 0; i <= kQuestions; ++i) {
            Question q = emptyQuestion(TestKind::Tsm);
            q.Question = u"Питання номер %1: скільки буде %1 + %1?"_s.arg(i);
            for (int k = 1; k <= 5; ++k)
                q.answer(k) = u"Відповідь %1"_s.arg(k);
            q.Correct2 = true;
            bytes += encodeQuestion(q, TestKind::Tsm);
        }
        writeFileAtomically(path, bytes);
    }
};

void BM_Insert(benchmark::State& state) {
    TestFile f;
    EditSession s;
    s.open(f.path, TestKind::Tsm);
    for (auto _ : state) {
        s.read(kMiddle);
        s.insertEmpty();
        state.PauseTiming();
        s.removeCurrent(); // back to 1500 questions
        state.ResumeTiming();
    }
}

void BM_Delete(benchmark::State& state) {
    TestFile f;
    EditSession s;
    s.open(f.path, TestKind::Tsm);
    for (auto _ : state) {
        s.read(kMiddle);
        s.removeCurrent();
        state.PauseTiming();
        s.insertEmpty(); // back to 1500 questions
        state.ResumeTiming();
    }
}

void BM_Save(benchmark::State& state) {
    TestFile f;
    EditSession s;
    s.open(f.path, TestKind::Tsm);
    Question q = s.read(kMiddle);
    for (auto _ : state) {
        q.Answer1 = q.Answer1 == u"a"_s ? u"b"_s : u"a"_s;
        s.save(q);
    }
}

void BM_Copy(benchmark::State& state) {
    TestFile f;
    const QString target = f.dir.filePath(u"copy.tsm"_s);
    for (auto _ : state) {
        QFile::remove(target);
        if (!QFile::copy(f.path, target))
            state.SkipWithError("copy failed");
    }
}
} // namespace

BENCHMARK(BM_Insert)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Delete)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Copy)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
