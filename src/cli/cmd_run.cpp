// run: a whole testing run without windows, through the run engine that the
// testing windows drive, with the answers given on the command line.
#include "command.h"

#include "core/appstate.h"
#include "core/bytes.h"
#include "core/fileerror.h"
#include "core/journalfile.h"
#include "core/paramfiles.h"
#include "core/questiontext.h"
#include "core/recordfile.h"
#include "core/resultlog.h"
#include "core/rounding.h"
#include "core/runengine.h"
#include "core/selection.h"
#include "core/services.h"
#include "core/testfilecheck.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorvik::cli {
namespace {

// What the name window keeps of its two fields.
constexpr int kNameCapacity = 40;
constexpr int kGroupCapacity = 19;

// No time passes during a run given from the command line: every question
// takes 0:00:00 and no time limit ever runs out.
class FrozenClock final : public Clock {
public:
    explicit FrozenClock(QDateTime at) : at_(std::move(at)) {}
    QDateTime now() const override { return at_; }
    qint64 monotonicMs() const override { return 0; }

private:
    QDateTime at_;
};

struct RunArgs {
    QString test;
    QString name;
    QString group;
    std::vector<Checks> answers;
    quint32 seed = 0;
    bool inFileOrder = false;
    bool json = false;
    QDateTime at;
};

// The program's messages break lines with CR; an error here is one line.
QString oneLine(QString text) {
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text.simplified();
}

std::vector<Checks> parseAnswers(const QString& list) {
    std::vector<Checks> groups;
    const QStringList parts = list.split(u';');
    for (qsizetype g = 0; g < parts.size(); ++g) {
        Checks checks{};
        const QString group = parts[g].trimmed();
        const QString where = u"answer group "_s + QString::number(g + 1);
        if (!group.isEmpty()) {
            for (const QString& item : group.split(u',')) {
                bool ok = false;
                const int k = item.trimmed().toInt(&ok);
                if (!ok || k < 1 || k > 5)
                    throw UsageError{where + u": answer numbers are 1 to 5, not \""_s +
                                     item.trimmed() + u"\""_s};
                bool& ticked = checks[static_cast<size_t>(k - 1)];
                if (ticked)
                    throw UsageError{where + u": answer "_s + QString::number(k) +
                                     u" is given twice"_s};
                ticked = true;
            }
        }
        groups.push_back(checks);
    }
    return groups;
}

QString requiredValue(const Args& a, const QString& option) {
    const auto it = a.values.find(option);
    if (it == a.values.end())
        throw UsageError{u"run needs "_s + option};
    return it->second;
}

RunArgs runArgs(const QStringList& args) {
    const Args a =
        parseArgs(args, {u"--name"_s, u"--group"_s, u"--answers"_s, u"--seed"_s, u"--at"_s});
    RunArgs r;
    for (const QString& flag : a.flags) {
        if (flag == u"--in-file-order"_s)
            r.inFileOrder = true;
        else if (flag == u"--json"_s)
            r.json = true;
        else
            throw UsageError{u"unknown option "_s + flag};
    }
    if (a.positional.size() != 1)
        throw UsageError{u"run takes one TEST"_s};
    r.test = a.positional[0];
    r.name = requiredValue(a, u"--name"_s);
    r.group = requiredValue(a, u"--group"_s);
    // The name window's own checks.
    if (r.name.trimmed().isEmpty())
        throw UsageError{u"the name is blank"_s};
    if (r.group.trimmed().isEmpty())
        throw UsageError{u"the group is blank"_s};
    r.answers = parseAnswers(requiredValue(a, u"--answers"_s));
    if (const auto it = a.values.find(u"--seed"_s); it != a.values.end()) {
        bool ok = false;
        r.seed = it->second.trimmed().toUInt(&ok);
        if (!ok)
            throw UsageError{u"--seed must be a whole number from 0 to 4294967295: "_s +
                             it->second};
    } else {
        r.seed = QRandomGenerator::system()->generate();
    }
    if (const auto it = a.values.find(u"--at"_s); it != a.values.end()) {
        r.at = QDateTime::fromString(it->second.trimmed(), Qt::ISODate);
        if (!r.at.isValid())
            throw UsageError{u"--at must be a date and time like 2026-12-08T09:00:00: "_s +
                             it->second};
    } else {
        r.at = QDateTime::currentDateTime();
    }
    return r;
}

// Every question of the file once, each level in turn for a four-level test;
// only the state changes, never the parameter file.
void askEveryQuestion(AppState& state, TestKind kind) {
    if (kind == TestKind::Tsr) {
        Ns2Record& p = state.Ns2Record;
        p.TestLow = p.InFileLow;
        p.TestMedium = p.InFileMedium;
        p.TestSufficient = p.InFileSufficient;
        p.TestHigh = p.InFileHigh;
        p.TestingMode.InputOrder = true;
    } else {
        Ns1Record& p = state.Ns1Record;
        p.TestQuestions = p.QuestionsInFile;
        p.TestingMode.InputOrder = true;
    }
}

// The answers against the questions the run will ask, before anything is
// written. The engine draws its selection first of all, so a generator seeded
// alike foretells it.
void checkAnswers(const AppState& state, TestKind kind, const RunArgs& r) {
    SeededRandom random(r.seed);
    const QString path = RunEngine::testFilePath(state);
    const std::vector<int> order =
        kind == TestKind::Tsr ? SelectQuestionsTsr(state.Ns2Record, readLevelLists(path), random)
                              : SelectQuestionsTsm(state.Ns1Record, random);
    const size_t questions = order.empty() ? 0 : order.size() - 1;
    if (r.answers.size() > questions)
        throw UsageError{QString::number(r.answers.size()) + u" answer groups for a run of "_s +
                         QString::number(questions) + u" questions"_s};
    RecordFile file;
    file.openExisting(path, recordSizeOf(kind));
    for (size_t i = 0; i < r.answers.size(); ++i) {
        const int record = order[i + 1];
        file.seek(record);
        const QuestionFields q = kind == TestKind::Tsr
                                     ? QuestionFields(file.readRecord<TsrRecord>())
                                     : QuestionFields(file.readRecord<TsmRecord>());
        // A question whose answers are in its picture may leave their texts blank.
        if (q.QuestionAndPicture)
            continue;
        for (int k = 1; k <= 5; ++k)
            if (r.answers[i][static_cast<size_t>(k - 1)] && trimField(q.answer(k)).isEmpty())
                throw UsageError{u"answer group "_s + QString::number(i + 1) + u": record "_s +
                                 QString::number(record) + u" has no answer "_s +
                                 QString::number(k)};
    }
    file.close();
}

qint64 sizeOf(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() ? info.size() : -1;
}

struct Asked {
    int record = 0;
    Checks checks{};
    std::array<int, 5> places{}; // the slot each answer was shown in
    double points = 0;
};

QList<int> tickedAnswers(const Checks& checks) {
    QList<int> ticked;
    for (int k = 1; k <= 5; ++k)
        if (checks[static_cast<size_t>(k - 1)])
            ticked.append(k);
    return ticked;
}

QList<int> shownSlots(const Asked& a) {
    QList<int> shown;
    for (int k : tickedAnswers(a.checks))
        shown.append(a.places[static_cast<size_t>(k - 1)]);
    return shown;
}

QString numbersText(const QList<int>& numbers) {
    QStringList texts;
    for (int n : numbers)
        texts.append(QString::number(n));
    return texts.isEmpty() ? u"-"_s : texts.join(u',');
}

QJsonArray jsonNumbers(const QList<int>& numbers) {
    QJsonArray list;
    for (int n : numbers)
        list.append(n);
    return list;
}

int run(const QStringList& args) {
    const RunArgs r = runArgs(args);
    const QString testPath = QFileInfo(r.test).absoluteFilePath();
    const QString ext = testFileExtOf(testPath);
    const TestKind kind = testKindOfExt(ext);
    if (kind == TestKind::None)
        throw UsageError{u"a test file must end in .tsm or .tsr: "_s + r.test};
    if (!QFileInfo(testPath).isFile())
        throw UsageError{u"no such test file: "_s + r.test};

    AppState state;
    state.ProgramDir = QDir::currentPath();
    state.TestFileName = testPath;
    state.TestFileExt = ext;
    state.TestDir = folderOf(testPath);

    // The testing command's checks, then the name window's.
    if (partialTailBytes(testPath, recordSizeOf(kind)) != 0)
        err() << "zorvik-cli run: warning: "
              << oneLine(damagedFileText(testPath, recordSizeOf(kind))) << "\n";
    const ParamsCheck found = kind == TestKind::Tsm ? checkParamsTsm(state) : checkParamsTsr(state);
    state.TsmFile.close();
    state.TsrFile.close();
    if (found != ParamsCheck::Ok)
        throw UsageError{oneLine(paramsCheckMessage(found, kind, state))};
    if (r.inFileOrder)
        askEveryQuestion(state, kind);
    if (const QString problem = RunEngine::checkParameters(state); !problem.isEmpty())
        throw UsageError{oneLine(problem)};
    checkAnswers(state, kind, r);

    // Everything is checked: from here on the run writes.
    RunState& runState = state.Run;
    runState.StudentName = cutToCapacity(r.name, kNameCapacity);
    runState.QuestionCounter = 1;
    runState.StudentGroup = cutToCapacity(r.group, kGroupCapacity);
    runState.RunMaxPoints = 0;

    FrozenClock clock(r.at);
    SeededRandom random(r.seed);
    const bool goBack = kind == TestKind::Tsr ? state.Ns2Record.TestingMode.GoBack
                                              : state.Ns1Record.TestingMode.GoBack;
    RunEngine engine(state, goBack ? RunWindowTraits::goBack() : RunWindowTraits::plain(), clock,
                     random, [](int, int) {});

    const QString journal = state.JournalPath;
    const QString defaultJournal = state.defaultJournalPath();
    const qint64 journalBefore = sizeOf(journal);
    const qint64 defaultBefore = sizeOf(defaultJournal);

    RunEngine::writeLogHeader(state, clock);
    std::vector<Asked> asked;
    try {
        if (const QString problem = engine.start(); !problem.isEmpty()) {
            engine.close();
            throw UsageError{oneLine(problem)};
        }
        for (const Checks& checks : r.answers) {
            Asked a;
            a.record = runState.QuestionOrder[static_cast<size_t>(runState.QuestionCounter)];
            a.checks = checks;
            a.places = runState.AnswerPermutation;
            engine.answer(checks);
            a.points = runState.QuestionScore;
            asked.push_back(a);
        }
    } catch (const FileError&) {
        // The block in the log is closed as the window's closing closes it.
        try {
            engine.close();
        } catch (const FileError&) {
        }
        throw;
    }
    // Fewer answers than questions: the student closed the window there.
    const bool interrupted = !engine.ended();
    engine.close();

    // The journal that grew: the named one, or the default one it fell back to.
    QString written;
    if (!journal.isEmpty() && sizeOf(journal) > std::max<qint64>(journalBefore, 0))
        written = journal;
    else if (sizeOf(defaultJournal) > std::max<qint64>(defaultBefore, 0))
        written = defaultJournal;

    const double score = state.JournalRecord.Points;
    const double percent = roundTo(runState.ScorePercent, 2);
    const qint32 grade = state.JournalRecord.Grade;
    const qint32 scale =
        kind == TestKind::Tsr ? state.Ns2Record.GradeScale : state.Ns1Record.GradeScale;

    if (r.json) {
        QJsonArray list;
        for (const Asked& a : asked)
            list.append(QJsonObject{{u"record"_s, a.record},
                                    {u"answers"_s, jsonNumbers(tickedAnswers(a.checks))},
                                    {u"shown"_s, jsonNumbers(shownSlots(a))},
                                    {u"points"_s, a.points}});
        const QJsonObject result{
            {u"test"_s, testPath},
            {u"name"_s, runState.StudentName},
            {u"group"_s, runState.StudentGroup},
            {u"seed"_s, qint64(r.seed)},
            {u"questions"_s, runState.RunQuestionCount},
            {u"asked"_s, list},
            {u"score"_s, score},
            {u"maxPoints"_s, runState.RunMaxPoints},
            {u"percent"_s, percent},
            {u"grade"_s, grade},
            {u"gradeScale"_s, scale},
            {u"interrupted"_s, interrupted},
            {u"journal"_s, written},
        };
        out() << QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Indented));
        return 0;
    }
    out() << "test: " << testPath << "\n"
          << "name: " << runState.StudentName << "\n"
          << "group: " << runState.StudentGroup << "\n"
          << "seed: " << r.seed << "\n";
    for (size_t i = 0; i < asked.size(); ++i) {
        const Asked& a = asked[i];
        out() << "question " << (i + 1) << ": record " << a.record << ", answers "
              << numbersText(tickedAnswers(a.checks)) << " (shown at " << numbersText(shownSlots(a))
              << "), points " << logNumberText(a.points) << "\n";
    }
    if (interrupted)
        out() << "broken off after " << asked.size() << " of " << runState.RunQuestionCount
              << " questions\n";
    out() << "score: " << logNumberText(score) << " of " << runState.RunMaxPoints << " ("
          << logNumberText(percent) << " %)\n"
          << "grade: " << grade << " of " << scale << "\n"
          << "journal: " << written << "\n";
    return 0;
}

