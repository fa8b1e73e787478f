#include "recordfile.h"

#include "failuretext.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorvik {

QString FileError::message() const {
    // One line; windows that want the reason on its own line use fileFailureText.
    QString text = fileFailureText(*this);
    text.replace(u":\r"_s, u": "_s);
    return text;
}

qint64 partialTailBytes(const QString& path, int recordSize) {
    const QFileInfo info(path);
    return info.isFile() ? info.size() % recordSize : 0;
}

QString damagedFileText(const QString& path, int recordSize) {
    return u"Файл "_s + path + u" пошкоджено!\rЙого довжина не кратна довжині запису: "_s +
           u"останні %1 байт не належать жодному запитанню і не показуються."_s.arg(
               partialTailBytes(path, recordSize));
}

QString tornTailPath(const QString& path) {
    return path + u".torn"_s;
}

RecordFile::~RecordFile() {
    // A file closed by going out of scope after a failure: nothing more to say.
    file_.reset();
}

void RecordFile::openExisting(const QString& path, int recordSize, StoredKind kind) {
    file_.reset();
    path_ = path;
    recordSize_ = recordSize;
    position_ = 0;
    file_ = storage_->open(path, Storage::Access::ReadWriteOrRead, kind);
}

void RecordFile::create(const QString& path, int recordSize) {
    file_.reset();
    path_ = path;
    recordSize_ = recordSize;
    position_ = 0;
    file_ = storage_->create(path, true);
}

void RecordFile::openOrCreate(const QString& path, int recordSize) {
    file_.reset();
    path_ = path;
    recordSize_ = recordSize;
    position_ = 0;
    file_ = storage_->create(path, false);
}

void RecordFile::sync() {
    requireOpen(FileError::Op::Write);
    file_->sync();
}

void RecordFile::close() {
    if (!file_)
        return;
    std::unique_ptr<StoredFile> file = std::move(file_);
    file->close();
}

qint64 RecordFile::count() const {
    requireOpen(FileError::Op::Read);
    return file_->size() / recordSize_;
}

void RecordFile::seek(qint64 index) {
    requireOpen(FileError::Op::Seek);
    if (index < 0 || index > count())
        throw FileError(FileError::Op::Seek, path_, u"запису %1 у файлі немає"_s.arg(index));
    position_ = index;
}

QByteArray RecordFile::read() {
    requireOpen(FileError::Op::Read);
    QByteArray image = file_->readAt(position_ * recordSize_, recordSize_);
    if (image.size() != recordSize_)
        throw FileError(FileError::Op::Read, path_, u"файл закінчився раніше, ніж запис"_s);
    ++position_;
    return image;
}

void RecordFile::write(const QByteArray& image) {
    requireOpen(FileError::Op::Write);
    Q_ASSERT(image.size() == recordSize_);
    file_->writeAt(position_ * recordSize_, image);
    ++position_;
}

void RecordFile::truncate() {
    requireOpen(FileError::Op::Truncate);
    file_->truncate(position_ * recordSize_);
}

void RecordFile::requireOpen(FileError::Op op) const {
    if (!file_)
        throw FileError(op, path_, u"файл не відкрито"_s);
}

} // namespace zorvik
