// Journal files (.ocn) and the entry a run appends.
#pragma once

#include "appstate.h"
#include "records.h"
#include "services.h"

#include <vector>

namespace zorvik {

inline const QString kInterruptedMark = QStringLiteral("Пер.");

// Every whole entry of a journal file; a partial last entry is left out.
std::vector<JournalRecord> readJournal(const QString& path,
                                       const Storage& storage = Storage::system());

// Whether `path` may be taken for a journal: its name ends in .ocn and it is
// missing or a regular file. Anything else is never written as a journal.
bool isJournalName(const QString& path);
bool mayBeJournal(const QString& path, const Storage& storage = Storage::system());

// Why `path` may not be taken for a journal (it names a file that is no
// journal, or no file); empty when it may.
QString journalRefusal(const QString& path, const Storage& storage = Storage::system());

// Appends the entry of the current run (ZapysZurnal). Reads the run state, the
// current parameter record of the test's kind and JournalRecord.Grade (and,
// for four-level tests, JournalRecord.Points) from `state`. A missing journal
// (or a path that is no journal) sends the entry to the default journal, which
// then becomes JournalPath; a failed write falls back to the default journal.
// The entry is numbered and appended under the journal's lock, so copies of
// the program on several computers never share a number or lose an entry.
// Throws FileError when the fallback fails too.
void ZapysZurnal(AppState& state, const Clock& clock);

} // namespace zorvik
