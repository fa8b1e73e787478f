// Sixteen copies of the program give 200 runs each into one journal and one
// result log, while the teacher deletes journal entries: no entry is lost or
// doubled, no block of the log is cut or mixed with another.
#include "core/cp1251.h"
#include "core/journaledit.h"
#include "core/journalfile.h"
#include "support/runparams.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <map>
#include <memory>
#include <thread>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {

constexpr int kCopies = 16;
constexpr int kRuns = 200;
constexpr int kTotal = kCopies * kRuns;
constexpr int kBlockLines = 16; // header 8, three answers, end 5
const QString kTitle = u"          Результат тестування"_s;

QString studentName(int copy) {
    return u"Учень %1"_s.arg(copy, 2, 10, QChar(u'0'));
}

} // namespace

class ConcurrencyTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString path(const QString& name) const { return dir_.filePath(name); }
    void writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    QByteArray bytesOf(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
        QVERIFY(dir_.isValid());
        QByteArray test = TsmRecord::empty().encode();
        for (int i = 1; i <= 3; ++i) {
            TsmRecord q;
            q.Question = u"Запитання %1"_s.arg(i);
            q.Answer1 = u"так"_s;
            q.Answer2 = u"ні"_s;
            q.Correct1 = true;
            test += q.encode();
        }
        writeFile(u"math.tsm"_s, test);
        writeFile(u"test.ns1"_s,
                  testing::oneLevelRun(u"math.tsm"_s, 3, 3, path(u"9a.ocn"_s), 1).encode());
        writeFile(u"9a.ocn"_s, {});
    }

    void appendsWhileDeleting() {
        const QString journal = path(u"9a.ocn"_s);
        QElapsedTimer clock;
        clock.start();

        // The teacher deletes entries meanwhile, each one known by its bytes.
        std::atomic<bool> stop = false;
        std::vector<JournalRecord> deleted;
        QString deleterError;
        std::thread deleter([&] {
            QRandomGenerator random(7);
            try {
                while (!stop) {
                    const std::vector<JournalRecord> seen = readJournal(journal);
                    if (!seen.empty()) {
                        const auto i = random.bounded(qint64(seen.size()));
                        if (deleteJournalEntry(journal, i, seen[size_t(i)]))
                            deleted.push_back(seen[size_t(i)]);
                    }
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                }
            } catch (const FileError& e) {
                deleterError = e.message();
            }
        });

        std::vector<std::unique_ptr<QProcess>> copies;
        for (int c = 0; c < kCopies; ++c) {
            auto p = std::make_unique<QProcess>();
            p->setWorkingDirectory(dir_.path()); // the program directory
            p->setStandardOutputFile(QProcess::nullDevice());
            p->start(QString::fromUtf8(ZORVIK_RUNLOOP),
                     {QString::number(kRuns), studentName(c), path(u"math.tsm"_s), u"--group"_s,
                      u"9-А"_s, u"--answers"_s, u"1;2;1,2"_s, u"--seed"_s, u"1"_s, u"--at"_s,
                      u"2026-12-08T09:00:00"_s});
            copies.push_back(std::move(p));
        }
        QStringList failures;
        for (int c = 0; c < kCopies; ++c) {
            QProcess& p = *copies[size_t(c)];
            if (!p.waitForFinished(100000) || p.exitStatus() != QProcess::NormalExit ||
                p.exitCode() != 0)
                failures.append(studentName(c) + u": "_s +
                                QString::fromUtf8(p.readAllStandardError()));
        }
        stop = true;
        deleter.join();
        const qint64 ms = clock.elapsed();
        qInfo("%d copies x %d runs, %zu entries deleted meanwhile: %lld ms", kCopies, kRuns,
              deleted.size(), ms);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
        QVERIFY2(deleterError.isEmpty(), qPrintable(deleterError));
        QVERIFY2(deleted.size() >= 20, "too few deletions to mean anything");

        // Nothing but the files the runs write: no torn tail, fallback
        // journal, temporary or lock file.
        const QStringList files = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
        QVERIFY2(files == (QStringList{u"9a.ocn"_s, u"math.tsm"_s, u"result.txt"_s, u"test.ns1"_s}),
                 qPrintable(files.join(u", "_s)));

        // Every run's entry is there or was deleted, once; each copy's in the
        // order it ran. An entry is numbered by the entries it found, so its
        // number is at least its place and below the runs there were.
        QCOMPARE(bytesOf(u"9a.ocn"_s).size() % JournalRecord::Size, 0);
        const std::vector<JournalRecord> kept = readJournal(journal);
        QCOMPARE(qsizetype(kept.size()), qsizetype(kTotal) - qsizetype(deleted.size()));
        const QRegularExpression who(u"^Учень (\\d\\d)-(\\d\\d\\d)$"_s);
        std::map<QString, int> seen;
        std::vector<int> lastRun(kCopies, -1);
        JournalRecord like = kept.front();
        for (size_t i = 0; i < kept.size(); ++i) {
            const JournalRecord& e = kept[i];
            const auto m = who.match(e.StudentName);
            QVERIFY2(m.hasMatch(), qPrintable(e.StudentName));
            const int copy = m.captured(1).toInt();
            const int run = m.captured(2).toInt();
            QVERIFY(copy < kCopies && run < kRuns);
            QVERIFY2(run > lastRun[size_t(copy)], qPrintable(e.StudentName));
            lastRun[size_t(copy)] = run;
            QVERIFY2(e.EntryNo >= qint32(i) && e.EntryNo < kTotal, qPrintable(e.StudentName));
            like.EntryNo = e.EntryNo;
            like.StudentName = e.StudentName;
            QVERIFY2(e == like, qPrintable(e.StudentName));
            ++seen[e.StudentName];
        }
        for (const JournalRecord& e : deleted) {
            QVERIFY(e.EntryNo >= 0 && e.EntryNo < kTotal);
            ++seen[e.StudentName];
        }
        QCOMPARE(int(seen.size()), kTotal);
        for (const auto& [name, times] : seen)
            QVERIFY2(times == 1, qPrintable(name));

        // The log: one whole block per run, each as the first one but for the name.
        const QString log = fromCp1251(bytesOf(u"result.txt"_s));
        QCOMPARE(log.count(kTitle), kTotal);
        QCOMPARE(log.count(u"\r\n  Оцінка (12): "_s), kTotal);
        const QStringList lines = log.split(u"\r\n"_s);
        QCOMPARE(lines.size(), kTotal * kBlockLines + 1);
        QCOMPARE(lines.last(), QString());
        const QStringList first = lines.mid(0, kBlockLines);
        QCOMPARE(first[0], kTitle);
        QVERIFY(first[3].startsWith(u" Прізвище: "_s));
        QVERIFY(first[14].startsWith(u"  Оцінка (12): "_s));
        std::map<QString, int> blocks;
        for (int b = 0; b < kTotal; ++b) {
            QStringList block = lines.mid(b * kBlockLines, kBlockLines);
            const QString name = block[3].mid(11);
            ++blocks[name];
            block[3] = first[3];
            QVERIFY2(block == first, qPrintable(u"the block of "_s + name));
        }
        QCOMPARE(int(blocks.size()), kTotal);
        for (const auto& [name, times] : blocks)
            QVERIFY2(times == 1 && seen.count(name), qPrintable(name));
    }
};

QTEST_GUILESS_MAIN(ConcurrencyTest)
#include "tst_concurrency.moc"
