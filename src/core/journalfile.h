// Journal files (.ocn) and the entry a run appends.
#pragma once

#include "appstate.h"
#include "records.h"
#include "services.h"

#include <vector>

namespace zorvik {

inline const QString kInterruptedMark = QStringLiteral("Пер.");

// Every whole entry of a journal file; a partial last entry is left out.
std::vector<JournalRecord> readJournal(const QString& path);

// Appends the entry of the current run (ZapysZurnal). Reads the run state, the
// current parameter record of the test's kind and JournalRecord.Grade (and,
// for four-level tests, JournalRecord.Points) from `state`. A missing journal
// sends the entry to the default journal, which then becomes JournalPath; a
// failed write falls back to the default journal. Throws FileError when the
// journal cannot be opened or the fallback fails too.
void ZapysZurnal(AppState& state, const Clock& clock);

} // namespace zorvik
