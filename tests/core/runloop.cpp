// zorvik-runloop RUNS NAME ARGS...: RUNS testing runs one after another, each
// through the command line's own run command with ARGS and --name "NAME-k".
// Starting zorvik-cli thousands of times costs more than the runs themselves.
#include "cli/command.h"
#include "core/fileerror.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::cli;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    bool ok = false;
    const int runs = args.isEmpty() ? 0 : args.takeFirst().toInt(&ok);
    if (!ok || args.isEmpty()) {
        err() << "usage: zorvik-runloop RUNS NAME ARGS...\n";
        return 2;
    }
    const QString name = args.takeFirst();
    const auto& run = registry().at(u"run"_s).run;
    for (int k = 0; k < runs; ++k) {
        const QString who = u"%1-%2"_s.arg(name).arg(k, 3, 10, QChar(u'0'));
        try {
            if (run(args + QStringList{u"--name"_s, who}) != 0)
                return 2;
        } catch (const UsageError& e) {
            err() << who << ": " << e.message << "\n";
            return 2;
        } catch (const FileError& e) {
            err() << who << ": " << e.message() << "\n";
            return 2;
        }
    }
    return 0;
}
