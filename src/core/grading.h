// Scoring of one question, maximum points, percentage and grade.
// Points are kept in exact hundredths and thousandths so that the grade table's
// boundaries are met exactly.
#pragma once

#include "records.h"

#include <array>

namespace zorvik {

struct QuestionScoreResult {
    double QuestionScore = 0; // 2 decimals
    int CorrectCount = 0;
    double PointsPerCorrect = 0; // 3 decimals; the previous value when CorrectCount is 0
};

// correct[k], ticked[k] for answers 1..5 at indices 0..4. Partial credit for
// some of the correct answers; one wrong tick loses the question; a question
// without correct answers is right when left blank.
QuestionScoreResult scoreQuestion(const std::array<bool, 5>& correct,
                                  const std::array<bool, 5>& ticked, int questionValue,
                                  double previousPointsPerCorrect = 0);

std::array<bool, 5> correctFlags(const QuestionFields& q);

// Points of a four-level question: the points of its level, flags tested low,
// medium, high, sufficient with a later match winning; 0 without a level.
int questionValueTsr(const TsrRecord& q, const Ns2Record& params);

qint32 maxPointsTsm(const Ns1Record& params);
qint32 maxPointsTsr(const Ns2Record& params);
// The same without the journal's 32-bit limit, for checking that it fits.
qint64 fullMaxPointsTsm(const Ns1Record& params);
qint64 fullMaxPointsTsr(const Ns2Record& params);
// The journal's "Макс.балів" is a 32-bit field: parameters whose maximum does
// not fit are refused with this text; empty when it fits.
QString maxPointsRefusal(qint64 maxPoints);
qint32 questionCountTsr(const Ns2Record& params);

// RunScore × 100 / RunMaxPoints; 0 when the maximum is not positive.
double scorePercent(double runScore, qint32 maxPoints);

// The grade on `scale`: scale × score / max rounded, or on scale 12 the
// twelve-point table by percentage. A maximum of 0 (a four-level test whose
// points are all 0) is graded as a score of 0 %.
qint32 gradeFor(qint32 scale, double runScore, qint32 maxPoints);

enum class Verdict { Excellent, Good, Bad }; // "Чудово!", "Добре!", "Погано!"
Verdict verdictFor(double questionScore, int questionValue);

} // namespace zorvik
