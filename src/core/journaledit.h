// Changing a journal file from the journal window: one entry removed, or all.
// Each change writes the new file beside the old one and renames it over, so
// a failure leaves the journal as it was.
#pragma once

#include "fileerror.h"
#include "records.h"

#include <QString>

#include <optional>

namespace zorvik {

// Removes entry `index` (from 0); the later entries move up byte for byte,
// their EntryNo unchanged. A partial last entry is dropped. When `expected`
// is given, the file must still hold that entry at `index`. Returns false
// (the file untouched) when there is no such entry. Throws FileError.
bool deleteJournalEntry(const QString& path, qint64 index,
                        const std::optional<JournalRecord>& expected = std::nullopt);

// Empties the journal (0 bytes). Throws FileError.
void clearJournal(const QString& path);

} // namespace zorvik
