#include "filetools.h"

#include <QFileInfo>

#include <algorithm>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorvik {
namespace {

// Offsets shared by both record kinds.
constexpr int kAnswer5End = 0x700;   // Question .. PictureFile, Answer5 end here
constexpr int kCorrectFirst = 0x900; // Correct1 .. Correct5
constexpr int kTail = 0x905;         // first byte after Correct5
constexpr int kTsmFlags = 7;         // QuestionAndPicture, QuestionInTextFile, ReservedFlags

// A source read whole, then taken from its start one record at a time.
class RecordInput {
public:
    RecordInput(const QString& path, int recordSize, const Storage& storage)
        : path_(path), bytes_(storage.read(path, StoredKind::TestFile)), recordSize_(recordSize) {
        count_ = bytes_.size() / recordSize_;
    }

    qint64 count() const { return count_; }

    void skip(qint64 records) { at_ += records; }

    QByteArray read() {
        if (at_ >= count_)
            throw FileError(FileError::Op::Read, path_, u"файл закінчився раніше, ніж запис"_s);
        return bytes_.mid(at_++ * recordSize_, recordSize_);
    }

private:
    QString path_;
    QByteArray bytes_;
    int recordSize_;
    qint64 count_ = 0;
    qint64 at_ = 0;
};

// An output gathered whole and put in place of its target only when complete.
class RecordOutput {
public:
    RecordOutput(const QString& target, const Storage& storage)
        : target_(target), storage_(storage) {}

    void write(const QByteArray& image) { bytes_ += image; }
    void commit() { storage_.replace(target_, bytes_); }

private:
    QString target_;
    const Storage& storage_;
    QByteArray bytes_;
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
        if (questions_ < 2)
            return u"has %1 question%2, too few to split (at least 2 are needed): "_s
                       .arg(questions_)
                       .arg(questions_ == 1 ? u""_s : u"s"_s) +
                   path_;
        return u"cannot give %1 of %2 questions to the first file (choose 1 to %3): "_s.arg(a_)
                   .arg(questions_)
                   .arg(questions_ - 1) +
               path_;
    }
    return path_;
}

qint64 testRecordCount(const QString& path, TestKind kind, const Storage& storage) {
    return storage.open(path, Storage::Access::Read, StoredKind::TestFile)->size() /
           recordSizeOf(kind);
}

bool isSameFile(const QString& a, const QString& b) {
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (!fa.exists() || !fb.exists())
        return false;
    return fa.canonicalFilePath() == fb.canonicalFilePath();
}

// --- Merging ---------------------------------------------------------------

void checkMerge(const QString& first, const QString& second, const QString& result) {
    const TestKind kind = requireTestFile(first);
    requireKind(second, kind);
    requireKind(result, kind);
    requireNotInput(result, first);
    requireNotInput(result, second);
}

MergeResult mergeTestFiles(const QString& first, const QString& second, const QString& result,
                           const Storage& storage) {
    checkMerge(first, second, result);
    const TestKind kind = testKindOfPath(first);
    const int size = recordSizeOf(kind);

    RecordOutput out(result, storage);
    out.write(reservedFrom(kind, QByteArray(size, '\0')));
    // Each input through a handle of its own, so a file merged with itself
    // is simply read twice.
    auto copyQuestions = [&](const QString& path) {
        RecordInput in(path, size, storage);
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

void splitTestFile(const QString& source, qint64 a, const SplitNames& names,
                   const Storage& storage) {
    const TestKind kind = requireTestFile(source);
    requireKind(names.first, kind);
    requireKind(names.second, kind);
    requireNotInput(names.first, source);
    requireNotInput(names.second, source);
    if (names.first == names.second || isSameFile(names.first, names.second))
        throw ToolRefusal(ToolRefusal::Reason::OutputIsInput, names.second);

    RecordInput in(source, recordSizeOf(kind), storage);
    const qint64 questions = questionsOf(in.count());
    if (a < 1 || a >= questions)
        throw ToolRefusal(ToolRefusal::Reason::SplitOutOfRange, source, a, questions);

    const bool firstIsNew = !storage.status(names.first).exists;
    RecordOutput first(names.first, storage);
    QByteArray image;
    for (qint64 i = 0; i <= a; ++i) {
        image = in.read();
        first.write(image);
    }
    RecordOutput second(names.second, storage);
    second.write(reservedFrom(kind, image));
    for (qint64 i = a + 1; i <= questions; ++i)
        second.write(in.read());

    first.commit();
    try {
        second.commit();
    } catch (const FileError&) {
        // Half a split is no split: take back the first file we made.
        if (firstIsNew) {
            try {
                storage.remove(names.first);
            } catch (const FileError&) {
                // The split's own failure is the one to report.
            }
        }
        throw;
    }
}

// --- Converting ------------------------------------------------------------

QString convertTargetOf(const QString& source) {
    const qsizetype at = extensionStart(source);
    const QString base = at < 0 ? source : source.left(at);
    return base + (testKindOfPath(source) == TestKind::Tsr ? u".tsm"_s : u".tsr"_s);
}

void convertTestFile(const QString& source, const QString& target, const Storage& storage) {
    const TestKind kind = requireTestFile(source);
    const TestKind targetKind = kind == TestKind::Tsm ? TestKind::Tsr : TestKind::Tsm;
    requireKind(target, targetKind);
    requireNotInput(target, source);

    RecordInput in(source, recordSizeOf(kind), storage);
    RecordOutput out(target, storage);
    for (qint64 i = 0; i < in.count(); ++i) {
        const QByteArray image = in.read();
        out.write(kind == TestKind::Tsm ? tsmToTsr(image) : tsrToTsm(image));
    }
    out.commit();
}

} // namespace zorvik
