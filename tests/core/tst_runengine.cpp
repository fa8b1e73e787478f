#include "core/cp1251.h"
#include "core/journalfile.h"
#include "core/runengine.h"
#include "support/runparams.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <deque>

using namespace Qt::StringLiterals;
using namespace zorvik;
Q_DECLARE_METATYPE(zorvik::Checks)

namespace {

class TestClock final : public Clock {
public:
    QDateTime wall{QDate(2026, 12, 8), QTime(9, 0, 0)};
    qint64 ms = 0;
    QDateTime now() const override { return wall.addMSecs(ms); }
    qint64 monotonicMs() const override { return ms; }
};

// Values from a queue, then 0, 1, 2, … modulo n.
class TestRandom final : public RandomSource {
public:
    std::deque<int> queue;
    int next = 0;
    int bounded(int n) override {
        if (!queue.empty()) {
            const int v = queue.front();
            queue.pop_front();
            return v % n;
        }
        return next++ % n;
    }
};

constexpr Checks kNone{};
constexpr Checks kFirst{true, false, false, false, false};
constexpr Checks kSecond{false, true, false, false, false};

// A question whose answer `correct` (1..5) is the right one; 0: none is.
template <typename R> R question(int no, int correct) {
    R q;
    q.Question = u"Запитання "_s + QString::number(no);
    for (int k = 1; k <= 5; ++k)
        q.answer(k) = u"Відповідь "_s + QString::number(k);
    if (correct > 0)
        q.correct(correct) = true;
    return q;
}

} // namespace

class RunEngineTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    TestClock clock_;
    TestRandom random_;
    AppState state_;
    QList<QPair<int, int>> beeps_;

    QString logPath() const { return dir_.filePath(u"result.txt"_s); }
    QString journalPath() const { return dir_.filePath(u"9a.ocn"_s); }
    // The log as it stands, with the block of a run in progress (written
    // whole at the run's end) after it.
    QStringList logLines() const {
        QFile f(logPath());
        QStringList lines;
        if (f.open(QIODevice::ReadOnly))
            lines = fromCp1251(f.readAll()).split(u"\r\n"_s);
        if (!state_.PendingLog.isEmpty()) {
            if (!lines.isEmpty() && lines.last().isEmpty())
                lines.removeLast();
            lines += state_.PendingLog;
            lines.append(QString());
        }
        return lines;
    }
    std::vector<JournalRecord> journal() const { return readJournal(journalPath()); }

    // A one-level file of `n` questions, question i right at answer 1 (every
    // third question at answer 2), with its parameters.
    void prepareTsm(int n, int asked, quint8 mode = 1, bool goBack = false) {
        QByteArray bytes = TsmRecord::empty().encode();
        for (int i = 1; i <= n; ++i)
            bytes += question<TsmRecord>(i, i % 3 == 0 ? 2 : 1).encode();
        writeTest(u"math.tsm"_s, bytes);
        Ns1Record& p = state_.Ns1Record;
        p = testing::oneLevelRun(u"math.tsm"_s, n, asked, journalPath(), mode);
        p.TestingMode.QuestionTime = mode >= 3 ? 10 : -1;
        p.TestingMode.GoBack = goBack;
        state_.JournalPath = p.JournalPath;
    }
    // A four-level file: levels low, medium, sufficient, high in turn.
    void prepareTsr(int n, std::array<int, 4> asked, std::array<int, 4> points = {1, 2, 3, 4}) {
        QByteArray bytes = TsrRecord::empty().encode();
        std::array<int, 4> inFile{};
        for (int i = 1; i <= n; ++i) {
            TsrRecord q = question<TsrRecord>(i, 1);
            const int level = (i - 1) % 4;
            q.LevelLow = level == 0;
            q.LevelMedium = level == 1;
            q.LevelSufficient = level == 2;
            q.LevelHigh = level == 3;
            ++inFile[static_cast<size_t>(level)];
            bytes += q.encode();
        }
        writeTest(u"bio.tsr"_s, bytes);
        Ns2Record& p = state_.Ns2Record;
        p = Ns2Record();
        p.TestName = u"bio.tsr"_s;
        p.QuestionsInFile = n;
        p.InFileLow = inFile[0];
        p.InFileMedium = inFile[1];
        p.InFileSufficient = inFile[2];
        p.InFileHigh = inFile[3];
        p.TestLow = asked[0];
        p.TestMedium = asked[1];
        p.TestSufficient = asked[2];
        p.TestHigh = asked[3];
        p.PointsLow = points[0];
        p.PointsMedium = points[1];
        p.PointsSufficient = points[2];
        p.PointsHigh = points[3];
        p.GradeScale = 12;
        p.JournalPath = journalPath();
        p.TestingMode.Mode = 1;
        p.TestingMode.QuestionTime = -1;
        p.TestingMode.TestTime = -1;
        p.TestingMode.InputOrder = true;
        state_.JournalPath = p.JournalPath;
    }
    void writeTest(const QString& name, const QByteArray& bytes) {
        QFile journal(journalPath());
        QVERIFY(journal.open(QIODevice::Append));
        QFile f(dir_.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        state_.TestFileName = dir_.filePath(name);
        state_.TestFileExt = name.right(4);
        state_.TestDir = dir_.path();
    }
    // The name window's part: the run state it sets and the log header.
    std::unique_ptr<RunEngine> begin(const RunWindowTraits& traits) {
        state_.Run.StudentName = u"Петренко Іван"_s;
        state_.Run.StudentGroup = u"9-А"_s;
        state_.Run.QuestionCounter = 1;
        state_.Run.RunMaxPoints = 0;
        RunEngine::writeLogHeader(state_, clock_);
        auto engine =
            std::make_unique<RunEngine>(state_, traits, clock_, random_, [this](int hz, int ms) {
                beeps_.append({hz, ms});
            });
        const QString problem = engine->start();
        if (!problem.isEmpty())
            qWarning("%s", qPrintable(problem));
        return engine;
    }
    void wait(int seconds) { clock_.ms += seconds * 1000; }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
        QVERIFY(dir_.isValid());
    }
    void init() {
        QFile::remove(logPath());
        QFile::remove(journalPath());
        QFile::remove(dir_.filePath(u"jurnal.ocn"_s));
        state_ = AppState();
        state_.ProgramDir = dir_.path();
        clock_ = TestClock();
        random_ = TestRandom();
        beeps_.clear();
    }

    void plainThreeQuestionRun() {
        prepareTsm(5, 3);
        state_.JournalRecord.Grade = 9; // left from some earlier entry
        auto run = begin(RunWindowTraits::plain());
        const RunDisplay& d = run->display();
        QCOMPARE(d.caption, u"Тестування - "_s + state_.TestFileName);
        QCOMPARE(d.status[0], u"Тест: "_s + state_.TestFileName);
        QCOMPARE(d.status[1], u"Зап: 3/5"_s);
        QCOMPARE(d.status[2], u"Оц.: 12"_s);
        QCOMPARE(d.status[3], u"КБЗ: 1"_s);
        QCOMPARE(d.status[4], u"МКБ: 3"_s);
        QCOMPARE(d.questionNo, u"1"_s);
        QCOMPARE(d.questionCount, u"3"_s);
        QCOMPARE(d.nextCaption, u"Наступне запитання->"_s);
        QVERIFY(d.nextEnabled && !d.resultEnabled && !d.exitEnabled);
        QVERIFY(!d.levelVisible && !d.hintsVisible && !d.questionTimerVisible);
        QCOMPARE(run->question().Question, u"Запитання 1"_s);

        wait(7);
        run->answer(kFirst);
        QCOMPARE(d.questionNo, u"2"_s);
        QCOMPARE(d.nextCaption, u"Наступне запитання->"_s);
        QVERIFY(!d.nextRed);
        QVERIFY(d.progressVisible);
        QCOMPARE(d.progress, 33);
        wait(3);
        run->answer(kNone);
        QCOMPARE(d.nextCaption, u"Ввести відповідь->"_s);
        QVERIFY(d.nextRed);
        QCOMPARE(d.nextHint, u"Завершує тестування. ПОВЕРНУТИСЬ НАЗАД БУДЕ НЕМОЖЛИВО!"_s);
        QCOMPARE(d.progress, 67);
        QCOMPARE(run->question().Question, u"Запитання 3"_s);
        wait(65);
        run->answer(kSecond);
        QVERIFY(run->ended());
        QCOMPARE(d.questionNo, u"3"_s);
        QCOMPARE(d.progress, 100);
        QVERIFY(!d.nextEnabled && d.resultEnabled && d.exitEnabled && !d.checksEnabled &&
                !d.mediaEnabled);
        QCOMPARE(beeps_, (QList<QPair<int, int>>{{700, 50}}));

        const QString sp4(4, u' '), s21(21, u' '), s28(28, u' '), s30(30, u' ');
        const QStringList expected = {
            u"          Результат тестування"_s,
            QString(65, u'-'),
            u" Файл тестування: "_s + state_.TestFileName,
            u" Прізвище: Петренко Іван"_s,
            u" Група (клас): 9-А"_s,
            u" Початок тестування: 08.12.26  09:00:00"_s,
            QString(65, u'-'),
            u" № з/п :  № запитання : Балів за запитання:   Час"_s,
            sp4 + u"1"_s + s21 + u"1"_s + s28 + u"1"_s + s30 + u"00:00:07"_s,
            sp4 + u"2"_s + s21 + u"2"_s + s28 + u"0"_s + s30 + u"00:00:03"_s,
            sp4 + u"3"_s + s21 + u"3"_s + s28 + u"1"_s + s30 + u"00:01:05"_s,
            QString(65, u'-'),
            u"  Кінець тестування: 08.12.26  09:01:15"_s,
            u"  Балів за тест (3): 2"_s,
            u"  Оцінка (12): 5"_s,
            QString(),
            QString(),
        };
        QCOMPARE(logLines(), expected);

        // Closing afterwards adds nothing.
        run->leave();
        run->close();
        QCOMPARE(logLines().size(), expected.size());
        const auto entries = journal();
        QCOMPARE(entries.size(), size_t(1));
        QCOMPARE(entries[0].Interrupted, QString());
        QCOMPARE(entries[0].Points, 2.0);
        QCOMPARE(entries[0].Grade, 5);
        QCOMPARE(entries[0].MaxPoints, 3);
        QCOMPARE(entries[0].QuestionCount, 3);
        QCOMPARE(entries[0].StudentName, u"Петренко Іван"_s);

        const ResultFigures f = resultFigures(state_, clock_.now());
        QCOMPARE(f.questions, u"3"_s);
        QCOMPARE(f.maxPoints, u"3"_s);
        QCOMPARE(f.score, u"2"_s);
        QCOMPARE(f.grade, u"5"_s);
        QCOMPARE(f.pointsPerQuestion, u"1"_s);
        QCOMPARE(f.scale, u"12"_s);

        // A second run appends its own block.
        auto again = begin(RunWindowTraits::plain());
        again->close();
        QCOMPARE(logLines().count(u"          Результат тестування"_s), 2);
    }

    void logSpacings_data() {
        QTest::addColumn<bool>("goBackWindow");
        QTest::addColumn<bool>("fourLevel");
        QTest::addColumn<bool>("goingBack");
        QTest::addColumn<QList<int>>("runs");
        QTest::newRow("plain, one-level") << false << false << false << QList<int>{4, 21, 28, 30};
        QTest::newRow("plain, four-level") << false << true << false << QList<int>{3, 21, 28, 30};
        QTest::newRow("going-back, one-level")
            << true << false << false << QList<int>{3, 21, 29, 30};
        QTest::newRow("going-back, four-level")
            << true << true << false << QList<int>{3, 23, 28, 30};
        QTest::newRow("going back, one-level")
            << true << false << true << QList<int>{3, 23, 28, 30};
        QTest::newRow("going back, four-level")
            << true << true << true << QList<int>{3, 23, 28, 30};
    }
    void logSpacings() {
        QFETCH(bool, goBackWindow);
        QFETCH(bool, fourLevel);
        QFETCH(bool, goingBack);
        QFETCH(QList<int>, runs);
        if (fourLevel) {
            prepareTsr(8, {2, 0, 0, 0});
            state_.Ns2Record.TestingMode.GoBack = goBackWindow;
        } else {
            prepareTsm(5, 3, 1, goBackWindow);
        }
        auto run = begin(goBackWindow ? RunWindowTraits::goBack() : RunWindowTraits::plain());
        wait(2);
        run->answer(kNone);
        if (goingBack) {
            wait(4);
            run->goBack(kNone);
        }
        const QString line = logLines().at(goingBack ? 9 : 8);
        const int n = goingBack ? 2 : 1;
        const int r = fourLevel ? (goingBack ? 5 : 1) : n;
        const QString expected = QString(runs[0], u' ') + QString::number(n) +
                                 QString(runs[1], u' ') + QString::number(r) +
                                 QString(runs[2], u' ') + u"0"_s + QString(runs[3], u' ') +
                                 (goingBack ? u"00:00:04"_s : u"00:00:02"_s);
        QCOMPARE(line, expected);
    }

    void scoring_data() {
        QTest::addColumn<QList<bool>>("correct");
        QTest::addColumn<Checks>("ticked");
        QTest::addColumn<QString>("points");
        QTest::addColumn<int>("verdict");
        const QList<bool> two{true, true, false, false, false};
        const QList<bool> none{false, false, false, false, false};
        const QList<bool> three{true, true, true, false, false};
        QTest::newRow("two right and a wrong one")
            << two << Checks{true, true, true, false, false} << u"0"_s << int(Verdict::Bad);
        QTest::newRow("no correct answer, one ticked")
            << none << Checks{false, false, false, false, true} << u"0"_s << int(Verdict::Bad);
        QTest::newRow("no correct answer, blank")
            << none << kNone << u"1"_s << int(Verdict::Excellent);
        QTest::newRow("three of three")
            << three << Checks{true, true, true, false, false} << u"1"_s << int(Verdict::Excellent);
        QTest::newRow("two of three")
            << three << Checks{true, false, true, false, false} << u"0,67"_s << int(Verdict::Good);
        QTest::newRow("one of three")
            << three << Checks{false, true, false, false, false} << u"0,33"_s << int(Verdict::Good);
    }
    void scoring() {
        QFETCH(QList<bool>, correct);
        QFETCH(Checks, ticked);
        QFETCH(QString, points);
        QFETCH(int, verdict);
        TsmRecord q = question<TsmRecord>(1, 0);
        for (int k = 1; k <= 5; ++k)
            q.correct(k) = correct[k - 1];
        writeTest(u"one.tsm"_s, TsmRecord::empty().encode() + q.encode() + q.encode());
        prepareTsmParams(u"one.tsm"_s, 2, 2, 2);
        auto run = begin(RunWindowTraits::plain());
        run->answer(ticked);
        const RunDisplay& d = run->display();
        QVERIFY(d.verdict.has_value());
        QCOMPARE(int(*d.verdict), verdict);
        QCOMPARE(d.questionScoreText, points);
        QCOMPARE(d.runScoreText, points);
        QCOMPARE(d.maxText, u"2"_s);
        QVERIFY(logLines().at(8).contains(QString(28, u' ') + points + QString(30, u' ')));
    }
    void prepareTsmParams(const QString& name, int inFile, int asked, quint8 mode) {
        state_.Ns1Record = testing::oneLevelRun(name, inFile, asked, journalPath(), mode);
        state_.JournalPath = journalPath();
    }

    void goingBackCountsAQuestionOnce() {
        prepareTsm(4, 4, 2, true);
        auto run = begin(RunWindowTraits::goBack());
        const RunDisplay& d = run->display();
        QVERIFY(!d.backEnabled);
        run->answer(kFirst); // 1 right
        QVERIFY(d.backEnabled);
        QCOMPARE(d.nextCaption, u"Наступне ->"_s);
        run->answer(kNone);   // 2 wrong
        run->goBack(kSecond); // 3 right, left by going back
        QCOMPARE(d.questionNo, u"2"_s);
        QCOMPARE(run->checksToShow(), kNone);
        QCOMPARE(state_.Run.RunScore, 2.0);
        QVERIFY(*d.verdict == Verdict::Excellent);
        QCOMPARE(d.progress, 25);
        QCOMPARE(d.nextCaption, u"Наступне ->"_s);
        run->answer(kFirst); // 2 again, right now
        QCOMPARE(d.questionNo, u"3"_s);
        QCOMPARE(run->checksToShow(), kSecond); // the marks left on question 3
        QCOMPARE(state_.Run.RunScore, 3.0);
        QCOMPARE(d.nextCaption, u"Наступне ->"_s);
        run->answer(kSecond); // 3 answered again: still counted once
        QCOMPARE(state_.Run.RunScore, 3.0);
        QCOMPARE(d.nextCaption, u"Ввести ->"_s);
        QVERIFY(d.nextRed);
        run->answer(kFirst);
        QVERIFY(run->ended());
        QCOMPARE(state_.Run.RunScore, 4.0);

        QStringList numbers;
        const QStringList lines = logLines().mid(8, 6);
        for (const QString& l : lines)
            numbers.append(l.simplified().section(u' ', 0, 0));
        QCOMPARE(numbers, (QStringList{u"1"_s, u"2"_s, u"3"_s, u"2"_s, u"3"_s, u"4"_s}));
        QVERIFY(lines[2].startsWith(u"   3"_s + QString(23, u' ') + u"3"_s));
        QCOMPARE(logLines().at(16), u"  Балів за тест (4): 4"_s);
        QCOMPARE(journal().at(0).Grade, 12);
    }

    void goingBackFromQuestionTwoStopsAtOne() {
        prepareTsm(3, 3, 1, true);
        auto run = begin(RunWindowTraits::goBack());
        run->answer(kFirst);
        run->goBack(kNone);
        QCOMPARE(run->display().questionNo, u"1"_s);
        QVERIFY(!run->display().backEnabled);
        QCOMPARE(run->checksToShow(), kFirst);
        run->goBack(kNone); // disabled: nothing happens
        QCOMPARE(logLines().size(), 8 + 2 + 1);
    }

    void questionTimeAnswersByItself() {
        prepareTsm(3, 3, 3);
        auto run = begin(RunWindowTraits::plain());
        const RunDisplay& d = run->display();
        QVERIFY(d.questionTimerVisible);
        QCOMPARE(d.questionTimerText, u"10"_s);
        QStringList shown;
        for (int tick = 0; tick < 10; ++tick) {
            wait(1);
            run->tickQuestionTimer(kNone);
            shown.append(d.questionTimerText);
        }
        QCOMPARE(shown, (QStringList{u"9"_s, u"8"_s, u"7"_s, u"6"_s, u"5"_s, u"4"_s, u"3"_s, u"2"_s,
                                     u"1"_s, u"10"_s}));
        QCOMPARE(d.questionNo, u"2"_s);
        for (int tick = 0; tick < 20; ++tick) {
            wait(1);
            run->tickQuestionTimer(kNone);
        }
        QVERIFY(run->ended());
        QVERIFY(!d.questionTimerVisible);
        const QStringList lines = logLines();
        QCOMPARE(lines.mid(8, 3).filter(u"00:00:10"_s).size(), 3);
        QCOMPARE(lines.at(13), u"  Балів за тест (3): 0"_s);
        QCOMPARE(lines.at(14), u"  Оцінка (12): 1"_s);
        for (int tick = 0; tick < 5; ++tick)
            run->tickQuestionTimer(kNone); // nothing after the end
        QCOMPARE(logLines().size(), lines.size());
    }

    void wholeTestLimitLocksThenExitBreaksOff() {
        prepareTsm(3, 3);
        state_.Ns1Record.TestingMode.TestTimeOn = true;
        state_.Ns1Record.TestingMode.TestTime = 1;
        clock_.wall = QDateTime(QDate(2026, 12, 8), QTime(23, 59, 30)); // across midnight
        auto run = begin(RunWindowTraits::plain());
        const RunDisplay& d = run->display();
        QVERIFY(d.testTimerVisible);
        QVERIFY(run->testTimerRunning());
        run->answer(kFirst);
        for (int s = 1; s <= 60; ++s) {
            wait(1);
            run->tickTestTimer();
        }
        QCOMPARE(d.testTimerText, u"00:00:00"_s);
        QVERIFY(d.nextEnabled && !d.exitEnabled);
        QVERIFY(beeps_.isEmpty());
        for (int s = 0; s < 3; ++s) {
            wait(1);
            run->tickTestTimer();
        }
        QVERIFY(!d.nextEnabled && d.resultEnabled && d.exitEnabled && !d.checksEnabled);
        QCOMPARE(beeps_, (QList<QPair<int, int>>{{700, 50}}));
        QCOMPARE(state_.Run.ExpiryTicks, 3);
        QCOMPARE(logLines().size(), 9 + 1); // locked, nothing written yet
        run->answer(kFirst);                // the button is off
        QCOMPARE(logLines().size(), 10);

        run->leave();
        run->close();
        const QStringList lines = logLines();
        QCOMPARE(lines.at(9), u"   ТЕСТУВАННЯ ПЕРЕРВАНО!!!"_s);
        QCOMPARE(lines.at(10), QString(65, u'-'));
        QCOMPARE(lines.at(11), u"  Кінець тестування: 09.12.26  00:00:33"_s);
        QCOMPARE(lines.at(12), u"  Балів за тест (3): 1"_s);
        QCOMPARE(lines.at(13), u"  Оцінка (12): 2"_s);
        QCOMPARE(journal().at(0).Interrupted, u"Пер."_s);
        QCOMPARE(beeps_.size(), 2);
    }

    void timeUpAtAnAnswerEndsOnce_data() {
        QTest::addColumn<bool>("goBackWindow");
        QTest::addColumn<bool>("fourLevel");
        QTest::addColumn<int>("beep");
        QTest::addColumn<bool>("media");
        QTest::newRow("plain, one-level") << false << false << 20 << false;
        QTest::newRow("plain, four-level") << false << true << 50 << false;
        QTest::newRow("going-back, one-level") << true << false << 50 << true;
        QTest::newRow("going-back, four-level") << true << true << 200 << true;
    }
    void timeUpAtAnAnswerEndsOnce() {
        QFETCH(bool, goBackWindow);
        QFETCH(bool, fourLevel);
        QFETCH(int, beep);
        QFETCH(bool, media);
        TestingMode* m;
        if (fourLevel) {
            prepareTsr(8, {2, 1, 0, 0});
            m = &state_.Ns2Record.TestingMode;
        } else {
            prepareTsm(3, 3);
            m = &state_.Ns1Record.TestingMode;
        }
        m->TestTimeOn = true;
        m->TestTime = 2;
        auto run = begin(goBackWindow ? RunWindowTraits::goBack() : RunWindowTraits::plain());
        wait(121);
        run->answer(kFirst);
        QVERIFY(run->ended());
        QCOMPARE(beeps_, (QList<QPair<int, int>>{{700, beep}}));
        QCOMPARE(run->display().mediaEnabled, media);
        QCOMPARE(run->display().questionNo, u"1"_s);
        run->close();
        const QStringList lines = logLines();
        QCOMPARE(lines.filter(u"ПЕРЕРВАНО"_s).size(), 0);
        QCOMPARE(lines.filter(u"Кінець тестування"_s).size(), 1);
        QCOMPARE(journal().size(), size_t(1));
        QCOMPARE(journal().at(0).Interrupted, u"Пер."_s); // not every question answered
        QCOMPARE(beeps_.size(), 1);
    }

    void closedMidRunIsBrokenOff() {
        prepareTsm(5, 4);
        state_.Ns1Record.GradeScale = 5;
        auto run = begin(RunWindowTraits::plain());
        run->answer(kFirst);
        run->answer(kFirst);
        run->close(); // the system's close command
        const QStringList lines = logLines();
        QCOMPARE(lines.at(10), u"   ТЕСТУВАННЯ ПЕРЕРВАНО!!!"_s);
        QCOMPARE(lines.at(13), u"  Балів за тест (4): 2"_s);
        QCOMPARE(lines.at(14), u"  Оцінка (5): 2"_s);
        const JournalRecord e = journal().at(0);
        QCOMPARE(e.Interrupted, u"Пер."_s);
        QCOMPARE(e.Points, 2.0);
        QCOMPARE(e.Grade, 2);
        QCOMPARE(beeps_, (QList<QPair<int, int>>{{700, 50}}));
        QFile raw(journalPath());
        QVERIFY(raw.open(QIODevice::ReadOnly));
        const QByteArray bytes = raw.readAll();
        QCOMPARE(bytes.size(), 216);
        QCOMPARE(bytes.mid(0xCC, 5), QByteArray("\x04\xcf\xe5\xf0.", 5));
        QCOMPARE(bytes.mid(0xC8, 4), QByteArray("\x02\0\0\0", 4));
        run->close(); // once only
        QCOMPARE(journal().size(), size_t(1));
    }

    void closedBeforeAnyAnswerGradesNothing() {
        prepareTsm(5, 4);
        state_.Ns1Record.GradeScale = 5;
        state_.JournalRecord.Grade = 4; // stale
        state_.JournalRecord.Points = 3.5;
        auto run = begin(RunWindowTraits::plain());
        run->close();
        QCOMPARE(logLines().at(11), u"  Балів за тест (4): 0"_s);
        QCOMPARE(logLines().at(12), u"  Оцінка (5): 0"_s);
        QCOMPARE(journal().at(0).Grade, 0);
        QCOMPARE(journal().at(0).Points, 0.0);
    }

    void fourLevelRun() {
        prepareTsr(12, {2, 1, 0, 2}, {1, 2, 3, 5});
        state_.Ns2Record.TestingMode.Mode = 2;
        auto run = begin(RunWindowTraits::plain());
        const RunDisplay& d = run->display();
        QCOMPARE(d.status[1], u"Зап: 5/12 (2/1/0/2)"_s);
        QCOMPARE(d.status[3], u"КБЗ: 1/2/3/5"_s);
        QCOMPARE(d.status[4], u"МКБ: 14"_s);
        QVERIFY(d.levelVisible);
        QCOMPARE(d.levelText, u"низький"_s);
        QCOMPARE(d.levelColour, LevelColour::Green);
        run->answer(kFirst);
        run->answer(kFirst);
        QCOMPARE(d.levelText, u"середній"_s);
        QCOMPARE(d.levelColour, LevelColour::Blue);
        run->answer(kFirst);
        QCOMPARE(d.levelText, u"високий"_s);
        QCOMPARE(d.levelColour, LevelColour::Red);
        run->answer(kNone);
        run->answer(kFirst);
        QCOMPARE(state_.Run.QuestionOrder, (std::vector<int>{0, 1, 5, 2, 4, 8}));
        QCOMPARE(state_.Run.RunScore, 9.0);
        QCOMPARE(logLines().at(10).simplified(), u"3 2 2 00:00:00"_s);
        const JournalRecord e = journal().at(0);
        QCOMPARE(e.Points, 9.0);
        QCOMPARE(e.MaxPoints, 14);
        QCOMPARE(e.QuestionCount, 5);
        QCOMPARE(e.Grade, 5); // 64 %
        const ResultFigures f = resultFigures(state_, clock_.now());
        QCOMPARE(f.questions, u"5 (2/1/0/2)"_s);
        QCOMPARE(f.pointsPerQuestion, u"1/2/3/5"_s);
        QCOMPARE(f.maxPoints, u"14"_s);
    }

    void shuffleAndPictureAnswers() {
        TsmRecord plain = question<TsmRecord>(1, 1);
        TsmRecord picture = question<TsmRecord>(2, 1);
        picture.QuestionAndPicture = true;
        writeTest(u"pic.tsm"_s, TsmRecord::empty().encode() + plain.encode() + picture.encode());
        prepareTsmParams(u"pic.tsm"_s, 2, 2, 1);
        state_.Ns1Record.TestingMode.ShuffleAnswers = true;
        random_.queue = {4, 2, 0, 3, 1};
        auto run = begin(RunWindowTraits::plain());
        QCOMPARE(state_.Run.AnswerPermutation, (std::array<int, 5>{5, 3, 1, 4, 2}));
        run->answer(kNone);
        QCOMPARE(state_.Run.AnswerPermutation, kOwnSlots);
    }

    void refusedParameters_data() {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("inFile");
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("part");
        QTest::newRow("more asked than held") << 7 << 5 << 1 << u"від 1 до 5"_s;
        QTest::newRow("none asked") << 0 << 5 << 1 << u"від 1 до 5"_s;
        QTest::newRow("count changed") << 3 << 6 << 1 << u"ЗМІНЕНО"_s;
        QTest::newRow("no points") << 3 << 5 << 0 << u"балів"_s;
    }
    void refusedParameters() {
        QFETCH(int, asked);
        QFETCH(int, inFile);
        QFETCH(int, points);
        QFETCH(QString, part);
        prepareTsm(5, asked);
        state_.Ns1Record.QuestionsInFile = inFile;
        state_.Ns1Record.QuestionPoints = points;
        const QString problem = RunEngine::checkParameters(state_);
        QVERIFY2(problem.contains(part), qPrintable(problem));
        QVERIFY(problem.endsWith(u"ТА ПОВТОРІТЬ КОМАНДУ!!!"_s));
        // Should the window open anyway, no question is asked and leaving is possible.
        RunEngine run(state_, RunWindowTraits::plain(), clock_, random_, [](int, int) {});
        QCOMPARE(run.start(), problem);
        QVERIFY(!run.display().nextEnabled && run.display().exitEnabled);
    }

    void refusedFourLevelParameters() {
        prepareTsr(8, {2, 1, 0, 0}, {0, 0, 0, 0});
        QVERIFY(RunEngine::checkParameters(state_).contains(u"0 балів"_s));
        prepareTsr(8, {3, 1, 0, 0});
        QVERIFY(RunEngine::checkParameters(state_).contains(u"«низький»"_s));
        prepareTsr(8, {2, 1, 0, 0});
        state_.Ns2Record.InFileHigh = 3;
        QVERIFY(RunEngine::checkParameters(state_).contains(u"ЗМІНЕНО"_s));
        prepareTsr(8, {2, 1, 0, 0});
        state_.Ns2Record.TestingMode.Mode = 3;
        state_.Ns2Record.TestingMode.QuestionTime = -1;
        QVERIFY(RunEngine::checkParameters(state_).contains(u"час на 1-е запитання"_s));
        prepareTsr(8, {2, 1, 0, 0});
        QCOMPARE(RunEngine::checkParameters(state_), QString());
    }

    void unreadableQuestionLetsTheStudentLeave() {
        prepareTsm(3, 3);
        auto run = begin(RunWindowTraits::plain());
        QFile::resize(state_.TestFileName, TsmRecord::Size * 2); // question 2 and 3 gone
        QVERIFY_THROWS_EXCEPTION(FileError, run->answer(kFirst));
        QVERIFY(!run->questionLoaded());
        QVERIFY(run->display().exitEnabled);
        QVERIFY_THROWS_EXCEPTION(FileError, run->answer(kFirst)); // tries to read again
        QCOMPARE(logLines().size(), 8 + 1 + 1);
        run->close();
        QCOMPARE(journal().at(0).Interrupted, u"Пер."_s);
    }

    // The run's block goes to the log whole at its end; a log that cannot be
    // written then still leaves the journal entry and is reported.
    void failedLogAtTheEndKeepsTheEntry() {
        prepareTsm(3, 3);
        auto run = begin(RunWindowTraits::plain());
        QFile::remove(logPath());
        QVERIFY(QDir(dir_.path()).mkdir(u"result.txt"_s));
        run->answer(kFirst);
        run->answer(kFirst);
        QVERIFY_THROWS_EXCEPTION(FileError, run->answer(kFirst));
        QCOMPARE(state_.Run.QuestionCounter, 4);
        QCOMPARE(journal().size(), size_t(1));
        QVERIFY(QDir(dir_.path()).rmdir(u"result.txt"_s));
    }
};

QTEST_APPLESS_MAIN(RunEngineTest)
#include "tst_runengine.moc"
