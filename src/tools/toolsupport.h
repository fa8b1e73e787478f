// What the three file-tool windows share: their filters, where their dialogs
// start, and the texts of the failures they report.
#pragma once

#include "core/failuretext.h"
#include "core/filetools.h"
#include "ui/context.h"

#include <QString>

namespace zorvik {

// "Всі тестові файли (*.tsm, *.tsr)|*.tsm;*.tsr|…": both kinds, then each.
QString allTestFilesFilter();
QString oneLevelFilter();  // "Тестові файли одного рівня (*.tsm)|*.tsm"
QString fourLevelFilter(); // "Тестові файли 4-ох рівнів (*.tsr)|*.tsr"

// Where a dialog that starts "in the current directory" starts: the folder of
// the test file chosen last, else the process's current directory.
QString currentDialogDir(const AppState& state);

// Records a chosen test file as the current one: TestFileExt, TestFileName and
// TestDir (its folder).
void setCurrentTestFile(AppState& state, const QString& path);

// A disabled field that only shows a value keeps its text dark enough to read.
void readableWhenDisabled(QWidget* field);

// "Не вдалося записати файл /x/a.tsm:\rNo space left on device"
QString failureText(const FileError& e);
// The reason a tool refused to start, for the teacher.
QString refusalText(const ToolRefusal& e);

} // namespace zorvik
