// The program-wide state: one instance, created zero-filled at start, owned by
// the application and handed to every window and routine that needs it.
#pragma once

#include "recordfile.h"
#include "records.h"

#include <QString>

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
};

struct AppState {
    QString ProgramDir;
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

    // Registered by the question editor: stops its housekeeping timer.
    std::function<void()> stopEditorTimer;

    QString defaultJournalPath() const;
    QString ns1Path() const;
    QString ns2Path() const;
};

} // namespace zorvik
