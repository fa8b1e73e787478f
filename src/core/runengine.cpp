#include "runengine.h"

#include "fileerror.h"
#include "journalfile.h"
#include "localetext.h"
#include "paramfiles.h"
#include "rounding.h"

#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorvik {

// ----- the two windows --------------------------------------------------------

const RunWindowTraits& RunWindowTraits::plain() {
    static const RunWindowTraits traits{
        RunWindowKind::Plain,
        u"Наступне запитання->"_s,
        u"Ввести відповідь->"_s,
        {4, 21, 28, 30},
        {3, 21, 28, 30},
        {3, 23, 28, 30},
        20,
        50,
        false,
    };
    return traits;
}

const RunWindowTraits& RunWindowTraits::goBack() {
    static const RunWindowTraits traits{
        RunWindowKind::GoBack,
        u"Наступне ->"_s,
        u"Ввести ->"_s,
        {3, 21, 29, 30},
        {3, 23, 28, 30},
        {3, 23, 28, 30},
        50,
        200,
        true,
    };
    return traits;
}

// ----- parameters ---------------------------------------------------------------

namespace {

const QString kChangeParams =
    u"\rЗМІНІТЬ ПАРАМЕТРИ ТЕСТУВАННЯ ДЛЯ ДАНОГО ФАЙЛУ \rТА ПОВТОРІТЬ КОМАНДУ!!!"_s;

QString badParams(const QString& detail) {
    return u"Неправильні параметри тестування: "_s + detail + kChangeParams;
}

QString modeProblem(const TestingMode& m) {
    if (m.Mode < 1 || m.Mode > 4)
        return badParams(u"невідомий режим тестування ("_s + QString::number(m.Mode) + u")."_s);
    if ((m.Mode == 3 || m.Mode == 4) && m.QuestionTime <= 0)
        return badParams(u"не задано час на 1-е запитання."_s);
    if (m.TestTimeOn && (m.TestTime < 1 || m.TestTime > 1439))
        return badParams(u"недопустиме обмеження часу тестування ("_s +
                         QString::number(m.TestTime) + u" хв.)."_s);
    return {};
}

qint64 recordCountOf(const QString& path, int recordSize, const Storage& storage) {
    return storage.open(path, Storage::Access::Read, StoredKind::TestFile)->size() / recordSize;
}

QString tsmProblem(const Ns1Record& p, qint64 recordCount) {
    if (p.QuestionsInFile != recordCount - 1)
        return u"Кількість записів у файлі було ЗМІНЕНО!!!"_s + kChangeParams;
    if (p.QuestionsInFile > kMaxQuestionsTsm)
        return badParams(u"у файлі більше "_s + QString::number(kMaxQuestionsTsm) +
                         u" запитань."_s);
    if (p.TestQuestions < 1 || p.TestQuestions > p.QuestionsInFile)
        return badParams(u"кількість запитань для тестування ("_s +
                         QString::number(p.TestQuestions) + u") має бути від 1 до "_s +
                         QString::number(p.QuestionsInFile) + u"."_s);
    if (p.QuestionPoints <= 0)
        return badParams(u"балів за запитання має бути більше 0."_s);
    if (const QString tooMany = maxPointsRefusal(fullMaxPointsTsm(p)); !tooMany.isEmpty())
        return tooMany + kChangeParams;
    if (p.GradeScale <= 0)
        return badParams(u"система оцінювання має бути більшою за 0."_s);
    return modeProblem(p.TestingMode);
}

struct LevelCheck {
    QString name;
    int listSize;
    qint32 inFile;
    qint32 test;
    qint32 points;
};

QString tsrProblem(const Ns2Record& p, const LevelLists& levels) {
    const LevelCheck checks[] = {
        {u"низький"_s, static_cast<int>(levels.low.size()), p.InFileLow, p.TestLow, p.PointsLow},
        {u"середній"_s, static_cast<int>(levels.medium.size()), p.InFileMedium, p.TestMedium,
         p.PointsMedium},
        {u"достатній"_s, static_cast<int>(levels.sufficient.size()), p.InFileSufficient,
         p.TestSufficient, p.PointsSufficient},
        {u"високий"_s, static_cast<int>(levels.high.size()), p.InFileHigh, p.TestHigh,
         p.PointsHigh},
    };
    for (const LevelCheck& c : checks)
        if (c.listSize != c.inFile)
            return u"Кількість запитань у файлі або кількість запитань певних рівнів БУЛО "
                   u"ЗМІНЕНО!!!"_s +
                   kChangeParams;
    for (const LevelCheck& c : checks) {
        const QString level = u"рівень «"_s + c.name + u"»: "_s;
        if (c.inFile > kMaxQuestionsPerLevel)
            return badParams(level + u"у файлі більше "_s + QString::number(kMaxQuestionsPerLevel) +
                             u" запитань."_s);
        if (c.test < 0 || c.test > c.inFile)
            return badParams(level + u"для тестування задано "_s + QString::number(c.test) +
                             u" запитань із "_s + QString::number(c.inFile) + u"."_s);
        if (c.points < 0)
            return badParams(level + u"від'ємна кількість балів."_s);
    }
    if (questionCountTsr(p) <= 0)
        return badParams(u"не задано жодного запитання для тестування."_s);
    if (const QString tooMany = maxPointsRefusal(fullMaxPointsTsr(p)); !tooMany.isEmpty())
        return tooMany + kChangeParams;
    if (maxPointsTsr(p) <= 0)
        return badParams(u"за всі запитання тесту задано 0 балів, оцінку обчислити неможливо."_s);
    if (p.GradeScale <= 0)
        return badParams(u"система оцінювання має бути більшою за 0."_s);
    return modeProblem(p.TestingMode);
}

} // namespace

