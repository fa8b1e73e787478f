// Every command that writes a teacher's file, under the fault loop: each
// file-system operation in turn fails (no space, access denied), each write in
// turn is cut short, each sync in turn finds the disk full. After every
// failure each file is as it was or as the command makes it, the failure
// carries the system's reason, and no temporary file is left.
#include "core/atomicfile.h"
#include "core/filetools.h"
#include "core/journaledit.h"
#include "core/journalexport.h"
#include "core/journalfile.h"
#include "core/journalmodel.h"
#include "core/jsonio.h"
#include "core/paramfiles.h"
#include "core/questionlist.h"
#include "core/questiontext.h"
#include "core/resultlog.h"
#include "core/rtf.h"
#include "core/runengine.h"
#include "core/testexport.h"
#include "core/testfile.h"
#include "support/faultloop.h"
#include "support/runparams.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

namespace {

class FixedClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 8), QTime(9, 30)); }
    qint64 monotonicMs() const override { return 0; }
};

class FirstRandom final : public RandomSource {
public:
    int bounded(int) override { return 0; }
};

template <typename R> QByteArray testBytes(int questions, const QString& tag) {
    QByteArray bytes = R::empty().encode();
    for (int i = 1; i <= questions; ++i) {
        R q = R::empty();
        q.Question = tag + QString::number(i);
        q.Answer1 = u"так"_s;
        q.Answer2 = u"ні"_s;
        q.Correct1 = true;
        bytes += q.encode();
    }
    return bytes;
}

JournalRecord entry(int no) {
    JournalRecord r;
    r.EntryNo = no;
    r.Date = u"08.12.2026"_s;
    r.Time = u"09:30:00"_s;
    r.StudentName = u"Учень %1"_s.arg(no);
    r.Group = u"9-А"_s;
    r.TestName = u"math.tsm"_s;
    r.GradeScale = 12;
    r.Grade = 7;
    r.Points = 3.5;
    return r;
}

// A workbook carries the time it was made, so two clean runs differ in a few
// bytes: a whole zip (its central directory ending right before its end
// record) counts as the new one.
bool isWholeZip(const QByteArray& bytes) {
    if (bytes.size() < 22 || !bytes.startsWith("PK\x03\x04"))
        return false;
    const QByteArrayView end = QByteArrayView(bytes).last(22);
    if (!end.startsWith("PK\x05\x06"))
        return false;
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(end.data() + at); };
    return qint64(u32(16)) + qint64(u32(12)) == bytes.size() - 22;
}

QString workbookCheck(const Snapshot& before, const Snapshot& done, const Snapshot& now) {
    Snapshot seen = now;
    for (auto& [name, bytes] : seen) {
        const auto d = done.find(name);
        if (name.endsWith(u".xlsx"_s) && d != done.end() && isWholeZip(bytes))
            bytes = d->second;
    }
    return perFileCheck(before, done, seen);
}

QByteArray journalBytes(int entries) {
    QByteArray bytes;
    for (int i = 0; i < entries; ++i)
        bytes += entry(i).encode();
    return bytes;
}

} // namespace

class FaultLoopTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    FaultyFileSystem fs_;
    Storage storage_{fs_};
    int total_ = 0;

    QString path(const QString& name) const { return dir_.filePath(name); }
    void put(const QString& name, const QByteArray& bytes) {
        writeFileAtomically(path(name), bytes);
    }
    // The folder holds exactly the files named.
    void reset(const std::map<QString, QByteArray>& files) {
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
        for (const auto& [name, bytes] : files)
            put(name, bytes);
    }
    void loop(const QString& name, std::function<void()> setUp, std::function<void()> command,
              decltype(FaultCommand::check) check = perFileCheck) {
        FaultCommand c;
        c.name = name;
        c.setUp = std::move(setUp);
        c.command = std::move(command);
        c.check = std::move(check);
        loop(c);
    }
    void loop(const FaultCommand& c) {
        const int cases = runFaultLoop(fs_, dir_.path(), c);
        qInfo("%s: %d cases", qPrintable(c.name), cases);
        total_ += cases;
    }

