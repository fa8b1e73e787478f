// Subcommands of zorvik-cli register themselves here, one file each.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <map>

namespace zorvik::cli {

// A wrong call: the message goes to standard error, exit status 2.
struct UsageError {
    QString message;
};

struct Command {
    QString synopsis; // "dump FILE"
    QString help;
    std::function<int(const QStringList& args)> run;
    // Commands that draw (PDF output) need a GUI application; it runs offscreen.
    bool needsGui = false;
};

std::map<QString, Command>& registry();

struct Register {
    Register(const QString& name, Command command) { registry().emplace(name, std::move(command)); }
};

QTextStream& out();
QTextStream& err();

// Splits "--force" style flags from the positional arguments.
struct Args {
    QStringList positional;
    QStringList flags;                 // "--force"
    std::map<QString, QString> values; // "--xlsx" -> "OUT"
};
// `valued` lists the options that take a value ("--xlsx").
Args parseArgs(const QStringList& args, const QStringList& valued = {});

} // namespace zorvik::cli