QString RunEngine::testFilePath(const AppState& state) {
    QString dir = state.TestDir;
    if (dir.isEmpty())
        dir = QFileInfo(state.TestFileName).path();
    const QString& stored = testKindOfExt(state.TestFileExt) == TestKind::Tsr
                                ? state.Ns2Record.TestName
                                : state.Ns1Record.TestName;
    QString name = paramKey(stored);
    if (name.isEmpty())
        name = paramKey(state.TestFileName);
    if (dir.endsWith(u'/') || dir.endsWith(u'\\'))
        return dir + name;
    return dir + u'/' + name;
}

QString RunEngine::checkParameters(const AppState& state) {
    const QString path = testFilePath(state);
    switch (testKindOfExt(state.TestFileExt)) {
    case TestKind::Tsm:
        return tsmProblem(state.Ns1Record, recordCountOf(path, TsmRecord::Size, *state.storage));
    case TestKind::Tsr:
        return tsrProblem(state.Ns2Record, readLevelLists(path, *state.storage));
    case TestKind::None:
        break;
    }
    return u"Невідомий тип тестового файлу: "_s + state.TestFileName;
}

void RunEngine::writeLogHeader(AppState& state, const Clock& clock) {
    // The block is written whole at the run's end; a log that cannot be
    // written is found now, before the student begins.
    checkResultLogWritable(resultLogPath(state.ProgramDir), *state.storage);
    state.PendingLog = resultLogHeader(state.TestFileName, state.Run.StudentName,
                                       state.Run.StudentGroup, clock.now());
}

// ----- the run ----------------------------------------------------------------

RunEngine::RunEngine(AppState& state, const RunWindowTraits& traits, Clock& clock,
                     RandomSource& random, Beep beep)
    : state_(state), run_(state.Run), traits_(traits), clock_(clock), random_(random),
      beep_(std::move(beep)), kind_(testKindOfExt(state.TestFileExt)) {}

const TestingMode& RunEngine::mode() const {
    return kind_ == TestKind::Tsr ? state_.Ns2Record.TestingMode : state_.Ns1Record.TestingMode;
}

qint32 RunEngine::gradeScale() const {
    return kind_ == TestKind::Tsr ? state_.Ns2Record.GradeScale : state_.Ns1Record.GradeScale;
}

const QuestionFields& RunEngine::question() const {
    if (kind_ == TestKind::Tsr)
        return state_.TsrBuffer;
    return state_.TsmBuffer;
}

int RunEngine::questionValue() const {
    if (kind_ == TestKind::Tsr)
        return questionValueTsr(state_.TsrBuffer, state_.Ns2Record);
    return state_.Ns1Record.QuestionPoints;
}

