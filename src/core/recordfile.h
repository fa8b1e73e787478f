// A file of fixed-size records read and written one at a time at a current
// position. Every failure throws FileError; nothing fails silently.
#pragma once

#include "fileerror.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

namespace zorvik {

// The bytes after the last whole record of a file: a file cut short in copying
// or damaged on the way. 0 for a sound file (or one that does not exist).
qint64 partialTailBytes(const QString& path, int recordSize);

// "Файл … пошкоджено! …": what the teacher is told about such a file.
QString damagedFileText(const QString& path, int recordSize);

class RecordFile {
public:
    RecordFile() = default;
    RecordFile(RecordFile&&) noexcept = default;
    RecordFile& operator=(RecordFile&&) noexcept = default;
    ~RecordFile();

    // Opens an existing file for reading and writing; position 0.
    void openExisting(const QString& path, int recordSize);
    // Creates the file, or empties an existing one; position 0.
    void create(const QString& path, int recordSize);
    void close();

    bool isOpen() const { return file_ != nullptr; }
    const QString& path() const { return path_; }
    int recordSize() const { return recordSize_; }

    // Whole records only: a partial last record is not counted.
    qint64 count() const;
    qint64 position() const { return position_; }
    // 0 <= index <= count
    void seek(qint64 index);
    // The record at the position; position + 1.
    QByteArray read();
    // Writes at the position (appending at the end); position + 1.
    void write(const QByteArray& image);
    // Removes the records from the position on.
    void truncate();

    // Reads the record at the position into a decoded record of type R.
    template <typename R> R readRecord() { return R::decode(read()); }
    template <typename R> void writeRecord(const R& record) { write(record.encode()); }

private:
    void requireOpen(FileError::Op op) const;
    [[noreturn]] void fail(FileError::Op op) const;

    std::unique_ptr<QFile> file_;
    QString path_;
    int recordSize_ = 1;
    qint64 position_ = 0;
};

} // namespace zorvik
