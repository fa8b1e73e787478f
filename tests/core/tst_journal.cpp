#include "core/atomicfile.h"
#include "core/journalfile.h"
#include "support/faultyfs.h"

#include <QScopeGuard>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {
class FixedClock : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 8), QTime(21, 54, 37)); }
    qint64 monotonicMs() const override { return 0; }
};
} // namespace

class JournalTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    FixedClock clock_;
    AppState state_;

    // A one-level run of 10 questions, answered up to `counter`.
    void prepareTsm(qint32 counter, double score) {
        state_.ProgramDir = dir_.path();
        state_.TestFileName = dir_.filePath(u"math.tsm"_s);
        state_.TestFileExt = u".tsm"_s;
        state_.Ns1Record.GradeScale = 12;
        state_.Ns1Record.TestQuestions = 10;
        state_.Run.StudentName = u"Петренко Іван"_s;
        state_.Run.StudentGroup = u"9-А"_s;
        state_.Run.RunMaxPoints = 10;
        state_.Run.RunScore = score;
        state_.Run.QuestionCounter = counter;
        state_.JournalRecord.Grade = 7;
    }
    QString journal() { return dir_.filePath(u"j.ocn"_s); }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine)); }
    void init() {
        QFile::remove(journal());
        QFile::remove(dir_.filePath(u"jurnal.ocn"_s));
        state_ = AppState();
    }

    void emptyJournalGetsEntryZero() {
        QFile f(journal());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        prepareTsm(11, 7);
        state_.JournalPath = journal();
        bool stopped = false;
        state_.stopEditorTimer = [&stopped] { stopped = true; };
        ZapysZurnal(state_, clock_);
        QVERIFY(stopped);
        QCOMPARE(QFileInfo(journal()).size(), 216);
        const auto entries = readJournal(journal());
        QCOMPARE(entries.size(), size_t(1));
        const JournalRecord& e = entries[0];
        QCOMPARE(e.EntryNo, 0);
        QCOMPARE(e.Date, u"08.12.26"_s);
        QCOMPARE(e.Time, u"21:54:37"_s);
        QCOMPARE(e.StudentName, u"Петренко Іван"_s);
        QCOMPARE(e.Group, u"9-А"_s);
        QCOMPARE(e.TestName, u"math.tsm"_s);
        QCOMPARE(e.MaxPoints, 10);
        QCOMPARE(e.GradeScale, 12);
        QCOMPARE(e.QuestionCount, 10);
        QCOMPARE(e.Points, 7.0);
        QCOMPARE(e.Grade, 7);
        QCOMPARE(e.Interrupted, QString());
        ZapysZurnal(state_, clock_);
        QCOMPARE(readJournal(journal()).at(1).EntryNo, 1);
    }

    void missingJournalGoesToDefault() {
        prepareTsm(11, 1);
        state_.JournalPath = dir_.filePath(u"gone/x.ocn"_s);
        ZapysZurnal(state_, clock_);
        QCOMPARE(state_.JournalPath, dir_.filePath(u"jurnal.ocn"_s));
        QCOMPARE(QFileInfo(state_.JournalPath).size(), 216);
        state_.JournalPath.clear(); // empty path: default too
        ZapysZurnal(state_, clock_);
        QCOMPARE(QFileInfo(dir_.filePath(u"jurnal.ocn"_s)).size(), 432);
    }

    void interruptedAndRounding_data() {
        QTest::addColumn<int>("counter");
        QTest::addColumn<double>("score");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<double>("points");
        QTest::newRow("broken off at 4 of 10") << 4 << 3.0 << u"Пер."_s << 3.0;
        QTest::newRow("all 10 answered") << 11 << 3.0 << QString() << 3.0;
        QTest::newRow("7.125 half to even") << 11 << 7.125 << QString() << 7.12;
        QTest::newRow("7.126") << 11 << 7.126 << QString() << 7.13;
    }
    void interruptedAndRounding() {
        QFETCH(int, counter);
        QFETCH(double, score);
        prepareTsm(counter, score);
        state_.JournalPath = journal();
        ZapysZurnal(state_, clock_);
        const JournalRecord e = readJournal(dir_.filePath(u"jurnal.ocn"_s)).back();
        QTEST(e.Interrupted, "mark");
        QTEST(e.Points, "points");
    }

    void longTestNameIsCut() {
        prepareTsm(11, 1);
        const QString name = QString(90, u'я') + u".tsm"_s;
        state_.TestFileName = u"/x/"_s + name;
        ZapysZurnal(state_, clock_);
        QCOMPARE(readJournal(state_.JournalPath).back().TestName, name.left(85));
    }

    void fourLevelTakesCallersPoints() {
        state_.ProgramDir = dir_.path();
        state_.TestFileName = u"/t/geo.tsr"_s;
        state_.TestFileExt = u".tsr"_s;
        state_.Ns2Record.GradeScale = 5;
        state_.Ns2Record.TestLow = 2;
        state_.Ns2Record.TestMedium = 1;
        state_.Ns2Record.TestSufficient = 0;
        state_.Ns2Record.TestHigh = 3;
        state_.Run.QuestionCounter = 7;
        state_.Run.RunScore = 9.999;
        state_.JournalRecord.Points = 4.5;
        state_.JournalRecord.Grade = 3;
        ZapysZurnal(state_, clock_);
        const JournalRecord e = readJournal(state_.JournalPath).back();
        QCOMPARE(e.QuestionCount, 6);
        QCOMPARE(e.GradeScale, 5);
        QCOMPARE(e.Points, 4.5);
        QCOMPARE(e.Interrupted, QString());
    }

    void failedWriteFallsBackToDefault() {
        testing::FaultyFileSystem fs;
        const Storage storage(fs);
        state_.storage = &storage;
        const auto restore = qScopeGuard([this] { state_.storage = &Storage::system(); });
        const QString full = dir_.filePath(u"full.ocn"_s);
        writeFileAtomically(full, {});
        fs.failWritesTo("full.ocn");
        state_.ProgramDir = dir_.path();
        state_.TestFileName = u"/t/geo.tsr"_s;
        state_.TestFileExt = u".tsr"_s;
        state_.Ns2Record.TestLow = 1;
        state_.Run.QuestionCounter = 1;
        state_.Run.RunScore = 0.125;
        state_.JournalRecord.Points = 0;
        state_.JournalRecord.Grade = 0;
        state_.JournalPath = full;
        ZapysZurnal(state_, clock_);
        QCOMPARE(state_.JournalPath, full); // not changed by the fallback
        QCOMPARE(state_.LastEntryJournal, dir_.filePath(u"jurnal.ocn"_s)); // told where it went
        QCOMPARE(QFileInfo(full).size(), 0); // taken back, not left torn
        const JournalRecord e = readJournal(dir_.filePath(u"jurnal.ocn"_s)).back();
        QCOMPARE(e.Grade, 1);     // a four-level 0 is written as 1 here
        QCOMPARE(e.Points, 0.12); // rounded from RunScore
        QCOMPARE(e.Interrupted, u"Пер."_s);
    }
};

QTEST_GUILESS_MAIN(JournalTest)
#include "tst_journal.moc"
