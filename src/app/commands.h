// The main window's test-file commands and their menu twins: create, open,
// parameters, testing and journal.
#pragma once

#include "core/testfile.h"
#include "ui/context.h"

#include <QObject>

class QDialog;

namespace zorvik {

class MainWindow;

class Commands : public QObject {
    Q_OBJECT
public:
    // Connects Button1..5 and MenuCreate, MenuOpen, MenuParams, MenuTesting,
    // MenuJournal of `main`, which owns the commands.
    Commands(AppContext& ctx, MainWindow* main);

public slots:
    void createClick();  // Button1
    void openClick();    // Button3
    void paramsClick();  // Button2
    void testingClick(); // Button4
    void journalClick(); // Button5
    // A test file named on the command line (a double click in the file
    // manager): opened in the question editor, its name checked as Open does.
    void openNamed(const QString& path);

private:
    struct Dialog {
        QString status;
        QString title;
        QString filter;
    };
    // The common first steps: the status text, the file dialog, the check
    // that the file exists (not for Create), and the current test file in the
    // program-wide state. The kind of the file, None when the command ends.
    TestKind chooseTestFile(const Dialog& dialog, bool create);

    void newFile(TestKind kind);
    void paramsFile(TestKind kind);
    void checkParams(TestKind kind);
    // Shows a long-lived window of another part modally, when it exists.
    void showWindow(QDialog* window);
    void reportFailure(const std::exception& e);

    AppContext& ctx_;
    MainWindow* main_;
};

} // namespace zorvik
