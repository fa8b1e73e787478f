#include "grading.h"

#include <algorithm>
#include <climits>

#include "rounding.h"

using namespace Qt::StringLiterals;

namespace zorvik {

QuestionScoreResult scoreQuestion(const std::array<bool, 5>& correct,
                                  const std::array<bool, 5>& ticked, int questionValue,
                                  double previousPointsPerCorrect) {
    QuestionScoreResult r;
    r.PointsPerCorrect = previousPointsPerCorrect;
    bool anyTicked = false;
    bool wrongTick = false;
    for (size_t k = 0; k < 5; ++k) {
        r.CorrectCount += correct[k] ? 1 : 0;
        anyTicked = anyTicked || ticked[k];
        wrongTick = wrongTick || (ticked[k] && !correct[k]);
    }
    qint64 thousandths = 0;
    if (r.CorrectCount != 0) {
        const qint64 perCorrect =
            divRoundHalfEven(static_cast<qint64>(questionValue) * 1000, r.CorrectCount);
        r.PointsPerCorrect = static_cast<double>(perCorrect) / 1000.0;
        for (size_t k = 0; k < 5; ++k)
            if (ticked[k] && correct[k])
                thousandths += perCorrect;
    }
    r.QuestionScore = static_cast<double>(divRoundHalfEven(thousandths, 10)) / 100.0;
    if (wrongTick)
        r.QuestionScore = 0;
    if (r.CorrectCount == 0 && !anyTicked)
        r.QuestionScore = questionValue;
    return r;
}

std::array<bool, 5> correctFlags(const QuestionFields& q) {
    return {q.Correct1, q.Correct2, q.Correct3, q.Correct4, q.Correct5};
}

int questionValueTsr(const TsrRecord& q, const Ns2Record& params) {
    switch (levelOf(q)) {
    case QuestionLevel::None:
        break;
    case QuestionLevel::Low:
        return params.PointsLow;
    case QuestionLevel::Medium:
        return params.PointsMedium;
    case QuestionLevel::High:
        return params.PointsHigh;
    case QuestionLevel::Sufficient:
        return params.PointsSufficient;
    }
    return 0;
}

qint64 fullMaxPointsTsm(const Ns1Record& p) {
    return qint64(p.TestQuestions) * p.QuestionPoints;
}

qint64 fullMaxPointsTsr(const Ns2Record& p) {
    return qint64(p.TestLow) * p.PointsLow + qint64(p.TestMedium) * p.PointsMedium +
           qint64(p.TestSufficient) * p.PointsSufficient + qint64(p.TestHigh) * p.PointsHigh;
}

// Only called for parameters whose maximum fits (maxPointsRefusal is empty).
qint32 maxPointsTsm(const Ns1Record& p) {
    return qint32(std::clamp<qint64>(fullMaxPointsTsm(p), INT32_MIN, INT32_MAX));
}

qint32 maxPointsTsr(const Ns2Record& p) {
    return qint32(std::clamp<qint64>(fullMaxPointsTsr(p), INT32_MIN, INT32_MAX));
}

QString maxPointsRefusal(qint64 maxPoints) {
    if (maxPoints <= INT32_MAX)
        return {};
    return u"Максимальна кількість балів за тест ("_s + QString::number(maxPoints) +
           u") не вміщується у поле журналу «Макс.балів»:\rнайбільше можна "_s +
           QString::number(INT32_MAX) + u" балів!"_s;
}

qint32 questionCountTsr(const Ns2Record& p) {
    return p.TestLow + p.TestSufficient + p.TestMedium + p.TestHigh;
}

double scorePercent(double runScore, qint32 maxPoints) {
    if (maxPoints <= 0)
        return 0;
    return static_cast<double>(scaledRound(runScore, 2)) / static_cast<double>(maxPoints);
}

qint32 gradeFor(qint32 scale, double runScore, qint32 maxPoints) {
    const qint64 hundredths = maxPoints > 0 ? scaledRound(runScore, 2) : 0;
    const qint64 max = maxPoints > 0 ? maxPoints : 1;
    qint32 grade = static_cast<qint32>(divRoundHalfEven(scale * hundredths, 100 * max));
    if (scale != 12)
        return grade;
    // p = hundredths / max; p <= b  <=>  hundredths <= b × max
    auto le = [&](qint64 b) { return hundredths <= b * max; };
    auto lt = [&](qint64 b) { return hundredths < b * max; };
    if (hundredths < 0 || !le(100))
        return grade;
    if (le(18))
        return 1;
    if (le(35))
        return 2;
    if (le(50))
        return 3;
    if (le(60))
        return 4;
    if (le(68))
        return 5;
    if (le(75))
        return 6;
    if (le(81))
        return 7;
    if (le(86))
        return 8;
    if (le(90))
        return 9;
    if (lt(94))
        return 10;
    if (lt(97))
        return 11;
    return 12;
}

Verdict verdictFor(double questionScore, int questionValue) {
    Verdict v = Verdict::Good;
    if (scaledRound(questionScore, 2) == static_cast<qint64>(questionValue) * 100)
        v = Verdict::Excellent;
    if (scaledRound(questionScore, 2) == 0)
        v = Verdict::Bad;
    return v;
}

} // namespace zorvik
