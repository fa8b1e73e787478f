// export, print and list: a test on paper, made by the same code as the
// program's export and print commands and its question list.
#include "command.h"

#include "core/atomicfile.h"
#include "core/filetools.h"
#include "core/questionlist.h"
#include "core/testexport.h"
#include "core/testprint.h"
#include "report/documentpicture.h"
#include "report/testreport.h"

#include <QDateTime>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorvik::cli {
namespace {

// The one test file the command works on, of a known kind.
struct TestArg {
    QString path;
    TestKind kind;
};

TestArg testFileArg(const QString& command, const Args& args) {
    if (args.positional.size() != 1)
        throw UsageError{command + u" takes one FILE"_s};
    const QString path = args.positional.first();
    if (!QFileInfo(path).isFile())
        throw UsageError{u"no such test file: "_s + path};
    const TestKind kind = testKindOfPath(path);
    if (kind == TestKind::None)
        throw UsageError{u"not a test file (.tsm or .tsr): "_s + path};
    return {path, kind};
}

QString issueText(const ExportIssue& issue) {
    switch (issue.kind) {
    case ExportIssue::MissingPicture:
        return u"missing picture, left out: "_s + issue.file;
    case ExportIssue::UnreadablePicture:
        return u"unreadable picture, left out: "_s + issue.file;
    case ExportIssue::MissingTextFile:
        return u"missing field text file, its name written instead: "_s + issue.file;
    }
    return issue.file;
}

int exportTest(const QStringList& arguments) {
    const Args args = parseArgs(arguments);
    for (const QString& flag : args.flags)
        if (flag != u"--with-answers"_s)
            throw UsageError{u"unknown option: "_s + flag};
    const TestArg test = testFileArg(u"export"_s, args);
    const bool withAnswers = args.flags.contains(u"--with-answers"_s);
    const PreparedExport prepared =
        prepareTestExport(test.path, test.kind, withAnswers, loadDocumentPicture);
    for (const ExportIssue& issue : prepared.issues)
        err() << "zorvik-cli export: " << issueText(issue) << "\n";
    writeTestExport(prepared);
    out() << prepared.names.document << "\n" << prepared.names.text << "\n";
    return 0;
}

int printTest(const QStringList& arguments) {
    const Args args = parseArgs(arguments, {u"--pdf"_s});
    if (!args.flags.isEmpty())
        throw UsageError{u"unknown option: "_s + args.flags.first()};
    const auto pdf = args.values.find(u"--pdf"_s);
    if (pdf == args.values.end())
        throw UsageError{u"nothing to write: give --pdf OUT"_s};
    const TestArg test = testFileArg(u"print"_s, args);
    const report::Report r = testReport(test.path, loadPrintTestRows(test.path, test.kind),
                                        QDateTime::currentDateTime());
    r.writePdf(pdf->second);
    return 0;
}

int listTest(const QStringList& arguments) {
    const Args args = parseArgs(arguments, {u"--xlsx"_s, u"--doc"_s});
    if (!args.flags.isEmpty())
        throw UsageError{u"unknown option: "_s + args.flags.first()};
    const TestArg test = testFileArg(u"list"_s, args);
    const std::vector<QuestionListEntry> entries = loadQuestionList(test.path, test.kind);
    const std::vector<QStringList> cells = questionListCells(entries, test.kind);
    if (args.values.empty()) {
        // The grid as text: number, level and question, tab-separated.
        for (size_t r = 1; r + 1 < cells.size(); ++r) {
            QStringList row = cells[r];
            row[2].replace(u"\r\n"_s, u" "_s);
            out() << row.join(u'\t') << "\n";
        }
        return 0;
    }
    if (const auto it = args.values.find(u"--doc"_s); it != args.values.end())
        writeFileAtomically(it->second,
                            rtf::write(questionListDocument(test.path, test.kind, entries)));
    if (const auto it = args.values.find(u"--xlsx"_s); it != args.values.end())
        questionListWorkbook(cells).save(it->second);
    return 0;
}

const Register
    exportCommand(u"export"_s,
                  {u"export FILE [--with-answers]"_s,
                   u"Exports a test file as the menu's \"Експорт у Word\" does: the document\n"
                   u"(RTF, named *_Б.doc, *_В.doc, *_4Б.doc or *_4В.doc) and the text file\n"
                   u"(Windows-1251, same name with .txt) beside the test file, replacing them.\n"
                   u"  --with-answers  mark the correct answers (\" *1) \")\n"
                   u"Prints the two names; missing pictures are reported and left out."_s,
                   exportTest});

const Register printCommand(u"print"_s,
                            {u"print FILE --pdf OUT"_s,
                             u"Writes the printed test (A4, every question with its answers\n"
                             u"lettered a) to e)) as a PDF file."_s,
                             printTest, true});

const Register listCommand(
    u"list"_s,
    {u"list FILE [--xlsx OUT] [--doc OUT]"_s,
     u"The question list of a test file. Without options it prints number, level and\n"
     u"question of every question, tab-separated.\n"
     u"  --xlsx OUT  the list as a workbook (sheet \"Jurnal\"), as the list's \"В Excel\"\n"
     u"  --doc OUT   the list as a document (RTF), as the list's \"В Word\""_s,
     listTest});

} // namespace
} // namespace zorvik::cli
