#include "journalfile.h"

#include "bytes.h"
#include "grading.h"
#include "localetext.h"
#include "paramfiles.h"
#include "recordfile.h"
#include "rounding.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorvik {

std::vector<JournalRecord> readJournal(const QString& path, const Storage& storage) {
    const QByteArray bytes = storage.read(path, StoredKind::Journal);
    std::vector<JournalRecord> entries;
    const qint64 n = bytes.size() / JournalRecord::Size;
    entries.reserve(static_cast<size_t>(n));
    for (qint64 i = 0; i < n; ++i)
        entries.push_back(JournalRecord::decode(
            QByteArrayView(bytes.constData() + i * JournalRecord::Size, JournalRecord::Size)));
    return entries;
}

bool isJournalName(const QString& path) {
    return path.endsWith(u".ocn"_s, Qt::CaseInsensitive) && !QFileInfo(path).fileName().isEmpty();
}

bool mayBeJournal(const QString& path, const Storage& storage) {
    if (!isJournalName(path))
        return false;
    try {
        const FileStatus s = storage.status(path);
        return !s.exists || s.regular;
    } catch (const FileError&) {
        return false;
    }
}

QString journalRefusal(const QString& path, const Storage& storage) {
    if (path.trimmed().isEmpty() || mayBeJournal(path, storage))
        return {};
    return u"Файл "_s + path +
           u" не є журналом оцінок!\rЖурнал - це файл з розширенням .ocn. Оберіть інший файл."_s;
}

namespace {

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

// Numbers and appends the entry under the journal's lock. A torn last entry
// is first moved to its side file; a failed append is taken back.
void appendEntry(AppState& state, const Clock& clock, const QString& path, bool fallback) {
    const Storage& storage = *state.storage;
    const StorageLock lock = storage.lock(path);
    RecordFile file(storage);
    file.openOrCreate(path, JournalRecord::Size);
    StoredFile& stored = *file.storedFile();
    const qint64 size = stored.size();
    const qint64 whole = size - size % JournalRecord::Size;
    if (whole != size) {
        storage.append(tornTailPath(path), stored.readAt(whole, size - whole));
        stored.truncate(whole);
    }
    fillEntry(state, clock, file, fallback);
    try {
        file.writeRecord(state.JournalRecord);
        stored.sync();
    } catch (const FileError&) {
        try {
            stored.truncate(whole);
            stored.sync();
        } catch (const FileError&) {
            // Left torn; the next append moves it aside.
        }
        throw;
    }
    // Synced: closing has nothing left to lose.
    file.close();
}

} // namespace

void ZapysZurnal(AppState& state, const Clock& clock) {
    if (state.stopEditorTimer)
        state.stopEditorTimer();

    bool missing = state.JournalPath.isEmpty() || !mayBeJournal(state.JournalPath, *state.storage);
    if (!missing) {
        try {
            missing = !state.storage->status(state.JournalPath).exists;
        } catch (const FileError&) {
            missing = true;
        }
    }
    if (missing)
        state.JournalPath = state.defaultJournalPath();
    state.LastEntryJournal.clear();
    try {
        appendEntry(state, clock, state.JournalPath, false);
        state.LastEntryJournal = state.JournalPath;
        return;
    } catch (const FileError&) {
        if (state.JournalPath == state.defaultJournalPath())
            throw;
        // The entry goes to the default journal instead; JournalPath stays.
    }
    appendEntry(state, clock, state.defaultJournalPath(), true);
    state.LastEntryJournal = state.defaultJournalPath();
}

} // namespace zorvik
