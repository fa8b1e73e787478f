#include "command.h"

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
    Args a;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (valued.contains(arg)) {
            if (i + 1 >= args.size())
                throw UsageError{arg + u" needs a value"_s};
            a.values[arg] = args[++i];
        } else if (arg.startsWith(u"--"_s)) {
            a.flags.append(arg);
        } else {
            a.positional.append(arg);
        }
    }
    return a;
}

} // namespace zorvik::cli