const LogSpacing& RunEngine::answerSpacing() const {
    return kind_ == TestKind::Tsr ? traits_.answerTsr : traits_.answerTsm;
}

void RunEngine::setChecks(const Checks& checks) {
    checks_ = checks;
    ++checksSerial_;
}

void RunEngine::appendLog(const QStringList& lines) {
    state_.PendingLog += lines;
}

void RunEngine::endLog(const QStringList& lines) {
    QStringList block = std::move(state_.PendingLog);
    state_.PendingLog.clear();
    block += lines;
    appendToResultLog(resultLogPath(state_.ProgramDir), block, *state_.storage);
}

QString RunEngine::start() {
    const bool goBack = traits_.kind == RunWindowKind::GoBack;
    // The window as it stands before every run.
    display_ = RunDisplay();
    display_.nextCaption = traits_.nextCaption;
    display_.checksEnabled = true;
    display_.mediaEnabled = true;
    run_.QuestionStartMs = now();
    run_.RunQuestionCount = 0;
    run_.ExpiryTicks = 0;
    if (goBack) {
        run_.FurthestQuestion = 1;
        run_.BackSteps = 0;
    }
    logOpen_ = true;
    started_ = ended_ = questionLoaded_ = testTimerRunning_ = exitForced_ = false;
    // Until the questions are chosen, leaving is the only way on.
    display_.nextEnabled = false;
    display_.exitEnabled = true;

    display_.levelVisible = kind_ == TestKind::Tsr;
    LevelLists levels;
    if (kind_ == TestKind::Tsr)
        levels = readLevelLists(testFilePath(state_), *state_.storage);
    QString problem;
    if (kind_ == TestKind::Tsm)
        problem = tsmProblem(state_.Ns1Record,
                             recordCountOf(testFilePath(state_), TsmRecord::Size, *state_.storage));
    else if (kind_ == TestKind::Tsr)
        problem = tsrProblem(state_.Ns2Record, levels);
    else
        problem = u"Невідомий тип тестового файлу: "_s + state_.TestFileName;
    if (!problem.isEmpty())
        return problem;
    if (kind_ == TestKind::Tsr) {
        state_.LevelLowList = levels.low;
        state_.LevelMediumList = levels.medium;
        state_.LevelSufficientList = levels.sufficient;
        state_.LevelHighList = levels.high;
    }

    const TestingMode& m = mode();
    const Ns1Record& p1 = state_.Ns1Record;
    const Ns2Record& p2 = state_.Ns2Record;
    run_.RunMaxPoints = kind_ == TestKind::Tsr ? maxPointsTsr(p2) : maxPointsTsm(p1);

    if (m.TestTimeOn) {
        run_.TestEndMs = now() + qint64(m.TestTime) * 60 * 1000;
        run_.LastCheckMs = now();
        testTimerRunning_ = true;
        display_.testTimerVisible = true;
        display_.testTimerText = intervalText(run_.TestEndMs - now());
    } else {
        run_.TestEndMs = run_.LastCheckMs = 0;
    }
    display_.hintsVisible = hintMode();
    if (hintMode())
        display_.maxText = QString::number(run_.RunMaxPoints);
    display_.questionTimerVisible = questionTimeMode();
    display_.questionTimerText = questionTimeMode() ? QString::number(m.QuestionTime) : QString();
    display_.progressVisible = false;
    display_.progress = 0;

    display_.caption = u"Тестування - "_s + state_.TestFileName;
    const auto n = [](qint32 v) { return QString::number(v); };
    display_.status[0] = u"Тест: "_s + state_.TestFileName;
    if (kind_ == TestKind::Tsr) {
        display_.status[1] =
            u"Зап: "_s + n(questionCountTsr(p2)) + u'/' +
            n(p2.InFileLow + p2.InFileSufficient + p2.InFileMedium + p2.InFileHigh) + u" ("_s +
            n(p2.TestLow) + u'/' + n(p2.TestMedium) + u'/' + n(p2.TestSufficient) + u'/' +
            n(p2.TestHigh) + u')';
        display_.status[3] = u"КБЗ: "_s + n(p2.PointsLow) + u'/' + n(p2.PointsMedium) + u'/' +
                             n(p2.PointsSufficient) + u'/' + n(p2.PointsHigh);
    } else {
        display_.status[1] = u"Зап: "_s + n(p1.TestQuestions) + u'/' + n(p1.QuestionsInFile);
        display_.status[3] = u"КБЗ: "_s + n(p1.QuestionPoints);
    }
    display_.status[2] = u"Оц.: "_s + n(gradeScale());
    display_.status[4] = u"МКБ: "_s + n(run_.RunMaxPoints);

    run_.QuestionCounter = 1;
    run_.RunScore = 0;
    run_.QuestionScore = 0;
    run_.ScorePercent = 0;
    run_.RunQuestionCount = kind_ == TestKind::Tsr ? questionCountTsr(p2) : p1.TestQuestions;
    // A run left before any answer is graded as a score of 0, not with the
    // grade of some earlier entry.
    updateGrade();
    state_.JournalRecord.Points = 0;
    if (goBack) {
        const size_t size = static_cast<size_t>(run_.RunQuestionCount) + 2;
        run_.SavedChecks.assign(size, Checks{});
        run_.SavedScores.assign(size, 0.0);
        run_.SavedProgress.assign(size, 0);
    }

    if (kind_ == TestKind::Tsr) {
        LevelLists drawn;
        run_.QuestionOrder = SelectQuestionsTsr(p2, levels, random_, &drawn);
        run_.SelectedLow = std::move(drawn.low);
        run_.SelectedMedium = std::move(drawn.medium);
        run_.SelectedSufficient = std::move(drawn.sufficient);
        run_.SelectedHigh = std::move(drawn.high);
    } else {
        run_.QuestionOrder = SelectQuestionsTsm(p1, random_);
    }
    started_ = true;

    display_.questionNo = u"1"_s;
    display_.questionCount = QString::number(run_.RunQuestionCount);
    display_.nextEnabled = true;
    display_.resultEnabled = false;
    display_.exitEnabled = false;
    // A run of one question: its only answer ends it.
    if (run_.RunQuestionCount <= 1) {
        display_.nextCaption = traits_.lastCaption;
        display_.nextRed = true;
        display_.nextHint = kLastAnswerHint;
    }
    setChecks({});
    showQuestion();
    return {};
}

