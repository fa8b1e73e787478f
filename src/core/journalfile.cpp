#include "journalfile.h"

#include "bytes.h"
#include "grading.h"
#include "localetext.h"
#include "paramfiles.h"
#include "rounding.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorvik {

std::vector<JournalRecord> readJournal(const QString& path) {
    RecordFile file;
    file.openExisting(path, JournalRecord::Size);
    std::vector<JournalRecord> entries;
    const qint64 n = file.count();
    entries.reserve(static_cast<size_t>(n));
    for (qint64 i = 0; i < n; ++i)
        entries.push_back(file.readRecord<JournalRecord>());
    file.close();
    return entries;
}

namespace {

bool existsNotDir(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

void openOrCreate(RecordFile& file, const QString& path) {
    if (existsNotDir(path))
        file.openExisting(path, JournalRecord::Size);
    else
        file.create(path, JournalRecord::Size);
}

// Steps 3 to 6: everything but Grade (and Points of a four-level run).
void fillEntry(AppState& state, const Clock& clock, RecordFile& file, bool fallback) {
    JournalRecord& r = state.JournalRecord;
    file.seek(file.count());
    r.EntryNo = static_cast<qint32>(file.count());
    const QDateTime now = clock.now();
    r.Date = cutToCapacity(shortDateText(now.date()), JournalRecord::DateCapacity);
    r.Time = cutToCapacity(longTimeText(now.time()), JournalRecord::TimeCapacity);
    r.StudentName = cutToCapacity(state.Run.StudentName, JournalRecord::StudentNameCapacity);
    r.Group = cutToCapacity(state.Run.StudentGroup, JournalRecord::GroupCapacity);
    r.TestName =
        cutToCapacity(QFileInfo(state.TestFileName).fileName(), JournalRecord::TestNameCapacity);
    const bool oneLevel = state.TestFileExt == u".tsm"_s;
    if (oneLevel) {
        r.GradeScale = state.Ns1Record.GradeScale;
        r.QuestionCount = state.Ns1Record.TestQuestions;
    } else {
        r.GradeScale = state.Ns2Record.GradeScale;
        r.QuestionCount = questionCountTsr(state.Ns2Record);
    }
    r.MaxPoints = state.Run.RunMaxPoints;
    if (oneLevel || fallback)
        r.Points = roundTo(state.Run.RunScore, 2);
    if (fallback && !oneLevel && r.Grade == 0)
        r.Grade = 1;
    r.Interrupted = state.Run.QuestionCounter > r.QuestionCount ? QString() : kInterruptedMark;
}

void appendAndClose(RecordFile& file, const JournalRecord& r) {
    file.writeRecord(r);
    file.close();
}

} // namespace

void ZapysZurnal(AppState& state, const Clock& clock) {
    if (state.stopEditorTimer)
        state.stopEditorTimer();

    RecordFile file;
    if (state.JournalPath.isEmpty() || !existsNotDir(state.JournalPath))
        state.JournalPath = state.defaultJournalPath();
    openOrCreate(file, state.JournalPath);
    fillEntry(state, clock, file, false);
    try {
        appendAndClose(file, state.JournalRecord);
        return;
    } catch (const FileError&) {
        // The entry goes to the default journal instead; JournalPath stays.
    }
    try {
        file.close();
    } catch (const FileError&) {
    }
    RecordFile fallback;
    openOrCreate(fallback, state.defaultJournalPath());
    fillEntry(state, clock, fallback, true);
    appendAndClose(fallback, state.JournalRecord);
}

} // namespace zorvik