private slots:
    void cleanupTestCase() { qInfo("fault loop: %d (command, k) cases in all", total_); }

    void toolsAndFiles() {
        const QByteArray math = testBytes<TsmRecord>(6, u"Q"_s);
        const QByteArray other = testBytes<TsmRecord>(3, u"B"_s);
        const QByteArray old = testBytes<TsmRecord>(2, u"old"_s);
        const QByteArray oldTsr = testBytes<TsrRecord>(2, u"old"_s);
        const std::map<QString, QByteArray> files{{u"math.tsm"_s, math},
                                                  {u"b.tsm"_s, other},
                                                  {u"out.tsm"_s, old},
                                                  {u"math.tsr"_s, oldTsr},
                                                  {u"math2.tsm"_s, old}};
        const QByteArray json =
            recordsToJson(FileKind::Tsm, testBytes<TsmRecord>(2, u"N"_s)).toJson();
        loop(
            u"load"_s, [&] { reset(files); },
            [&] { storage_.replace(path(u"out.tsm"_s), recordsFromJson(FileKind::Tsm, json)); });
        loop(
            u"new"_s, [&] { reset(files); },
            [&] { createNewTestFile(path(u"out.tsm"_s), TestKind::Tsm, storage_); });
        loop(
            u"merge"_s, [&] { reset(files); },
            [&] {
                mergeTestFiles(path(u"math.tsm"_s), path(u"b.tsm"_s), path(u"out.tsm"_s), storage_);
            });
        loop(
            u"split"_s, [&] { reset(files); },
            [&] {
                splitTestFile(path(u"math.tsm"_s), 3, {path(u"math1.tsm"_s), path(u"math2.tsm"_s)},
                              storage_);
            });
        loop(
            u"convert"_s, [&] { reset(files); },
            [&] { convertTestFile(path(u"math.tsm"_s), path(u"math.tsr"_s), storage_); });
        loop(
            u"field text file"_s,
            [&] {
                reset({{u"long.txt"_s, "old text\r\n"}});
            },
            [&] { writeFieldTextFile(path(u"long.txt"_s), QString(400, u'ж'), storage_); });
    }

    void exports() {
        const std::map<QString, QByteArray> files{{u"math.tsm"_s, testBytes<TsmRecord>(4, u"Q"_s)},
                                                  {u"math_В.txt"_s, "old text"},
                                                  {u"math_В.doc"_s, "old document"},
                                                  {u"list.doc"_s, "old list"},
                                                  {u"list.xlsx"_s, "old book"},
                                                  {u"j.xlsx"_s, "old journal book"},
                                                  {u"j.csv"_s, "old csv"}};
        const auto noPicture = [](const QString&) { return std::optional<PictureData>(); };
        loop(
            u"export"_s, [&] { reset(files); },
            [&] {
                const PreparedExport prepared = prepareTestExport(
                    path(u"math.tsm"_s), TestKind::Tsm, true, noPicture, storage_);
                writeTestExport(prepared, storage_);
            });
        loop(
            u"question-list document"_s, [&] { reset(files); },
            [&] {
                const auto entries = loadQuestionList(path(u"math.tsm"_s), TestKind::Tsm);
                storage_.replace(
                    path(u"list.doc"_s),
                    rtf::write(questionListDocument(path(u"math.tsm"_s), TestKind::Tsm, entries)));
            });
        loop(
            u"question-list workbook"_s, [&] { reset(files); },
            [&] {
                const auto entries = loadQuestionList(path(u"math.tsm"_s), TestKind::Tsm);
                questionListWorkbook(questionListCells(entries, TestKind::Tsm))
                    .save(path(u"list.xlsx"_s), storage_);
            },
            workbookCheck);
    }

    void journals() {
        const std::map<QString, QByteArray> files{{u"j.ocn"_s, journalBytes(5)},
                                                  {u"j.xlsx"_s, "old journal book"},
                                                  {u"j.csv"_s, "old csv"}};
        loop(
            u"journal workbook"_s, [&] { reset(files); },
            [&] {
                JournalModel model;
                model.setRecords(readJournal(path(u"j.ocn"_s), storage_));
                writeJournalWorkbook(path(u"j.xlsx"_s), model, storage_);
            },
            workbookCheck);
        loop(
            u"journal csv"_s, [&] { reset(files); },
            [&] {
                JournalModel model;
                model.setRecords(readJournal(path(u"j.ocn"_s), storage_));
                storage_.replace(path(u"j.csv"_s), journalCsv(model));
            });
        loop(
            u"journal delete"_s, [&] { reset(files); },
            [&] { deleteJournalEntry(path(u"j.ocn"_s), 2, entry(2), storage_); });
        loop(
            u"journal clear"_s, [&] { reset(files); },
            [&] { clearJournal(path(u"j.ocn"_s), 5, storage_); });
        loop(
            u"result log"_s,
            [&] {
                reset({{u"result.txt"_s, "old block\r\n"}});
            },
            [&] {
                appendToResultLog(path(u"result.txt"_s), {u"рядок 1"_s, u"рядок 2"_s}, storage_);
            });
    }

    // A whole run: its log block, then ZapysZurnal; a journal that cannot
    // be written sends the entry to the default journal instead.
    void run() {
        const std::map<QString, QByteArray> files{{u"math.tsm"_s, testBytes<TsmRecord>(3, u"Q"_s)},
                                                  {u"j.ocn"_s, journalBytes(2)},
                                                  {u"jurnal.ocn"_s, journalBytes(1)},
                                                  {u"result.txt"_s, "old block\r\n"}};
        FixedClock clock;
        FirstRandom random;
        const auto command = [&] {
            AppState state;
            state.storage = &storage_;
            state.ProgramDir = dir_.path();
            state.TestFileName = path(u"math.tsm"_s);
            state.TestFileExt = u".tsm"_s;
            state.TestDir = dir_.path();
            state.Ns1Record = oneLevelRun(u"math.tsm"_s, 3, 3, path(u"j.ocn"_s), 1);
            state.JournalPath = path(u"j.ocn"_s);
            state.Run.StudentName = u"Петренко Іван"_s;
            state.Run.StudentGroup = u"9-А"_s;
            state.Run.QuestionCounter = 1;
            RunEngine::writeLogHeader(state, clock);
            RunEngine engine(state, RunWindowTraits::plain(), clock, random, [](int, int) {});
            if (const QString problem = engine.start(); !problem.isEmpty())
                throw FileError(FileError::Op::Read, state.TestFileName, problem);
            std::optional<FileError> failure;
            try {
                for (int q = 0; q < 3; ++q)
                    engine.answer({true, false, false, false, false});
            } catch (const FileError& e) {
                failure = e;
            }
            engine.close();
            if (failure)
                throw *failure;
        };
        FaultCommand c;
        c.name = u"run"_s;
        c.setUp = [&] { reset(files); };
        c.command = command;
        // A fault mid-run (the next question cannot be read) breaks the run off:
        // the log then gains one whole block and the journals one entry, as
        // for a student who leaves early. A disk that stays full may take the
        // block and then refuse the entry; that failure is reported.
        c.check = [&](const Snapshot& before, const Snapshot& done, const Snapshot& now) {
            const QByteArray& logBefore = before.at(u"result.txt"_s);
            const QByteArray& logNow = now.at(u"result.txt"_s);
            const QByteArray doneBlock = done.at(u"result.txt"_s).mid(logBefore.size());
            const QByteArray header = doneBlock.left(doneBlock.indexOf("\r\n    1 "));
            if (logNow != logBefore &&
                !(logNow.startsWith(logBefore) && logNow.mid(logBefore.size()).startsWith(header) &&
                  logNow.endsWith("\r\n\r\n")))
                return u"result.txt: not the old log and one whole block"_s;
            qsizetype added = 0;
            for (const QString& name : {u"j.ocn"_s, u"jurnal.ocn"_s}) {
                if (!now.at(name).startsWith(before.at(name)))
                    return name + u": old entries changed"_s;
                added += now.at(name).size() - before.at(name).size();
            }
            if (added != 0 && added != JournalRecord::Size)
                return u"journals: the entry lost or written twice"_s;
            return QString();
        };
        loop(c);
    }

    void parameters() {
        Ns1Record other = oneLevelRun(u"other.tsm"_s, 5, 5, u"x.ocn"_s, 1);
        Ns1Record mine = oneLevelRun(u"math.tsm"_s, 4, 2, u"j.ocn"_s, 1);
        const std::map<QString, QByteArray> files{{u"test.ns1"_s, other.encode() + mine.encode()}};
        loop(
            u"parameter save"_s, [&] { reset(files); },
            [&] {
                ParamEditor<Ns1Record> editor;
                Ns1Record r;
                editor.open(path(u"test.ns1"_s), path(u"math.tsm"_s), 4, r, storage_);
                r.TestQuestions = 3;
                editor.save(r);
            });
    }
};

QTEST_GUILESS_MAIN(FaultLoopTest)
#include "tst_faultloop.moc"