void RunEngine::showQuestion() {
    questionLoaded_ = false;
    ++questionSerial_;
    // Leaving must stay possible while the question cannot be read.
    if (!display_.exitEnabled) {
        display_.exitEnabled = true;
        exitForced_ = true;
    }
    const int counter = run_.QuestionCounter;
    if (counter < 1 || counter >= static_cast<int>(run_.QuestionOrder.size()))
        return;
    const int record = run_.QuestionOrder[static_cast<size_t>(counter)];
    const QString path = testFilePath(state_);
    const int size = kind_ == TestKind::Tsr ? TsrRecord::Size : TsmRecord::Size;
    const QByteArray image = state_.storage->open(path, Storage::Access::Read, StoredKind::TestFile)
                                 ->readAt(qint64(record) * size, size);
    if (image.size() != size)
        throw FileError(FileError::Op::Read, path, u"файл закінчився раніше, ніж запитання"_s);

    bool pictureAnswers = false;
    if (kind_ == TestKind::Tsr) {
        state_.TsrBuffer = TsrRecord::decode(image);
        pictureAnswers = state_.TsrBuffer.QuestionAndPicture;
        const TsrRecord& q = state_.TsrBuffer;
        display_.levelText.clear();
        display_.levelColour = LevelColour::None;
        if (q.LevelLow) {
            display_.levelText = u"низький"_s;
            display_.levelColour = LevelColour::Green;
        }
        if (q.LevelSufficient) {
            display_.levelText = u"достатній"_s;
            display_.levelColour = LevelColour::Green;
        }
        if (q.LevelMedium) {
            display_.levelText = u"середній"_s;
            display_.levelColour = LevelColour::Blue;
        }
        if (q.LevelHigh) {
            display_.levelText = u"високий"_s;
            display_.levelColour = LevelColour::Red;
        }
    } else {
        state_.TsmBuffer = TsmRecord::decode(image);
        pictureAnswers = state_.TsmBuffer.QuestionAndPicture;
    }
    display_.questionNo = QString::number(counter);
    display_.questionCount = QString::number(run_.RunQuestionCount);
    const QuestionFields& shown = question();
    for (int k = 1; k <= 5; ++k)
        display_.answerShown[size_t(k - 1)] = !shown.answer(k).trimmed().isEmpty();
    // Shuffled, the filled answers take the first places among themselves.
    run_.AnswerPermutation = mode().ShuffleAnswers && !pictureAnswers
                                 ? filledFirst(PeremVidp(random_), display_.answerShown)
                                 : kOwnSlots;
    questionLoaded_ = true;
    if (exitForced_) {
        display_.exitEnabled = false;
        exitForced_ = false;
    }
}

