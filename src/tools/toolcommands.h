// The main window's file-tool commands: "&Об'єднати...", "Ро&збити..." and
// "&Конвертор...".
#pragma once

#include "ui/context.h"

class QMainWindow;
class QWidget;

namespace zorvik {

// Connects the menu items MenuMerge, MenuSplit and MenuConverter of `main`.
void installToolCommands(AppContext& ctx, QMainWindow* main);

// A fresh merge window, shown modally and destroyed after.
void runMergeCommand(AppContext& ctx, QWidget* parent);
// Asks for the file to split and shows the split window (SplitWindow) for it.
void runSplitCommand(AppContext& ctx, QWidget* parent);
// Shows the converter (ConverterWindow) modally.
void runConverterCommand(AppContext& ctx, QWidget* parent);

} // namespace zorvik
