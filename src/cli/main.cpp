// zorvik-cli: the command-line front end over the same core as the program.
#include "command.h"

#include "core/fileerror.h"
#include "core/jsonio.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::cli;

namespace {

constexpr int kFailure = 2;

void printUsage(QTextStream& s) {
    s << "Usage: zorvik-cli COMMAND [ARGS]\n\nCommands:\n";
    for (const auto& [name, cmd] : registry())
        s << "  " << cmd.synopsis << "\n";
    s << "\nzorvik-cli COMMAND --help describes one command; --version tells the version.\n"
         "A FILE that begins with a dash goes after \"--\".\n";
}

} // namespace

int main(int argc, char** argv) {
    // Commands that draw get a GUI application on the offscreen platform.
    const auto named =
        argc > 1 ? registry().find(QString::fromLocal8Bit(argv[1])) : registry().end();
    const bool gui = named != registry().end() && named->second.needsGui;
    if (gui)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        gui ? std::make_unique<QGuiApplication>(argc, argv)
            : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(u"zorvik-cli"_s);
    QCoreApplication::setApplicationVersion(u"8.0"_s);
    QStringList args = app->arguments().mid(1);
    if (!args.isEmpty() && (args[0] == u"--version"_s || args[0] == u"-v"_s)) {
        out() << "zorvik-cli " << QCoreApplication::applicationVersion() << "\n";
        return 0;
    }
    if (args.isEmpty() || args[0] == u"--help"_s || args[0] == u"-h"_s) {
        printUsage(args.isEmpty() ? err() : out());
        return args.isEmpty() ? kFailure : 0;
    }
    const QString name = args.takeFirst();
    const auto it = registry().find(name);
    if (it == registry().end()) {
        err() << "zorvik-cli: unknown command: " << name << "\n";
        return kFailure;
    }
    const QStringList options =
        args.mid(0, args.indexOf(u"--"_s) < 0 ? args.size() : args.indexOf(u"--"_s));
    if (options.contains(u"--help"_s) || options.contains(u"-h"_s)) {
        out() << "Usage: zorvik-cli " << it->second.synopsis << "\n\n" << it->second.help << "\n";
        return 0;
    }
    try {
        return it->second.run(args);
    } catch (const UsageError& e) {
        err() << "zorvik-cli " << name << ": " << e.message << "\n";
    } catch (const FileError& e) {
        err() << "zorvik-cli " << name << ": " << e.message() << "\n";
    } catch (const std::exception& e) {
        err() << "zorvik-cli " << name << ": " << QString::fromUtf8(e.what()) << "\n";
    }
    return kFailure;
}
