// Parameters of a test run as the tests set them up.
#pragma once

#include "core/records.h"

#include <QString>

namespace zorvik::testing {

// One-level: `asked` of `inFile` questions in file order, a 12-point scale,
// one point a question, no time limits, no going back.
inline Ns1Record oneLevelRun(const QString& testName, int inFile, int asked,
                             const QString& journalPath, quint8 mode) {
    Ns1Record p;
    p.TestName = testName;
    p.QuestionsInFile = inFile;
    p.TestQuestions = asked;
    p.GradeScale = 12;
    p.QuestionPoints = 1;
    p.JournalPath = journalPath;
    p.TestingMode.Mode = mode;
    p.TestingMode.QuestionTime = -1;
    p.TestingMode.TestTime = -1;
    p.TestingMode.InputOrder = true;
    return p;
}

} // namespace zorvik::testing