void RunEngine::updateGrade() {
    run_.ScorePercent = scorePercent(run_.RunScore, run_.RunMaxPoints);
    state_.JournalRecord.Grade = gradeFor(gradeScale(), run_.RunScore, run_.RunMaxPoints);
}

double RunEngine::savedScoreSum() const {
    qint64 hundredths = 0;
    const size_t last = std::min(static_cast<size_t>(std::max(run_.FurthestQuestion, 0)),
                                 run_.SavedScores.size() - 1);
    for (size_t i = 1; i <= last; ++i)
        hundredths += scaledRound(run_.SavedScores[i], 2);
    return static_cast<double>(hundredths) / 100.0;
}

void RunEngine::showVerdict(double questionScore, int value) {
    display_.verdict = verdictFor(questionScore, value);
    display_.questionScoreText = logNumberText(roundTo(questionScore, 2));
    display_.runScoreText = logNumberText(roundTo(run_.RunScore, 2));
    display_.maxText = QString::number(run_.RunMaxPoints);
}

void RunEngine::setProgress(int position) {
    display_.progressVisible = true;
    display_.progress = position;
}

void RunEngine::answer(const Checks& checks) {
    if (!started_ || ended_ || !display_.nextEnabled)
        return;
    if (!questionLoaded_) {
        showQuestion();
        return;
    }
    const int counter = run_.QuestionCounter;
    if (counter > run_.RunQuestionCount)
        return;
    const bool goBack = traits_.kind == RunWindowKind::GoBack;
    const int value = questionValue();
    const QuestionScoreResult s =
        scoreQuestion(correctFlags(question()), checks, value, run_.PointsPerCorrect);
    run_.CorrectCount = 0;
    const qint64 at = now();
    appendLog({resultLogQuestionLine(answerSpacing(), counter,
                                     run_.QuestionOrder[static_cast<size_t>(counter)],
                                     s.QuestionScore, at - run_.QuestionStartMs)});
    run_.QuestionStartMs = at;
    run_.QuestionScore = s.QuestionScore;
    run_.CorrectCount = s.CorrectCount;
    run_.PointsPerCorrect = s.PointsPerCorrect;

    if (goBack) {
        if (run_.BackSteps > 0)
            --run_.BackSteps;
        else
            ++run_.FurthestQuestion;
        run_.SavedChecks[static_cast<size_t>(counter)] = checks;
        run_.SavedScores[static_cast<size_t>(counter)] = s.QuestionScore;
        run_.RunScore = savedScoreSum();
        ++run_.QuestionCounter;
    } else {
        run_.RunScore = roundTo(run_.RunScore + s.QuestionScore, 2);
        ++run_.QuestionCounter;
    }
    updateGrade();
    const int next = run_.QuestionCounter;
    display_.questionNo = QString::number(next);
    setChecks(goBack ? run_.SavedChecks[static_cast<size_t>(next)] : Checks{});
    if (hintMode())
        showVerdict(s.QuestionScore, value);
    if (questionTimeMode())
        display_.questionTimerText = QString::number(mode().QuestionTime);
    const int position = static_cast<int>(
        divRoundHalfEven(qint64(next - 1) * 100, std::max(run_.RunQuestionCount, 1)));
    setProgress(position);
    if (goBack)
        run_.SavedProgress[static_cast<size_t>(next)] = position;

    if (testLimitOn()) {
        run_.LastCheckMs = now();
        if (next <= run_.RunQuestionCount && run_.LastCheckMs >= run_.TestEndMs) {
            finishRun(true);
            return;
        }
    }
    const bool last = next >= run_.RunQuestionCount;
    display_.nextCaption = last ? traits_.lastCaption : traits_.nextCaption;
    display_.nextRed = last;
    display_.nextHint = last ? kLastAnswerHint : QString();
    if (next > run_.RunQuestionCount) {
        finishRun(false);
        return;
    }
    if (goBack)
        display_.backEnabled = true;
    showQuestion();
}

