// journal: a journal file as a workbook, a printed report (PDF) or CSV, made
// by the same code as the journal window's exports.
#include "command.h"

#include "core/atomicfile.h"
#include "core/journalexport.h"
#include "core/journalfile.h"
#include "report/journalreport.h"

#include <QDateTime>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorvik::cli {
namespace {

int journal(const QStringList& arguments) {
    const Args args = parseArgs(arguments, {u"--xlsx"_s, u"--pdf"_s, u"--csv"_s});
    if (args.positional.size() != 1)
        throw UsageError{u"journal takes one FILE"_s};
    if (!args.flags.isEmpty())
        throw UsageError{u"unknown option: "_s + args.flags.first()};
    if (args.values.empty())
        throw UsageError{u"nothing to write: give --xlsx, --pdf or --csv"_s};
    const QString file = args.positional.first();
    if (!QFileInfo(file).isFile())
        throw UsageError{u"no such journal: "_s + file};

    JournalModel model;
    model.setRecords(readJournal(file));
    if (const auto it = args.values.find(u"--csv"_s); it != args.values.end())
        writeFileAtomically(it->second, journalCsv(model));
    if (const auto it = args.values.find(u"--xlsx"_s); it != args.values.end())
        writeJournalWorkbook(it->second, model);
    if (const auto it = args.values.find(u"--pdf"_s); it != args.values.end()) {
        const report::Report r =
            journalReport(file, journalReportRows(model), QDateTime::currentDateTime());
        r.writePdf(it->second);
    }
    return 0;
}

const Register
    journalCommand(u"journal"_s,
                   {u"journal FILE [--xlsx OUT] [--pdf OUT] [--csv OUT]"_s,
                    u"Writes a journal file (.ocn) as the journal window shows it:\n"
                    u"  --xlsx OUT  the workbook (sheet \"Test\"), as the window's export\n"
                    u"  --pdf OUT   the printed journal with its averages (landscape A4)\n"
                    u"  --csv OUT   the grid's header and rows as CSV in UTF-8\n"
                    u"Numbers use the separator of the locale (LANG)."_s,
                    journal, true});

} // namespace
} // namespace zorvik::cli