const Register
    runCommand(u"run"_s,
               {u"run TEST --name NAME --group GROUP --answers LIST [--seed N] [--in-file-order] "
                u"[--at WHEN] [--json]"_s,
                u"Gives TEST (.tsm or .tsr) to a student without windows, as the testing window\n"
                u"does: its parameters come from test.ns1 or test.ns2 in the current folder, the\n"
                u"result log result.txt there gets the run's block, and the test's journal (or\n"
                u"jurnal.ocn in the current folder) its entry.\n"
                u"\n"
                u"LIST holds the answers of the questions in the order they are asked, one group\n"
                u"per question, groups split by \";\", answers in a group by \",\". An answer is\n"
                u"its number in the test file, 1 to 5, wherever shuffling shows it: \"2;1,3;;5\"\n"
                u"ticks answer 2 of the first question, 1 and 3 of the second, nothing on the\n"
                u"third and answer 5 of the fourth. Fewer groups than questions: the run is\n"
                u"broken off after the last group, as when the student closes the window (the\n"
                u"log says ТЕСТУВАННЯ ПЕРЕРВАНО!!!, the journal entry is marked Пер.).\n"
                u"\n"
                u"--seed N        the generator that picks the questions and shuffles the\n"
                u"                answers (0 to 4294967295); the same seed asks the same\n"
                u"                questions in the same order and shows their answers in the\n"
                u"                same places. Without it a seed is drawn and printed.\n"
                u"--in-file-order every question of the file once: records 1 .. N in file\n"
                u"                order; a four-level test asks its levels low, medium,\n"
                u"                sufficient, high in turn, each in file order. Shuffling of\n"
                u"                the answers, points, scale, journal and the rest stay as the\n"
                u"                parameters say; the parameter file is not changed.\n"
                u"--at WHEN       the date and time of the run (ISO, 2026-12-08T09:00:00);\n"
                u"                default now. The clock stands still during the run, so each\n"
                u"                question takes 0:00:00 and time limits never run out.\n"
                u"--json          the result as a JSON object: test, name, group, seed,\n"
                u"                questions, asked (record, answers, shown slots, points),\n"
                u"                score, maxPoints, percent, grade, gradeScale, interrupted\n"
                u"                and journal (the file actually written).\n"
                u"\n"
                u"Without --json it prints the record and points of each question asked, the\n"
                u"score, percentage and grade. A blank name or group, more groups than\n"
                u"questions, an answer outside 1 to 5 or one the question has no text for,\n"
                u"a missing test file, parameter file or record, or parameters the program\n"
                u"would refuse: exit status 2, one line on standard error, and nothing\n"
                u"written."_s,
                run});

} // namespace
} // namespace zorvik::cli
