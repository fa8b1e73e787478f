#include "filetools.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorvik {
namespace {

ToolWriteFault& writeFault() {
    static ToolWriteFault fault;
    return fault;
}

// Offsets shared by both record kinds.
constexpr int kAnswer5End = 0x700;   // Question .. PictureFile, Answer5 end here
constexpr int kCorrectFirst = 0x900; // Correct1 .. Correct5
constexpr int kTail = 0x905;         // first byte after Correct5
constexpr int kTsmFlags = 7;         // QuestionAndPicture, QuestionInTextFile, ReservedFlags

// A source read from its start, one whole record at a time.
class RecordInput {
public:
    RecordInput(const QString& path, int recordSize) : file_(path), recordSize_(recordSize) {
        if (!file_.exists())
            throw FileError(FileError::Op::Open, path, u"No such file or directory"_s);
        if (!file_.open(QIODevice::ReadOnly))
            throw FileError(FileError::Op::Open, path, file_.errorString());
        count_ = file_.size() / recordSize_;
    }

    qint64 count() const { return count_; }

    void skip(qint64 records) {
        if (!file_.seek(file_.pos() + records * recordSize_))
            throw FileError(FileError::Op::Read, file_.fileName(), file_.errorString());
    }

    QByteArray read() {
        QByteArray image = file_.read(recordSize_);
        if (image.size() != recordSize_) {
            const QString reason = file_.error() != QFileDevice::NoError
                                       ? file_.errorString()
                                       : u"the file became shorter while it was read"_s;
            throw FileError(FileError::Op::Read, file_.fileName(), reason);
        }
        return image;
    }

private:
    QFile file_;
    int recordSize_;
    qint64 count_ = 0;
};

// An output written beside its target; discarded unless committed.
class RecordOutput {
public:
    explicit RecordOutput(const QString& target) : file_(target), target_(target) {
        if (!file_.open(QIODevice::WriteOnly))
            throw FileError(FileError::Op::Create, target, file_.errorString());
    }

    void write(const QByteArray& image) {
        if (writeFault()) {
            if (const auto reason = writeFault()(target_, written_))
                throw FileError(FileError::Op::Write, target_, *reason);
        }
        if (file_.write(image) != image.size())
            throw FileError(FileError::Op::Write, target_, file_.errorString());
        ++written_;
    }

    void commit() {
        if (!file_.commit()) {
            const auto op = file_.error() == QFileDevice::RenameError ? FileError::Op::Rename
                                                                      : FileError::Op::Write;
            throw FileError(op, target_, file_.errorString());
        }
    }

private:
    QSaveFile file_;
    QString target_;
    qint64 written_ = 0;
};

TestKind requireTestFile(const QString& path) {
    const TestKind kind = testKindOfPath(path);
    if (kind == TestKind::None)
        throw ToolRefusal(ToolRefusal::Reason::NotTestFile, path);
    return kind;
}

void requireKind(const QString& path, TestKind kind) {
    if (testKindOfPath(path) != kind)
        throw ToolRefusal(ToolRefusal::Reason::OtherKind, path);
}

void requireNotInput(const QString& output, const QString& input) {
    if (isSameFile(output, input))
        throw ToolRefusal(ToolRefusal::Reason::OutputIsInput, output);
}

// A reserved record: the texts and marks emptied, the flags of an empty
// question; the rest of the image is kept.
QByteArray reservedFrom(TestKind kind, QByteArray image) {
    std::fill(image.begin(), image.begin() + kAnswer5End, '\0');
    std::fill(image.begin() + kCorrectFirst, image.begin() + kTail, '\0');
    if (kind == TestKind::Tsm) {
        image[kTail] = 0; // QuestionAndPicture
    } else {
        image[kTail] = 1; // LevelLow
        image[kTail + 1] = 0;
        image[kTail + 2] = 0;
        image[kTail + 3] = 0;
        image[kTail + 4] = 0; // QuestionAndPicture
    }
    return image;
}

QByteArray tsmToTsr(const QByteArray& tsm) {
    QByteArray tsr = tsm.left(kTail);
    tsr.append(char(1)).append(3, '\0'); // low, medium, high, sufficient
    tsr.append(tsm.mid(kTail, kTsmFlags));
    return tsr;
}

QByteArray tsrToTsm(const QByteArray& tsr) {
    return tsr.left(kTail) + tsr.mid(kTail + 4, kTsmFlags);
}

// Position in the file name where the extension starts, or -1.
qsizetype extensionStart(const QString& path) {
    const qsizetype nameStart = path.size() - QFileInfo(path).fileName().size();
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot >= nameStart ? dot : -1;
}

} // namespace

QString testFileExtOf(const QString& path) {
    const qsizetype dot = extensionStart(path);
    return dot < 0 ? QString() : path.mid(dot, 4);
}

TestKind testKindOfPath(const QString& path) {
    return testKindOfExt(testFileExtOf(path));
}

ToolRefusal::ToolRefusal(Reason reason, QString path, qint64 a, qint64 questions)
    : reason_(reason), path_(std::move(path)), a_(a), questions_(questions),
      what_(message().toStdString()) {}

