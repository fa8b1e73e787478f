// merge, split, convert: the file tools without questions asked.
#include "command.h"

#include "core/filetools.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorvik::cli {
namespace {

// The positional arguments, with --force as the only flag.
struct ToolArgs {
    QStringList files;
    bool force = false;
};

ToolArgs toolArgs(const QString& name, const QStringList& args, qsizetype count,
                  const QString& arity) {
    const Args a = parseArgs(args);
    ToolArgs t;
    for (const QString& flag : a.flags) {
        if (flag != u"--force"_s)
            throw UsageError{u"unknown option "_s + flag + u" (only --force)"_s};
        t.force = true;
    }
    if (a.positional.size() != count)
        throw UsageError{name + u" takes "_s + arity};
    t.files = a.positional;
    return t;
}

void refuseToReplace(const QString& path, bool force) {
    if (!force && QFileInfo::exists(path))
        throw UsageError{u"will not replace "_s + path + u" (give --force to replace it)"_s};
}

int merge(const QStringList& args) {
    const ToolArgs t = toolArgs(u"merge"_s, args, 3, u"FIRST, SECOND and OUT"_s);
    checkMerge(t.files[0], t.files[1], t.files[2]);
    refuseToReplace(t.files[2], t.force);
    mergeTestFiles(t.files[0], t.files[1], t.files[2]);
    return 0;
}

int split(const QStringList& args) {
    const ToolArgs t = toolArgs(u"split"_s, args, 2, u"FILE and A"_s);
    bool ok = false;
    const qint64 a = t.files[1].trimmed().toLongLong(&ok);
    if (!ok)
        throw UsageError{u"A must be a whole number: "_s + t.files[1]};
    const TestKind kind = testKindOfPath(t.files[0]);
    if (kind == TestKind::None)
        throw ToolRefusal(ToolRefusal::Reason::NotTestFile, t.files[0]);
    // The range first, so a wrong A is not hidden behind an existing output.
    const qint64 questions = questionsOf(testRecordCount(t.files[0], kind));
    if (a < 1 || a >= questions)
        throw ToolRefusal(ToolRefusal::Reason::SplitOutOfRange, t.files[0], a, questions);
    const SplitNames names = nextSplitNames(t.files[0]);
    refuseToReplace(names.second, t.force);
    splitTestFile(t.files[0], a, names);
    out() << names.first << "\n" << names.second << "\n";
    return 0;
}

int convert(const QStringList& args) {
    const ToolArgs t = toolArgs(u"convert"_s, args, 1, u"one FILE"_s);
    if (testKindOfPath(t.files[0]) == TestKind::None)
        throw ToolRefusal(ToolRefusal::Reason::NotTestFile, t.files[0]);
    const QString target = convertTargetOf(t.files[0]);
    refuseToReplace(target, t.force);
    convertTestFile(t.files[0], target);
    out() << target << "\n";
    return 0;
}

const Register
    mergeCommand(u"merge"_s,
                 {u"merge FIRST SECOND OUT [--force]"_s,
                  u"Writes OUT: a fresh reserved record, the questions of FIRST, then those of\n"
                  u"SECOND. All three must be of one kind (.tsm or .tsr); OUT may not be one of\n"
                  u"the inputs. An existing OUT is replaced only with --force."_s,
                  merge});
const Register
    splitCommand(u"split"_s,
                 {u"split FILE A [--force]"_s,
                  u"Splits FILE into two new files named FILE with a number before the extension\n"
                  u"(math1.tsm and math2.tsm, or the next free pair): the first gets questions\n"
                  u"1 .. A, the second the rest. Prints the two names. FILE is not changed. An\n"
                  u"existing second file is replaced only with --force."_s,
                  split});
const Register convertCommand(
    u"convert"_s,
    {u"convert FILE [--force]"_s,
     u"Converts a one-level file (.tsm) into a four-level one (.tsr) beside it, every\n"
     u"question of level low, or a four-level file into a one-level one, dropping\n"
     u"the levels. Prints the new file's name. An existing one is replaced only\n"
     u"with --force."_s,
     convert});

} // namespace
} // namespace zorvik::cli
