// The main window's paper commands: export of a test to a document and a text
// file, without ("Без вказання правильних...") or with ("З вказанням
// правильних...") the correct answers marked, and printing a test ("&Друк...").
#pragma once

#include "core/testprint.h"
#include "ui/context.h"

#include <QObject>

#include <vector>

class QMainWindow;
class QWidget;

namespace zorvik {

class ExportCommands : public QObject {
    Q_OBJECT
public:
    // `parent` (the main window) owns the commands and parents their messages.
    ExportCommands(AppContext& ctx, QWidget* parent);

    // The export of one file: the text file and the document written whole,
    // the closing message, then the document opened with the system's program.
    void ExportWordTsm(const QString& file, bool withCorrect);
    void ExportWordTsr(const QString& file, bool withCorrect);
    // The printed test in the print preview.
    void PrintTestTsm(const QString& file);
    void PrintTestTsr(const QString& file);

    // The print table: it holds rows only while the preview is open.
    const std::vector<PrintTestRow>& printTable() const { return printTable_; }

public slots:
    void exportWithoutClick(); // MenuExportWithout
    void exportWithClick();    // MenuExportWith
    void printClick();         // MenuPrint

private:
    void exportCommand(bool withCorrect);
    void exportWord(const QString& file, TestKind kind, bool withCorrect);
    void printTest(const QString& file, TestKind kind);
    // The open dialog of both commands; empty when cancelled or misspelt.
    QString chooseTestFile(const QString& title);

    AppContext& ctx_;
    QWidget* parent_;
    std::vector<PrintTestRow> printTable_;
};

// Connects MenuExportWithout, MenuExportWith and MenuPrint of `main`.
ExportCommands* installExportCommands(AppContext& ctx, QMainWindow* main);

} // namespace zorvik
