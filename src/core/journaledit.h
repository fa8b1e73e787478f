// Changing a journal file from the journal window: one entry removed, or all.
// Each change re-reads the journal under its lock, so that entries other
// computers appended meanwhile are kept, and replaces it whole, so that a
// failure leaves the journal as it was.
#pragma once

#include "fileerror.h"
#include "records.h"
#include "storage.h"

#include <QString>

#include <optional>

namespace zorvik {

// Removes entry `index` (from 0); the later entries move up byte for byte,
// their EntryNo unchanged. A partial last entry is dropped. When `expected`
// is given, that entry is removed: the one at `index` if it is still there,
// else the same entry wherever another copy's deletion moved it. Returns false
// (the file untouched) when there is no such entry. Throws FileError.
bool deleteJournalEntry(const QString& path, qint64 index,
                        const std::optional<JournalRecord>& expected = std::nullopt,
                        const Storage& storage = Storage::system());

// Removes the first `seen` entries (all of them when not given); entries
// appended after the window read the journal stay. Throws FileError.
void clearJournal(const QString& path, std::optional<qint64> seen = std::nullopt,
                  const Storage& storage = Storage::system());

} // namespace zorvik
