// dump, load, new: record files as JSON text and new test files.
#include "command.h"

#include "core/atomicfile.h"
#include "core/jsonio.h"
#include "core/testfile.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorvik::cli {
namespace {

FileKind requireKind(const QString& path) {
    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::Unknown)
        throw UsageError{u"unknown kind of file: "_s + path +
                         u" (expected .tsm, .tsr, .ns1, .ns2 or .ocn)"_s};
    return kind;
}

int dump(const QStringList& arguments) {
    const Args parsed = parseArgs(arguments);
    if (!parsed.flags.isEmpty())
        throw UsageError{u"unknown option: "_s + parsed.flags.first()};
    const QStringList& args = parsed.positional;
    if (args.size() != 1)
        throw UsageError{u"dump takes one FILE"_s};
    const FileKind kind = requireKind(args[0]);
    const QByteArray bytes = readWholeFile(args[0]);
    out() << QString::fromUtf8(recordsToJson(kind, bytes).toJson(QJsonDocument::Indented));
    return 0;
}

int load(const QStringList& arguments) {
    const Args parsed = parseArgs(arguments);
    if (!parsed.flags.isEmpty())
        throw UsageError{u"unknown option: "_s + parsed.flags.first()};
    const QStringList& args = parsed.positional;
    if (args.size() != 2)
        throw UsageError{u"load takes JSON and OUT"_s};
    const FileKind kind = requireKind(args[1]);
    QStringList replaced;
    const QByteArray bytes = recordsFromJson(kind, readWholeFile(args[0]), &replaced);
    writeFileAtomically(args[1], bytes);
    // Written all the same, as the program writes such texts; but not silently.
    for (const QString& field : replaced)
        err() << "zorvik-cli load: warning: " << field
              << " holds characters Windows-1251 cannot hold, written as \"?\"\n";
    return 0;
}

int makeNew(const QStringList& arguments) {
    const Args parsed = parseArgs(arguments);
    if (!parsed.flags.isEmpty())
        throw UsageError{u"unknown option: "_s + parsed.flags.first()};
    const QStringList& args = parsed.positional;
    if (args.size() != 1)
        throw UsageError{u"new takes one FILE"_s};
    const FileKind kind = fileKindOf(args[0]);
    if (kind != FileKind::Tsm && kind != FileKind::Tsr)
        throw UsageError{u"a test file must end in .tsm or .tsr: "_s + args[0]};
    createNewTestFile(args[0], kind == FileKind::Tsm ? TestKind::Tsm : TestKind::Tsr);
    return 0;
}

const Register dumpCommand(u"dump"_s,
                           {u"dump FILE"_s,
                            u"Prints a .tsm, .tsr, .ns1, .ns2 or .ocn file as JSON on standard "
                            u"output.\nTexts are decoded from Windows-1251."_s,
                            dump});
const Register
    loadCommand(u"load"_s,
                {u"load JSON OUT"_s,
                 u"Writes the file that JSON describes (as printed by dump). The kind comes from\n"
                 u"OUT's extension: .tsm, .tsr, .ns1, .ns2 or .ocn. Nothing is written when the\n"
                 u"JSON is malformed, has a field of the wrong type or a text that is too long.\n"
                 u"Characters Windows-1251 cannot hold are written as \"?\"; each field where\n"
                 u"that happened is named on standard error."_s,
                 load});
const Register newCommand(u"new"_s, {u"new FILE"_s,
                                     u"Makes a new test file (.tsm or .tsr) holding one empty "
                                     u"question, as the\nprogram's Create does."_s,
                                     makeNew});

} // namespace
} // namespace zorvik::cli