void RunEngine::goBack(const Checks& checks) {
    if (traits_.kind != RunWindowKind::GoBack || !started_ || ended_ || !questionLoaded_ ||
        !display_.backEnabled)
        return;
    const int counter = run_.QuestionCounter;
    if (counter > run_.RunQuestionCount || counter <= 1)
        return;
    const int value = questionValue();
    const QuestionScoreResult s =
        scoreQuestion(correctFlags(question()), checks, value, run_.PointsPerCorrect);
    const qint64 at = now();
    appendLog({resultLogQuestionLine(traits_.goingBack, counter,
                                     run_.QuestionOrder[static_cast<size_t>(counter)],
                                     s.QuestionScore, at - run_.QuestionStartMs)});
    run_.QuestionStartMs = at;
    ++run_.BackSteps;
    run_.QuestionScore = s.QuestionScore;
    run_.CorrectCount = s.CorrectCount;
    run_.PointsPerCorrect = s.PointsPerCorrect;
    run_.SavedChecks[static_cast<size_t>(counter)] = checks;
    run_.SavedScores[static_cast<size_t>(counter)] = s.QuestionScore;
    run_.RunScore = savedScoreSum();
    // The grade follows the points, so a run left now records them together.
    updateGrade();

    run_.QuestionCounter = std::max(1, counter - 1);
    const int shown = run_.QuestionCounter;
    display_.backEnabled = shown > 1;
    display_.questionNo = QString::number(shown);
    if (hintMode())
        showVerdict(s.QuestionScore, value);
    if (questionTimeMode())
        display_.questionTimerText = QString::number(mode().QuestionTime);
    setProgress(run_.SavedProgress[static_cast<size_t>(shown)]);
    // The question shown now is never the last one.
    display_.nextCaption = traits_.nextCaption;
    display_.nextRed = false;
    display_.nextHint.clear();
    setChecks(run_.SavedChecks[static_cast<size_t>(shown)]);
    showQuestion();
}

void RunEngine::tickQuestionTimer(const Checks& checks) {
    if (!started_ || ended_ || run_.QuestionCounter > run_.RunQuestionCount || !questionTimeMode())
        return;
    if (testLimitOn() && run_.LastCheckMs >= run_.TestEndMs)
        return;
    if (display_.questionTimerText == u"1"_s) {
        answer(checks);
        display_.questionTimerText = QString::number(mode().QuestionTime + 1);
    }
    if (display_.questionTimerText.isEmpty())
        beep_(kBeepHz, kEndBeepMs);
    else
        display_.questionTimerText = QString::number(display_.questionTimerText.toInt() - 1);
}

void RunEngine::tickTestTimer() {
    if (!started_ || ended_ || !testTimerRunning_)
        return;
    const qint64 t = now();
    run_.LastCheckMs = t;
    if (!testLimitOn())
        return;
    if (run_.QuestionCounter <= run_.RunQuestionCount && t <= run_.TestEndMs) {
        display_.testTimerText = intervalText(run_.TestEndMs - t);
        display_.nextEnabled = true;
        display_.resultEnabled = false;
        display_.exitEnabled = !questionLoaded_;
        exitForced_ = !questionLoaded_;
        return;
    }
    ++run_.ExpiryTicks;
    exitForced_ = false;
    display_.nextEnabled = false;
    display_.backEnabled = false;
    display_.resultEnabled = true;
    display_.exitEnabled = true;
    display_.checksEnabled = false;
    if (run_.ExpiryTicks == 1)
        beep_(kBeepHz, kEndBeepMs);
}

