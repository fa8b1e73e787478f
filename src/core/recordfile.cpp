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

RecordFile::~RecordFile() {
    if (file_)
        file_->close();
}

void RecordFile::openExisting(const QString& path, int recordSize) {
    close();
    path_ = path;
    recordSize_ = recordSize;
    position_ = 0;
    auto file = std::make_unique<QFile>(path);
    if (!file->exists())
        throw FileError(FileError::Op::Open, path, u"No such file or directory"_s);
    if (!file->open(QIODevice::ReadWrite)) {
        // A file on a read-only disk or share can still be read; a later
        // write fails and is reported then.
        const QString reason = file->errorString();
        if (!file->open(QIODevice::ReadOnly))
            throw FileError(FileError::Op::Open, path, reason);
    }
    file_ = std::move(file);
}

void RecordFile::create(const QString& path, int recordSize) {
    close();
    path_ = path;
    recordSize_ = recordSize;
    position_ = 0;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadWrite | QIODevice::Truncate))
        throw FileError(FileError::Op::Create, path, file->errorString());
    file_ = std::move(file);
}

void RecordFile::close() {
    if (!file_)
        return;
    std::unique_ptr<QFile> file = std::move(file_);
    file->flush();
    const bool failed = file->error() != QFileDevice::NoError;
    const QString reason = file->errorString();
    file->close();
    if (failed)
        throw FileError(FileError::Op::Close, path_, reason);
}

qint64 RecordFile::count() const {
    requireOpen(FileError::Op::Read);
    return file_->size() / recordSize_;
}

void RecordFile::seek(qint64 index) {
    requireOpen(FileError::Op::Seek);
    if (index < 0 || index > count())
        throw FileError(FileError::Op::Seek, path_, u"record %1 is outside the file"_s.arg(index));
    position_ = index;
}

QByteArray RecordFile::read() {
    requireOpen(FileError::Op::Read);
    if (position_ >= count())
        throw FileError(FileError::Op::Read, path_, u"read beyond the end of the file"_s);
    if (!file_->seek(position_ * recordSize_))
        fail(FileError::Op::Read);
    QByteArray image = file_->read(recordSize_);
    if (image.size() != recordSize_)
        fail(FileError::Op::Read);
    ++position_;
    return image;
}

void RecordFile::write(const QByteArray& image) {
    requireOpen(FileError::Op::Write);
    Q_ASSERT(image.size() == recordSize_);
    if (!file_->seek(position_ * recordSize_))
        fail(FileError::Op::Write);
    if (file_->write(image) != image.size() || !file_->flush())
        fail(FileError::Op::Write);
    ++position_;
}

void RecordFile::truncate() {
    requireOpen(FileError::Op::Truncate);
    if (!file_->resize(position_ * recordSize_))
        fail(FileError::Op::Truncate);
}

void RecordFile::requireOpen(FileError::Op op) const {
    if (!file_)
        throw FileError(op, path_, u"the file is not open"_s);
}

void RecordFile::fail(FileError::Op op) const {
    const QString reason = file_->errorString();
    throw FileError(op, path_, reason.isEmpty() ? u"input/output error"_s : reason);
}

} // namespace zorvik
