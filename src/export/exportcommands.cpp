#include "exportcommands.h"

#include "exportsupport.h"

#include "core/filetools.h"
#include "core/testexport.h"
#include "core/testfilecheck.h"
#include "report/documentpicture.h"
#include "report/testreport.h"
#include "ui/filechoice.h"

#include <QAction>
#include <QMainWindow>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

const QString kFilter = u"Тестові файли одного рівня (*.tsm)|*.tsm|"
                        u"Тестові файли 4-ох рівнів (*.tsr)|*.tsr|Всі файли(*.*)|*.*"_s;

QString issueText(const ExportIssue& issue) {
    switch (issue.kind) {
    case ExportIssue::MissingPicture:
        return u"Відсутній файл малюнку\r"_s + issue.file + u"!"_s;
    case ExportIssue::UnreadablePicture:
        return u"Не вдалося прочитати файл малюнку\r"_s + issue.file + u"!"_s;
    case ExportIssue::MissingTextFile:
        return u"Відсутній текстовий файл для поля запитання!\r"_s + issue.file;
    }
    return issue.file;
}

} // namespace

ExportCommands::ExportCommands(AppContext& ctx, QWidget* parent)
    : QObject(parent), ctx_(ctx), parent_(parent) {
    setObjectName(u"ExportCommands"_s);
}

ExportCommands* installExportCommands(AppContext& ctx, QMainWindow* main) {
    auto* commands = new ExportCommands(ctx, main);
    const struct {
        const char16_t* action;
        void (ExportCommands::*slot)();
    } wiring[] = {
        {u"MenuExportWithout", &ExportCommands::exportWithoutClick},
        {u"MenuExportWith", &ExportCommands::exportWithClick},
        {u"MenuPrint", &ExportCommands::printClick},
    };
    for (const auto& w : wiring)
        if (QAction* action = main->findChild<QAction*>(QString::fromUtf16(w.action)))
            QObject::connect(action, &QAction::triggered, commands, w.slot);
    return commands;
}

QString ExportCommands::chooseTestFile(const QString& title) {
    const AppState& st = ctx_.state;
    FileDialogSpec request;
    request.title = title;
    request.filter = kFilter;
    request.defaultExt = u"tsm"_s;
    request.initialDir = st.TestDir.isEmpty() ? st.ProgramDir : st.TestDir;
    return openExistingFile(ctx_.services, parent_, request);
}

void ExportCommands::exportWithoutClick() {
    exportCommand(false);
}

void ExportCommands::exportWithClick() {
    exportCommand(true);
}

void ExportCommands::exportCommand(bool withCorrect) {
    const QString file = chooseTestFile(u"Експорт тестового файлу у Word"_s);
    if (file.isEmpty())
        return;
    ctx_.state.TestFileExt = testFileExtOf(file);
    switch (testKindOfExt(ctx_.state.TestFileExt)) {
    case TestKind::Tsm:
        ExportWordTsm(file, withCorrect);
        break;
    case TestKind::Tsr:
        ExportWordTsr(file, withCorrect);
        break;
    case TestKind::None:
        break;
    }
}

void ExportCommands::ExportWordTsm(const QString& file, bool withCorrect) {
    exportWord(file, TestKind::Tsm, withCorrect);
}

void ExportCommands::ExportWordTsr(const QString& file, bool withCorrect) {
    exportWord(file, TestKind::Tsr, withCorrect);
}

void ExportCommands::exportWord(const QString& file, TestKind kind, bool withCorrect) {
    ctx_.state.TestFileName = file;
    PreparedExport prepared;
    try {
        prepared =
            prepareTestExport(file, kind, withCorrect, loadDocumentPicture, *ctx_.state.storage);
    } catch (const FileError& e) {
        ctx_.services.error(parent_, exportFailureText(e));
        return;
    }
    // What was left out is told question by question, as the export met it.
    for (const ExportIssue& issue : prepared.issues)
        ctx_.services.error(parent_, issueText(issue));
    try {
        writeTestExport(prepared, *ctx_.state.storage);
    } catch (const FileError& e) {
        ctx_.services.error(parent_, exportFailureText(e));
        return;
    }
    ctx_.services.info(parent_, u"Виконано експорт файлу "_s + file + u"\r"_s + u"у файли "_s +
                                    prepared.names.document + u" та"_s + u"\r"_s +
                                    prepared.names.text + u"!"_s);
    ctx_.services.openWithSystem(prepared.names.document);
}

void ExportCommands::printClick() {
    const QString file = chooseTestFile(u"Друк тестового файлу"_s);
    if (file.isEmpty())
        return;
    ctx_.state.TestFileExt = testFileExtOf(file);
    switch (testKindOfExt(ctx_.state.TestFileExt)) {
    case TestKind::Tsm:
        PrintTestTsm(file);
        break;
    case TestKind::Tsr:
        PrintTestTsr(file);
        break;
    case TestKind::None:
        break;
    }
}

void ExportCommands::PrintTestTsm(const QString& file) {
    printTest(file, TestKind::Tsm);
}

void ExportCommands::PrintTestTsr(const QString& file) {
    printTest(file, TestKind::Tsr);
}

void ExportCommands::printTest(const QString& file, TestKind kind) {
    ctx_.state.TestFileName = file;
    ctx_.state.TestDir = folderOf(file);
    // The table is filled whole or not at all, so a failed read leaves no
    // rows behind for the next print.
    try {
        printTable_ = loadPrintTestRows(file, kind);
    } catch (const FileError& e) {
        printTable_.clear();
        ctx_.services.error(parent_, exportFailureText(e));
        return;
    }
    const auto report = std::make_shared<report::Report>(
        testReport(file, printTable_, ctx_.services.clock().now()));
    const PrintJob job{report->title, report->pageLayout,
                       [report](QPagedPaintDevice& device) { report->render(device); }};
    ctx_.services.printPreview(parent_, job);
    printTable_.clear();
    report->rows.clear();
}

} // namespace zorvik
