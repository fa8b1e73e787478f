#include "editing.h"

#include "atomicfile.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorvik {

QByteArray encodeQuestion(const Question& q, TestKind kind) {
    if (kind == TestKind::Tsr)
        return q.encode();
    TsmRecord r;
    static_cast<QuestionFields&>(r) = q;
    return r.encode();
}

Question decodeQuestion(QByteArrayView image, TestKind kind) {
    if (kind == TestKind::Tsr)
        return TsrRecord::decode(image);
    Question q;
    static_cast<QuestionFields&>(q) = TsmRecord::decode(image);
    return q;
}

Question emptyQuestion(TestKind kind) {
    return kind == TestKind::Tsr ? TsrRecord::empty() : Question{};
}

std::vector<Question> readAllQuestions(const QString& testFile, TestKind kind,
                                       const Storage& storage) {
    RecordFile file(storage);
    file.openExisting(testFile, recordSizeOf(kind));
    std::vector<Question> out;
    const qint64 n = file.count();
    if (n >= 2)
        file.seek(1);
    out.reserve(size_t(std::max<qint64>(n - 1, 0)));
    for (qint64 i = 1; i < n; ++i)
        out.push_back(decodeQuestion(file.read(), kind));
    file.close();
    return out;
}

void EditSession::open(const QString& path, TestKind kind) {
    if (kind == TestKind::None)
        throw FileError(FileError::Op::Open, path, u"not a test file"_s);
    RecordFile file(file_.storage());
    file.openExisting(path, recordSizeOf(kind));
    file_ = std::move(file);
    path_ = path;
    kind_ = kind;
    position_ = 1;
}

void EditSession::close() {
    file_.close();
    position_ = 1;
}

qint64 EditSession::questionCount() const {
    return std::max<qint64>(count() - 1, 0);
}

Question EditSession::read(qint64 i) {
    if (i < 1 || i >= count())
        throw FileError(FileError::Op::Read, path_, u"there is no question %1"_s.arg(i));
    file_.seek(i);
    Question q = decodeQuestion(file_.read(), kind_);
    file_.seek(i);
    position_ = i;
    return q;
}

Question EditSession::readCurrent() {
    if (position_ >= count())
        return emptyQuestion(kind_);
    return read(position_);
}

void EditSession::save(const Question& q) {
    if (!hasQuestions()) {
        replace(reservedRecord(content()) + encodeQuestion(q, kind_), 1);
        return;
    }
    if (position_ == count()) {
        append(q);
        return;
    }
    // The whole file is replaced, as for every other change: a record half
    // written over in place could not be taken back on a failing disk.
    QByteArray bytes = content();
    if (position_ < 1 || (position_ + 1) * recordSize() > bytes.size())
        throw FileError(FileError::Op::Write, path_,
                        u"запитання %1 у файлі немає"_s.arg(position_));
    bytes.replace(position_ * recordSize(), recordSize(), encodeQuestion(q, kind_));
    replace(bytes, position_);
}

void EditSession::insertEmpty() {
    const QByteArray old = content();
    const QByteArray empty = encodeQuestion(emptyQuestion(kind_), kind_);
    if (!hasQuestions()) {
        replace(reservedRecord(old) + empty, 1);
        return;
    }
    const qsizetype at = position_ * recordSize();
    replace(old.first(at) + empty + old.sliced(at), position_);
}

void EditSession::append(const Question& q) {
    const QByteArray old = content();
    const QByteArray added = encodeQuestion(q, kind_);
    if (!hasQuestions()) {
        replace(reservedRecord(old) + added, 1);
        return;
    }
    replace(old + added, old.size() / recordSize());
}

void EditSession::removeCurrent() {
    const QByteArray old = content();
    const qint64 n = old.size() / recordSize();
    if (n <= 2 || position_ < 1 || position_ >= n)
        throw FileError(FileError::Op::Write, path_,
                        u"question %1 cannot be removed"_s.arg(position_));
    const qsizetype at = position_ * recordSize();
    replace(old.first(at) + old.sliced(at + recordSize()), std::min(position_, n - 2));
}

EditSession::OnDisk EditSession::onDisk() const {
    if (!file_.isOpen())
        return OnDisk::Missing;
    const FileStatus open = file_.storedFile()->status();
    FileStatus now;
    try {
        now = file_.storage().status(path_);
    } catch (const FileError&) {
        return OnDisk::Missing;
    }
    if (!now.exists)
        return OnDisk::Missing;
    return now.device == open.device && now.inode == open.inode ? OnDisk::Same : OnDisk::Replaced;
}

void EditSession::ensureSameFile() const {
    switch (onDisk()) {
    case OnDisk::Same:
        return;
    case OnDisk::Missing:
        throw FileError(FileError::Op::Write, path_, u"файл вилучено після відкриття"_s);
    case OnDisk::Replaced:
        throw FileError(FileError::Op::Write, path_, u"файл замінено іншим після відкриття"_s);
    }
}

void EditSession::saveAs(const QString& path) {
    const QByteArray bytes = openContent();
    const qint64 position = position_;
    path_ = path;
    replace(bytes, position);
}

void EditSession::reopen() {
    RecordFile file(file_.storage());
    file.openExisting(path_, recordSize());
    file_ = std::move(file);
    // Past its end: a Save then adds the question instead of writing over another.
    position_ = std::clamp<qint64>(position_, 1, std::max<qint64>(count(), 1));
}

QByteArray EditSession::content() {
    ensureSameFile();
    return openContent();
}

QByteArray EditSession::openContent() {
    StoredFile& open = *file_.storedFile();
    QByteArray bytes = open.readAll();
    if (const qsizetype tail = bytes.size() % recordSize(); tail != 0) {
        // Cut short in copying: kept beside the file, never thrown away.
        file_.storage().append(tornTailPath(path_), QByteArrayView(bytes).last(tail));
        bytes.chop(tail);
    }
    return bytes;
}

QByteArray EditSession::reservedRecord(const QByteArray& content) const {
    if (content.size() >= recordSize())
        return content.first(recordSize());
    return encodeQuestion(emptyQuestion(kind_), kind_);
}

void EditSession::replace(const QByteArray& content, qint64 position) {
    const int size = recordSize();
    file_.storage().replace(path_, content);
    try {
        RecordFile file(file_.storage());
        file.openExisting(path_, size);
        file_ = std::move(file);
    } catch (const FileError&) {
        file_.close(); // the old handle names the replaced file
        throw;
    }
    position_ = position;
    file_.seek(position_);
}

} // namespace zorvik
