// The one way a user's file is read or written. Whole files are replaced
// through a temporary file renamed over the target; records are written in
// place with every write checked and synced; reads accept regular files only,
// up to a size cap; files that several computers write are locked around each
// change. Every failure is a FileError carrying the system's own reason.
//
// Everything runs over FileSystem, a thin POSIX-like interface: the program
// uses the real one, tests one that fails on purpose.
#pragma once

#include "fileerror.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <sys/stat.h>
#include <sys/types.h>

#include <functional>
#include <memory>

namespace zorvik {

// What a file is, for the largest size a read accepts.
enum class StoredKind {
    TestFile,  // .tsm, .tsr
    Journal,   // .ocn
    FieldText, // the text file of a long question
    Params,    // test.ns1, test.ns2
    ResultLog, // result.txt
    Json,
    Picture,
    Document, // exports, workbooks, other documents
};
qint64 sizeCap(StoredKind kind);

// A lock held until destroyed.
class FileLockHandle {
public:
    virtual ~FileLockHandle() = default;
};

// The calls the storage makes; each returns -1 (or null) and sets errno on
// failure, as the system calls do.
class FileSystem {
public:
    enum class Op { Open, Read, Write, Sync, Close, Rename, Truncate, Remove, Lock, Stat, Count };

    virtual ~FileSystem() = default;
    virtual int open(const QByteArray& path, int flags, mode_t mode);
    virtual ssize_t pread(int fd, void* buffer, size_t size, off_t offset);
    virtual ssize_t pwrite(int fd, const void* buffer, size_t size, off_t offset);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int ftruncate(int fd, off_t size);
    virtual int rename(const QByteArray& from, const QByteArray& to);
    virtual int unlink(const QByteArray& path);
    virtual int fstat(int fd, struct stat* info);
    virtual int stat(const QByteArray& path, struct stat* info);
    virtual int fchmod(int fd, mode_t mode);
    virtual int fchown(int fd, uid_t owner, gid_t group);
    // An exclusive lock of `path` among all copies of the program, waited for
    // up to timeoutMs; null with errno set when not obtained.
    virtual std::unique_ptr<FileLockHandle> lock(const QString& path, int timeoutMs);
};

// The real file system.
FileSystem& systemFileSystem();

// What stat says of a path (links followed).
struct FileStatus {
    bool exists = false;
    bool regular = false;
    bool directory = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    quint64 device = 0;
    quint64 inode = 0;
};

class Storage;

// An open regular file, closed (without a sync) when destroyed.
class StoredFile {
public:
    StoredFile(const StoredFile&) = delete;
    StoredFile& operator=(const StoredFile&) = delete;
    ~StoredFile();

    const QString& path() const { return path_; }
    bool writable() const { return writable_; }
    qint64 size() const;
    FileStatus status() const;
    // Exactly `size` bytes from `offset`, or fewer at the end of the file.
    QByteArray readAt(qint64 offset, qint64 size) const;
    QByteArray readAll() const;
    void writeAt(qint64 offset, QByteArrayView bytes);
    void append(QByteArrayView bytes) { writeAt(size(), bytes); }
    void truncate(qint64 size);
    // Makes what was written durable.
    void sync();
    // Sync and close; a failure of either is reported.
    void close();

private:
    friend class Storage;
    StoredFile(FileSystem& fs, int fd, QString path, bool writable);
    [[noreturn]] void fail(FileError::Op op, int error) const;

    FileSystem& fs_;
    int fd_;
    QString path_;
    bool writable_;
    bool dirty_ = false;
};

// The lock of one shared file, released when destroyed.
class StorageLock {
public:
    explicit StorageLock(std::unique_ptr<FileLockHandle> handle) : handle_(std::move(handle)) {}

private:
    std::unique_ptr<FileLockHandle> handle_;
};

class Storage {
public:
    enum class Access { Read, ReadWrite, ReadWriteOrRead };

    // sideDirs: where side copies of in-place rewrites go, first that works.
    explicit Storage(FileSystem& fs, QStringList sideDirs = {});
    // The storage of the program, over the real file system, with side copies
    // in the current folder or the temporary folder.
    static Storage& system();

    FileSystem& fileSystem() const { return fs_; }

    // Told when a file was restored from its side copy (shown to the teacher).
    void setNoticeHandler(std::function<void(const QString&)> handler) {
        notice_ = std::move(handler);
    }

    FileStatus status(const QString& path) const;
    bool isRegularFile(const QString& path) const { return status(path).regular; }

    // The whole content of a regular file of at most sizeCap(kind) bytes.
    QByteArray read(const QString& path, StoredKind kind) const;
    // Opens an existing regular file of at most sizeCap(kind) bytes.
    std::unique_ptr<StoredFile> open(const QString& path, Access access, StoredKind kind) const;
    // Opens a regular file for reading and writing, creating it when missing
    // (and emptying it when `empty`).
    std::unique_ptr<StoredFile> create(const QString& path, bool empty = false) const;

    // Replaces the whole file, or creates it: the target holds either its old
    // bytes or all of the new ones, whatever fails.
    void replace(const QString& path, QByteArrayView bytes) const;
    // Appends to a file, creating it when missing; synced.
    void append(const QString& path, QByteArrayView bytes) const;
    // Removes a file; true when it was there.
    bool remove(const QString& path) const;

    // The lock of a file that several computers write, waited for up to 10 s.
    StorageLock lock(const QString& path, int timeoutMs = 10000) const;

    // Restores a file whose in-place rewrite was cut off, from its side copy;
    // true when it did. Every open and read does this first.
    bool recover(const QString& path) const;

    // Removes the program's own temporary and side files older than a day
    // from the side folders.
    void removeStaleTemporaries() const;

    // The name of the side copy of `path` in `dir`.
    static QString sideCopyName(const QString& dir, const QString& path);

private:
    void replaceInPlace(const QString& path, QByteArrayView bytes,
                        const QString& folderReason) const;
    void writeNew(const QString& temp, QByteArrayView bytes, const struct stat* like) const;
    void syncFolder(const QString& path) const;
    void notify(const QString& text) const;
    std::unique_ptr<StoredFile> openRegular(const QString& path, int flags, StoredKind kind,
                                            bool writable) const;

    FileSystem& fs_;
    QStringList sideDirs_;
    std::function<void(const QString&)> notice_;
};

// The system's reason for an errno value ("No space left on device").
QString systemReason(int error);

} // namespace zorvik