QString ToolRefusal::message() const {
    switch (reason_) {
    case Reason::NotTestFile:
        return u"not a test file (the extension must be .tsm or .tsr, in lower case): "_s + path_;
    case Reason::OtherKind:
        return u"a test file of the other kind (one-level and four-level files do not mix): "_s +
               path_;
    case Reason::OutputIsInput:
        return u"the output would replace one of the inputs: "_s + path_;
    case Reason::SplitOutOfRange:
        return u"cannot give %1 of %2 questions to the first file (choose 1 to %3): "_s.arg(a_)
                   .arg(questions_)
                   .arg(questions_ - 1) +
               path_;
    }
    return path_;
}

qint64 testRecordCount(const QString& path, TestKind kind) {
    return RecordInput(path, recordSizeOf(kind)).count();
}

bool isSameFile(const QString& a, const QString& b) {
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (!fa.exists() || !fb.exists())
        return false;
    return fa.canonicalFilePath() == fb.canonicalFilePath();
}

void setToolWriteFault(ToolWriteFault fault) {
    writeFault() = std::move(fault);
}

// --- Merging ---------------------------------------------------------------

void checkMerge(const QString& first, const QString& second, const QString& result) {
    const TestKind kind = requireTestFile(first);
    requireKind(second, kind);
    requireKind(result, kind);
    requireNotInput(result, first);
    requireNotInput(result, second);
}

MergeResult mergeTestFiles(const QString& first, const QString& second, const QString& result) {
    checkMerge(first, second, result);
    const TestKind kind = testKindOfPath(first);
    const int size = recordSizeOf(kind);

    RecordOutput out(result);
    out.write(reservedFrom(kind, QByteArray(size, '\0')));
    // Each input through a handle of its own, so a file merged with itself
    // is simply read twice.
    auto copyQuestions = [&](const QString& path) {
        RecordInput in(path, size);
        const qint64 questions = questionsOf(in.count());
        if (questions > 0)
            in.skip(1);
        for (qint64 i = 0; i < questions; ++i)
            out.write(in.read());
        return questions;
    };
    MergeResult counts;
    counts.firstQuestions = copyQuestions(first);
    counts.secondQuestions = copyQuestions(second);
    out.commit();
    return counts;
}

// --- Splitting -------------------------------------------------------------

QString splitName(const QString& source, int k) {
    qsizetype at = extensionStart(source);
    if (at < 0)
        at = source.size();
    return source.left(at) + QString::number(k) + source.mid(at);
}

SplitNames nextSplitNames(const QString& source) {
    int n = 1;
    while (QFileInfo::exists(splitName(source, n)))
        ++n;
    return {splitName(source, n), splitName(source, n + 1)};
}

void splitTestFile(const QString& source, qint64 a, const SplitNames& names) {
    const TestKind kind = requireTestFile(source);
    requireKind(names.first, kind);
    requireKind(names.second, kind);
    requireNotInput(names.first, source);
    requireNotInput(names.second, source);
    if (names.first == names.second || isSameFile(names.first, names.second))
        throw ToolRefusal(ToolRefusal::Reason::OutputIsInput, names.second);

    RecordInput in(source, recordSizeOf(kind));
    const qint64 questions = questionsOf(in.count());
    if (a < 1 || a >= questions)
        throw ToolRefusal(ToolRefusal::Reason::SplitOutOfRange, source, a, questions);

    const bool firstIsNew = !QFileInfo::exists(names.first);
    RecordOutput first(names.first);
    QByteArray image;
    for (qint64 i = 0; i <= a; ++i) {
        image = in.read();
        first.write(image);
    }
    RecordOutput second(names.second);
    second.write(reservedFrom(kind, image));
    for (qint64 i = a + 1; i <= questions; ++i)
        second.write(in.read());

    first.commit();
    try {
        second.commit();
    } catch (const FileError&) {
        // Half a split is no split: take back the first file we made.
        if (firstIsNew)
            QFile::remove(names.first);
        throw;
    }
}

// --- Converting ------------------------------------------------------------

QString convertTargetOf(const QString& source) {
    const qsizetype at = extensionStart(source);
    const QString base = at < 0 ? source : source.left(at);
    return base + (testKindOfPath(source) == TestKind::Tsr ? u".tsm"_s : u".tsr"_s);
}

void convertTestFile(const QString& source, const QString& target) {
    const TestKind kind = requireTestFile(source);
    const TestKind targetKind = kind == TestKind::Tsm ? TestKind::Tsr : TestKind::Tsm;
    requireKind(target, targetKind);
    requireNotInput(target, source);

    RecordInput in(source, recordSizeOf(kind));
    RecordOutput out(target);
    for (qint64 i = 0; i < in.count(); ++i) {
        const QByteArray image = in.read();
        out.write(kind == TestKind::Tsm ? tsmToTsr(image) : tsrToTsm(image));
    }
    out.commit();
}

} // namespace zorvik
