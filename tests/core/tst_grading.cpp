#include "core/grading.h"
#include "core/rounding.h"

#include <QTest>

using namespace zorvik;
using A = std::array<bool, 5>;
Q_DECLARE_METATYPE(A)

class GradingTest : public QObject {
    Q_OBJECT
private slots:
    void rounding_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("expected");
        QTest::newRow("2.5 to even") << 2.5 << 0 << 2.0;
        QTest::newRow("3.5 to even") << 3.5 << 0 << 4.0;
        QTest::newRow("7.5") << 7.5 << 0 << 8.0;
        QTest::newRow("-2.5") << -2.5 << 0 << -2.0;
        QTest::newRow("7.125") << 7.125 << 2 << 7.12;
        QTest::newRow("7.126") << 7.126 << 2 << 7.13;
        QTest::newRow("0.285 as written") << 0.285 << 2 << 0.28;
        QTest::newRow("0.335 as written") << 0.335 << 2 << 0.34;
        QTest::newRow("1/3 to 3") << 1.0 / 3 << 3 << 0.333;
        QTest::newRow("binary sum") << 0.1 + 0.2 << 1 << 0.3;
        QTest::newRow("tiny") << 0.0004 << 2 << 0.0;
        QTest::newRow("0.005 half") << 0.005 << 2 << 0.0;
        QTest::newRow("0.015 half") << 0.015 << 2 << 0.02;
        QTest::newRow("large") << 123456.785 << 2 << 123456.78;
        // Past what a double holds after the point, or past 64 bits scaled:
        // the value as it is, never a wrong sign.
        QTest::newRow("1e17 points") << 1e17 << 2 << 1e17;
        QTest::newRow("-1e17 points") << -1e17 << 2 << -1e17;
        QTest::newRow("2^53 + 2") << 9007199254740994.0 << 0 << 9007199254740994.0;
        QTest::newRow("1e300") << 1e300 << 2 << 1e300;
    }
    void rounding() {
        QFETCH(double, x);
        QFETCH(int, decimals);
        QFETCH(double, expected);
        QCOMPARE(roundTo(x, decimals), expected);
    }

    void gradeTable_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<double>("score");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("grade");
        QTest::newRow("90% is 9") << 12 << 9.0 << 10 << 9;
        QTest::newRow("94% is 11") << 12 << 9.4 << 10 << 11;
        QTest::newRow("97% is 12") << 12 << 9.7 << 10 << 12;
        QTest::newRow("96.99% is 11") << 12 << 96.99 << 100 << 11;
        QTest::newRow("18% is 1") << 12 << 1.8 << 10 << 1;
        QTest::newRow("0 is 1") << 12 << 0.0 << 10 << 1;
        QTest::newRow("18.01% is 2") << 12 << 18.01 << 100 << 2;
        QTest::newRow("50% is 3") << 12 << 5.0 << 10 << 3;
        QTest::newRow("100% is 12") << 12 << 10.0 << 10 << 12;
        QTest::newRow("scale 5, 5.5 of 10") << 5 << 5.5 << 10 << 3;
        QTest::newRow("scale 5, 5 of 10 half to even") << 5 << 5.0 << 10 << 2;
        QTest::newRow("scale 5, tenth") << 5 << 1.0 << 10 << 0;
        QTest::newRow("max 0") << 12 << 0.0 << 0 << 1;
        QTest::newRow("max 0, scale 5") << 5 << 0.0 << 0 << 0;
    }
    void gradeTable() {
        QFETCH(int, scale);
        QFETCH(double, score);
        QFETCH(int, max);
        QFETCH(int, grade);
        QCOMPARE(gradeFor(scale, score, max), grade);
    }

    void percentIsExact() {
        QCOMPARE(scorePercent(9.7, 10), 97.0);
        QCOMPARE(scorePercent(0, 0), 0.0);
    }

    void scoring_data() {
        QTest::addColumn<A>("correct");
        QTest::addColumn<A>("ticked");
        QTest::addColumn<int>("value");
        QTest::addColumn<double>("score");
        QTest::addColumn<int>("verdict");
        const A none{};
        QTest::newRow("two right both ticked and a wrong one")
            << A{true, true, false, false, false} << A{true, true, true, false, false} << 2 << 0.0
            << int(Verdict::Bad);
        QTest::newRow("no correct, nothing ticked")
            << none << none << 3 << 3.0 << int(Verdict::Excellent);
        QTest::newRow("no correct, one ticked")
            << none << A{false, false, true, false, false} << 3 << 0.0 << int(Verdict::Bad);
        QTest::newRow("three of three")
            << A{true, true, true, false, false} << A{true, true, true, false, false} << 1 << 1.0
            << int(Verdict::Excellent);
        QTest::newRow("two of three")
            << A{true, true, true, false, false} << A{true, false, true, false, false} << 1 << 0.67
            << int(Verdict::Good);
        QTest::newRow("one of three")
            << A{true, true, true, false, false} << A{false, false, true, false, false} << 1 << 0.33
            << int(Verdict::Good);
        QTest::newRow("worth 0 points")
            << A{true, false, false, false, false} << A{true, false, false, false, false} << 0
            << 0.0 << int(Verdict::Bad);
    }
    void scoring() {
        QFETCH(A, correct);
        QFETCH(A, ticked);
        QFETCH(int, value);
        const auto r = scoreQuestion(correct, ticked, value);
        QTEST(r.QuestionScore, "score");
        QTEST(int(verdictFor(r.QuestionScore, value)), "verdict");
    }

    void pointsPerCorrectKeptWithoutCorrectAnswers() {
        const auto r = scoreQuestion({}, {}, 4, 0.333);
        QCOMPARE(r.PointsPerCorrect, 0.333);
        QCOMPARE(scoreQuestion({true, true, true, false, false}, {}, 1).PointsPerCorrect, 0.333);
    }

    void fourLevelValueAndMaximum() {
        Ns2Record p;
        p.PointsLow = 1;
        p.PointsMedium = 2;
        p.PointsSufficient = 3;
        p.PointsHigh = 4;
        p.TestLow = 2;
        p.TestMedium = 1;
        p.TestSufficient = 0;
        p.TestHigh = 3;
        QCOMPARE(maxPointsTsr(p), 2 * 1 + 1 * 2 + 0 + 3 * 4);
        QCOMPARE(questionCountTsr(p), 6);
        TsrRecord q;
        q.LevelLow = true;
        q.LevelSufficient = true; // the later flag wins
        QCOMPARE(questionValueTsr(q, p), 3);
        QCOMPARE(questionValueTsr(TsrRecord(), p), 0);
    }

    // The maximum of points, in full, and whether the journal's 32-bit field
    // can hold it.
    void maximumThatDoesNotFit_data() {
        QTest::addColumn<qint32>("questions");
        QTest::addColumn<qint32>("points");
        QTest::addColumn<qint64>("maximum");
        QTest::addColumn<bool>("fits");
        QTest::newRow("10 of 1") << 10 << 1 << qint64(10) << true;
        QTest::newRow("the largest that fits") << 1 << INT32_MAX << qint64(INT32_MAX) << true;
        QTest::newRow("10 of a thousand million")
            << 10 << 1000000000 << qint64(10000000000) << false;
        QTest::newRow("two of the largest") << 2 << INT32_MAX << 2 * qint64(INT32_MAX) << false;
    }
    void maximumThatDoesNotFit() {
        QFETCH(qint32, questions);
        QFETCH(qint32, points);
        QFETCH(qint64, maximum);
        QFETCH(bool, fits);
        Ns1Record one;
        one.TestQuestions = questions;
        one.QuestionPoints = points;
        QCOMPARE(fullMaxPointsTsm(one), maximum);
        Ns2Record four;
        four.TestHigh = questions;
        four.PointsHigh = points;
        QCOMPARE(fullMaxPointsTsr(four), maximum);
        QCOMPARE(maxPointsRefusal(maximum).isEmpty(), fits);
        if (fits)
            QCOMPARE(qint64(maxPointsTsm(one)), maximum);
    }
};

QTEST_GUILESS_MAIN(GradingTest)
#include "tst_grading.moc"
