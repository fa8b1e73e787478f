// What the main window's test-file commands decide before they hand over: the
// kind of the chosen file, and the testing command's checks of the file
// against its parameter record.
#pragma once

#include "appstate.h"
#include "filetools.h" // testFileExtOf
#include "recordfile.h"
#include "selection.h" // LevelLists
#include "testfile.h"

#include <QString>

#include <vector>

namespace zorvik {

// The folder of a chosen file.
QString folderOf(const QString& fileName);

// Reads questions 1 .. count - 1 of an open four-level file; the file is left
// at its end. A question with several level bytes set is in each of their lists.
LevelLists collectLevels(RecordFile& tsrFile);

enum class ParamsCheck { NoParamFile, EmptyParamFile, NotFound, CountChanged, Ok };

// Opens TestFileName as TsmFile / TsrFile (left open for the run), finds its
// record in test.ns1 / test.ns2 by the file-name part and compares the
// question counts (four-level: the counts of each level, after building the
// level lists). Ok sets JournalPath and ParamsFound. Throws FileError.
ParamsCheck checkParamsTsm(AppState& state);
ParamsCheck checkParamsTsr(AppState& state);

// The message for an outcome other than Ok.
QString paramsCheckMessage(ParamsCheck outcome, TestKind kind, const AppState& state);
// The one-level "changed" message is an information, every other one an error.
bool paramsCheckIsInformation(ParamsCheck outcome, TestKind kind);

} // namespace zorvik
