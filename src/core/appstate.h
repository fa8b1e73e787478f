// The program-wide state: one instance, created zero-filled at start, owned by
// the application and handed to every window and routine that needs it.
#pragma once

#include "recordfile.h"
#include "records.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

namespace zorvik {

// Capacities the windows check before growing a list.
constexpr int kLevelListCapacity = 500;
constexpr int kQuestionOrderCapacity = 1500;
constexpr int kSavedAnswersCapacity = 2000;

// The state of the testing run in progress (or of the last one).
struct RunState {
    QString StudentName;
    QString StudentGroup;
    qint32 QuestionCounter = 0;
    qint32 RunQuestionCount = 0;
    qint32 RunMaxPoints = 0;
    double RunScore = 0;
    std::vector<int> QuestionOrder; // record numbers of the run's questions, from index 1

    // The question just answered and the run's standing.
    double QuestionScore = 0;
    qint32 CorrectCount = 0;
    double PointsPerCorrect = 0;
    double ScorePercent = 0;

    // Times on the monotonic clock, so that a run crossing midnight still ends.
    qint64 QuestionStartMs = 0; // when the current question began
    qint64 TestEndMs = 0;       // when the whole-test limit expires
    qint64 LastCheckMs = 0;     // the latest whole-test check
    qint32 ExpiryTicks = 0;     // whole-test ticks seen after the limit expired

    // Entry k: the answer slot that answer k occupies (1..5).
    std::array<int, 5> AnswerPermutation{1, 2, 3, 4, 5};
    std::vector<int> SelectedLow;
    std::vector<int> SelectedMedium;
    std::vector<int> SelectedSufficient;
    std::vector<int> SelectedHigh;

    // Going-back window, by question number from index 1.
    std::vector<std::array<bool, 5>> SavedChecks;
    std::vector<double> SavedScores;
    std::vector<int> SavedProgress;
    qint32 FurthestQuestion = 0;
    qint32 BackSteps = 0;
};

struct AppState {
    // Every file of the teacher's is read and written through this.
    const Storage* storage = &Storage::system();

    QString ProgramDir;
    // Started from the desktop menu: ProgramDir is the user's own folder.
    bool ProgramDirIsPerUser = false;
    // Where ZapysZurnal last wrote its entry: the test's journal, or the
    // default one when that could not be written.
    QString LastEntryJournal;
    double ScaleX = 1;
    double ScaleY = 1;

    QString TestFileName;
    QString TestFileExt;
    QString TestDir;

    // The one open test file of each kind, with its record buffer.
    RecordFile TsmFile;
    RecordFile TsrFile;
    TsmRecord TsmBuffer;
    TsrRecord TsrBuffer;

    bool ParamsFound = false;
    std::vector<int> LevelLowList;
    std::vector<int> LevelMediumList;
    std::vector<int> LevelSufficientList;
    std::vector<int> LevelHighList;

    QString JournalPath;
    zorvik::Ns1Record Ns1Record;
    zorvik::Ns2Record Ns2Record;
    zorvik::JournalRecord JournalRecord;

    RunState Run;
    // The result-log block of the run in progress, written whole at its end
    // so that runs on several computers sharing one log never interleave.
    QStringList PendingLog;

    // Registered by the question editor: stops its housekeeping timer.
    std::function<void()> stopEditorTimer;

    // The user was told once that this machine has no sound output.
    bool NoAudioReported = false;

    QString defaultJournalPath() const;
    QString ns1Path() const;
    QString ns2Path() const;
};

} // namespace zorvik
