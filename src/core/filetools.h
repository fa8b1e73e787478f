// Merging, splitting and converting test files. Every operation reads its
// sources through handles of its own (never the program's shared open test
// files) and writes each output beside its target, renaming it over the target
// only when complete: a failure leaves no partial output and an old target as
// it was. Failures throw FileError (with the system's reason) or ToolRefusal.
#pragma once

#include "storage.h"

#include "fileerror.h"
#include "testfile.h"

#include <QString>

#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace zorvik {

// The extension as the commands keep it: the first 4 characters from the last
// dot of the file name ("/a/math.tsm" -> ".tsm", "x.tsmx" -> ".tsm"), or empty.
QString testFileExtOf(const QString& path);
// The kind the extension selects, compared exactly (MATH.TSM is neither).
TestKind testKindOfPath(const QString& path);

// An operation that was not started because its files do not fit together.
class ToolRefusal : public std::exception {
public:
    enum class Reason {
        NotTestFile,     // the extension is not exactly .tsm or .tsr
        OtherKind,       // a file of the other kind than the first/source
        OutputIsInput,   // an output would replace one of the inputs
        SplitOutOfRange, // a must lie in 1 .. questions - 1
    };

    ToolRefusal(Reason reason, QString path, qint64 a = 0, qint64 questions = 0);

    Reason reason() const { return reason_; }
    const QString& path() const { return path_; }
    qint64 a() const { return a_; }
    qint64 questions() const { return questions_; }
    // One line for the command line.
    QString message() const;
    const char* what() const noexcept override { return what_.c_str(); }

private:
    Reason reason_;
    QString path_;
    qint64 a_;
    qint64 questions_;
    std::string what_;
};

// Number of whole records of a test file, read through a handle of its own;
// throws FileError when the file cannot be opened.
qint64 testRecordCount(const QString& path, TestKind kind,
                       const Storage& storage = Storage::system());
// Questions of a file of `records` records (the reserved record is not one).
inline qint64 questionsOf(qint64 records) {
    return records > 1 ? records - 1 : 0;
}

// True when both paths name the same existing file (links resolved).
bool isSameFile(const QString& a, const QString& b);

// --- Merging ---------------------------------------------------------------

struct MergeResult {
    qint64 firstQuestions = 0;
    qint64 secondQuestions = 0;
};

// Throws ToolRefusal when the second input or the result is not of the first
// input's kind, or the result is one of the inputs.
void checkMerge(const QString& first, const QString& second, const QString& result);
// The result: a fresh reserved record, the questions of the first file, then
// those of the second, in order. A file merged with itself gives each question
// twice.
MergeResult mergeTestFiles(const QString& first, const QString& second, const QString& result,
                           const Storage& storage = Storage::system());

// --- Splitting -------------------------------------------------------------

// The source with k inserted before its extension: math.tsm, 2 -> math2.tsm.
QString splitName(const QString& source, int k);

struct SplitNames {
    QString first;
    QString second;
};
// name(n) and name(n + 1) for the smallest n whose name(n) does not exist. Only
// the first is tested: an existing file named like the second is replaced.
SplitNames nextSplitNames(const QString& source);

// Records 0 .. a of the source to `first`; a reserved record made from record
// a, then records a + 1 .. N to `second`. Both appear only when both are
// complete. Throws ToolRefusal unless 1 <= a <= N - 1.
void splitTestFile(const QString& source, qint64 a, const SplitNames& names,
                   const Storage& storage = Storage::system());

// --- Converting ------------------------------------------------------------

// The source's path with the other kind's extension: math.tsm -> math.tsr.
QString convertTargetOf(const QString& source);
// Every record, the reserved one included, mapped field by field; a one-level
// question becomes of level low, a four-level one loses its level.
void convertTestFile(const QString& source, const QString& target,
                     const Storage& storage = Storage::system());

} // namespace zorvik