void RunEngine::finishRun(bool byTime) {
    ended_ = true;
    exitForced_ = false;
    logOpen_ = false;
    display_.nextEnabled = false;
    display_.backEnabled = false;
    display_.resultEnabled = true;
    display_.exitEnabled = true;
    display_.checksEnabled = false;
    display_.mediaEnabled = byTime && traits_.mediaStaysOnTimeUp;

    JournalRecord& entry = state_.JournalRecord;
    entry.Points = roundTo(run_.RunScore, 2);
    if (entry.Grade == 0)
        entry.Grade = 1;
    std::optional<FileError> failure;
    try {
        endLog(resultLogEnd(clock_.now(), run_.RunMaxPoints, entry.Points, gradeScale(),
                            entry.Grade, false));
    } catch (const FileError& e) {
        failure = e;
    }
    display_.questionNo = QString::number(run_.QuestionCounter - 1);
    display_.questionTimerVisible = false;
    // The journal is the teacher's record: it is written even when the log failed.
    try {
        ZapysZurnal(state_, clock_);
    } catch (const FileError& e) {
        if (!failure)
            failure = e;
    }
    testTimerRunning_ = false;
    int ms = kEndBeepMs;
    if (byTime)
        ms = kind_ == TestKind::Tsr ? traits_.timeUpBeepTsr : traits_.timeUpBeepTsm;
    beep_(kBeepHz, ms);
    if (failure)
        throw *failure;
}

void RunEngine::leave() {
    display_.verdict.reset();
    display_.questionScoreText.clear();
    display_.runScoreText.clear();
    display_.maxText.clear();
    display_.hintsVisible = false;
}

void RunEngine::close() {
    state_.JournalRecord.Points = roundTo(run_.RunScore, 2);
    std::optional<FileError> failure;
    if (logOpen_ && !ended_) {
        ended_ = true;
        logOpen_ = false;
        testTimerRunning_ = false;
        const bool brokenOff = !started_ || run_.QuestionCounter <= run_.RunQuestionCount;
        if (brokenOff) {
            try {
                endLog(resultLogEnd(clock_.now(), run_.RunMaxPoints, state_.JournalRecord.Points,
                                    gradeScale(), state_.JournalRecord.Grade, true));
            } catch (const FileError& e) {
                failure = e;
            }
            // A run that never began (its parameters were refused) has no entry.
            if (started_) {
                try {
                    ZapysZurnal(state_, clock_);
                } catch (const FileError& e) {
                    if (!failure)
                        failure = e;
                }
                beep_(kBeepHz, kEndBeepMs);
            }
        }
    }
    testTimerRunning_ = false;
    if (traits_.kind == RunWindowKind::GoBack) {
        std::fill(run_.SavedChecks.begin(), run_.SavedChecks.end(), Checks{});
        std::fill(run_.SavedScores.begin(), run_.SavedScores.end(), 0.0);
    }
    if (failure)
        throw *failure;
}

// ----- the result window ------------------------------------------------------

ResultFigures resultFigures(const AppState& state, const QDateTime& now) {
    ResultFigures f;
    const auto n = [](qint32 v) { return QString::number(v); };
    f.name = state.Run.StudentName;
    f.group = state.Run.StudentGroup;
    if (testKindOfExt(state.TestFileExt) == TestKind::Tsr) {
        const Ns2Record& p = state.Ns2Record;
        f.questions = n(questionCountTsr(p)) + u" ("_s + n(p.TestLow) + u'/' + n(p.TestMedium) +
                      u'/' + n(p.TestSufficient) + u'/' + n(p.TestHigh) + u')';
        f.scale = n(p.GradeScale);
        f.pointsPerQuestion = n(p.PointsLow) + u'/' + n(p.PointsMedium) + u'/' +
                              n(p.PointsSufficient) + u'/' + n(p.PointsHigh);
        f.maxPoints = n(maxPointsTsr(p));
    } else {
        const Ns1Record& p = state.Ns1Record;
        f.questions = n(p.TestQuestions);
        f.scale = n(p.GradeScale);
        f.pointsPerQuestion = n(p.QuestionPoints);
        f.maxPoints = n(p.TestQuestions * p.QuestionPoints);
    }
    f.score = logNumberText(roundTo(state.Run.RunScore, 2));
    f.grade = n(state.JournalRecord.Grade == 0 ? 1 : state.JournalRecord.Grade);
    f.date = shortDateText(now.date());
    f.time = longTimeText(now.time());
    return f;
}

} // namespace zorvik
