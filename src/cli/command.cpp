#include "command.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

using namespace Qt::StringLiterals;

namespace zorvik::cli {

std::map<QString, Command>& registry() {
    static std::map<QString, Command> table;
    return table;
}

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

Args parseArgs(const QStringList& args, const QStringList& valued) {
    QCommandLineParser parser;
    // "--xlsx OUT", "--xlsx=OUT", and "--" before names that begin with a dash.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QString& v : valued)
        parser.addOption(QCommandLineOption(v.mid(2), QString(), u"value"_s));
    // Each command says itself which flags it knows, and names a wrong one.
    QStringList flags;
    const qsizetype end = args.indexOf(u"--"_s);
    for (qsizetype i = 0; i < (end < 0 ? args.size() : end); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(u"--"_s) || arg.size() == 2)
            continue;
        const QString name = arg.mid(2).section(u'=', 0, 0);
        if (valued.contains(u"--"_s + name)) {
            ++i; // its value, whatever it looks like
            continue;
        }
        if (!flags.contains(name)) {
            flags.append(name);
            parser.addOption(QCommandLineOption(name));
        }
    }
    if (!parser.parse(QStringList{u"zorvik-cli"_s} + args))
        throw UsageError{parser.errorText()};
    Args a;
    a.positional = parser.positionalArguments();
    for (const QString& f : flags)
        if (parser.isSet(f))
            a.flags.append(u"--"_s + f);
    for (const QString& v : valued)
        if (parser.isSet(v.mid(2)))
            a.values[v] = parser.value(v.mid(2));
    return a;
}

} // namespace zorvik::cli
