// A file of fixed-size records read and written one at a time at a current
// position. Every failure throws FileError; nothing fails silently.
#pragma once

#include "fileerror.h"
#include "storage.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace zorvik {

// The bytes after the last whole record of a file: a file cut short in copying
// or damaged on the way. 0 for a sound file (or one that does not exist).
qint64 partialTailBytes(const QString& path, int recordSize);

// "Файл … пошкоджено! …": what the teacher is told about such a file.
QString damagedFileText(const QString& path, int recordSize);

// Where such bytes are kept when the file is next changed (a journal torn by
// a power cut, a test file cut short in copying), so that none is thrown away.
QString tornTailPath(const QString& path);

class RecordFile {
public:
    explicit RecordFile(const Storage& storage = Storage::system()) : storage_(&storage) {}
    RecordFile(RecordFile&&) noexcept = default;
    RecordFile& operator=(RecordFile&&) noexcept = default;
    ~RecordFile();

    // The storage files are opened through from now on.
    void setStorage(const Storage& storage) { storage_ = &storage; }
    const Storage& storage() const { return *storage_; }

    // Opens an existing file for reading and writing (reading only where it
    // may not be written); position 0.
    void openExisting(const QString& path, int recordSize, StoredKind kind = StoredKind::TestFile);
    // Creates the file, or empties an existing one; position 0.
    void create(const QString& path, int recordSize);
    // Opens the file, creating it when missing; position 0.
    void openOrCreate(const QString& path, int recordSize);
    // Makes the writes so far durable.
    void sync();
    // Syncs what was written and closes; a failure of either is reported.
    void close();
    // The open file itself, for the sizes and identity of what is open.
    StoredFile* storedFile() const { return file_.get(); }

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

    const Storage* storage_;
    std::unique_ptr<StoredFile> file_;
    QString path_;
    int recordSize_ = 1;
    qint64 position_ = 0;
};

} // namespace zorvik
