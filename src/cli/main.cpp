// zorvik-cli: the command-line front end over the same core as the program.
#include "core/atomicfile.h"
#include "core/jsonio.h"
#include "core/testfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <map>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {

constexpr int kUsageError = 2;

struct UsageError {
    QString message;
};

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}
QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

struct Command {
    QString synopsis;
    QString help;
    std::function<int(const QStringList&)> run;
};

int dump(const QStringList& args) {
    if (args.size() != 1)
        throw UsageError{u"dump takes one FILE"_s};
    const FileKind kind = fileKindOf(args[0]);
    if (kind == FileKind::Unknown)
        throw UsageError{u"unknown kind of file: "_s + args[0] +
                         u" (expected .tsm, .tsr, .ns1, .ns2 or .ocn)"_s};
    const QByteArray bytes = readWholeFile(args[0]);
    out() << QString::fromUtf8(recordsToJson(kind, bytes).toJson(QJsonDocument::Indented));
    return 0;
}

int load(const QStringList& args) {
    if (args.size() != 2)
        throw UsageError{u"load takes JSON and OUT"_s};
    const FileKind kind = fileKindOf(args[1]);
    if (kind == FileKind::Unknown)
        throw UsageError{u"unknown kind of file: "_s + args[1] +
                         u" (expected .tsm, .tsr, .ns1, .ns2 or .ocn)"_s};
    const QByteArray bytes = recordsFromJson(kind, readWholeFile(args[0]));
    writeFileAtomically(args[1], bytes);
    return 0;
}

int makeNew(const QStringList& args) {
    if (args.size() != 1)
        throw UsageError{u"new takes one FILE"_s};
    const TestKind kind = testKindOfExt(u'.' + QFileInfo(args[0]).suffix());
    if (kind == TestKind::None || !args[0].endsWith(u'.' + QFileInfo(args[0]).suffix()))
        throw UsageError{u"a test file must end in .tsm or .tsr: "_s + args[0]};
    createNewTestFile(args[0], kind);
    return 0;
}

const std::map<QString, Command>& commands() {
    static const std::map<QString, Command> table = {
        {u"dump"_s,
         {u"dump FILE"_s,
          u"Prints a .tsm, .tsr, .ns1, .ns2 or .ocn file as JSON on standard output.\n"
          u"Texts are decoded from Windows-1251."_s,
          dump}},
        {u"load"_s,
         {u"load JSON OUT"_s,
          u"Writes the file that JSON describes (as printed by dump). The kind comes from\n"
          u"OUT's extension: .tsm, .tsr, .ns1, .ns2 or .ocn. Nothing is written when the\n"
          u"JSON is malformed, has a field of the wrong type or a text that is too long."_s,
          load}},
        {u"new"_s,
         {u"new FILE"_s,
          u"Makes a new test file (.tsm or .tsr) holding one empty question, as the\n"
          u"program's Create does."_s,
          makeNew}},
    };
    return table;
}

void printUsage(QTextStream& s) {
    s << "Usage: zorvik-cli COMMAND [ARGS]\n\nCommands:\n";
    for (const auto& [name, cmd] : commands())
        s << "  " << cmd.synopsis << "\n";
    s << "\nzorvik-cli COMMAND --help describes one command.\n";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == u"--help"_s || args[0] == u"-h"_s) {
        printUsage(args.isEmpty() ? err() : out());
        return args.isEmpty() ? kUsageError : 0;
    }
    const QString name = args.takeFirst();
    const auto it = commands().find(name);
    if (it == commands().end()) {
        err() << "zorvik-cli: unknown command: " << name << "\n";
        return kUsageError;
    }
    if (args.contains(u"--help"_s) || args.contains(u"-h"_s)) {
        out() << "Usage: zorvik-cli " << it->second.synopsis << "\n\n" << it->second.help << "\n";
        return 0;
    }
    try {
        return it->second.run(args);
    } catch (const UsageError& e) {
        err() << "zorvik-cli " << name << ": " << e.message << "\n";
    } catch (const FileError& e) {
        err() << "zorvik-cli " << name << ": " << e.message() << "\n";
    } catch (const JsonError& e) {
        err() << "zorvik-cli " << name << ": " << QString::fromUtf8(e.what()) << "\n";
    }
    return kUsageError;
}
