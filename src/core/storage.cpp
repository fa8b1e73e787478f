#include "storage.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

constexpr qint64 kMiB = 1024 * 1024;
const QByteArray kSideMagic = "ZORVIK-SIDE 1\n";
const QString kTempSuffix = u".zorvik-tmp"_s;

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

QString folderOf(const QString& path) {
    const QFileInfo info(path);
    return info.absolutePath();
}

QString absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Why a path that is there cannot be taken as a file.
QString notRegularReason(mode_t mode) {
    if (S_ISDIR(mode))
        return u"це тека, а не файл"_s;
    if (S_ISFIFO(mode))
        return u"це канал, а не файл"_s;
    if (S_ISSOCK(mode))
        return u"це сокет, а не файл"_s;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return u"це пристрій, а не файл"_s;
    return u"це не звичайний файл"_s;
}

QString tooLargeReason(qint64 size, qint64 cap) {
    return u"файл завеликий (%1 байт, найбільше можна %2 байт)"_s.arg(size).arg(cap);
}

class QtLock final : public FileLockHandle {
public:
    explicit QtLock(std::unique_ptr<QLockFile> file) : file_(std::move(file)) {}

private:
    std::unique_ptr<QLockFile> file_;
};

// Where a lock file cannot be made beside the file (a folder shared read-only
// with a writable journal in it), the file itself is locked.
class RecordLock final : public FileLockHandle {
public:
    explicit RecordLock(int fd) : fd_(fd) {}
    ~RecordLock() override { ::close(fd_); }

private:
    int fd_;
};

std::unique_ptr<FileLockHandle> lockFileItself(const QString& path, int timeoutMs) {
    const int fd = ::open(nativePath(path).constData(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    const qint64 deadline = QDateTime::currentMSecsSinceEpoch() + timeoutMs;
    for (;;) {
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        if (::fcntl(fd, F_SETLK, &lock) == 0)
            return std::make_unique<RecordLock>(fd);
        const int error = errno;
        if ((error != EACCES && error != EAGAIN) ||
            QDateTime::currentMSecsSinceEpoch() >= deadline) {
            ::close(fd);
            errno = error == EACCES || error == EAGAIN ? ETIMEDOUT : error;
            return nullptr;
        }
        QThread::msleep(20);
    }
}

} // namespace

qint64 sizeCap(StoredKind kind) {
    switch (kind) {
    case StoredKind::TestFile:
    case StoredKind::Journal:
    case StoredKind::ResultLog:
        return 64 * kMiB;
    case StoredKind::FieldText:
    case StoredKind::Params:
        return 1 * kMiB;
    case StoredKind::Json:
    case StoredKind::Picture:
    case StoredKind::Document:
        return 256 * kMiB;
    }
    return 64 * kMiB;
}

QString systemReason(int error) {
    char buffer[256];
    return QString::fromLocal8Bit(::strerror_r(error, buffer, sizeof buffer));
}

// --- The real file system ---------------------------------------------------

int FileSystem::open(const QByteArray& path, int flags, mode_t mode) {
    int fd;
    do
        fd = ::open(path.constData(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

ssize_t FileSystem::pread(int fd, void* buffer, size_t size, off_t offset) {
    ssize_t n;
    do
        n = ::pread(fd, buffer, size, offset);
    while (n < 0 && errno == EINTR);
    return n;
}

ssize_t FileSystem::pwrite(int fd, const void* buffer, size_t size, off_t offset) {
    ssize_t n;
    do
        n = ::pwrite(fd, buffer, size, offset);
    while (n < 0 && errno == EINTR);
    return n;
}

int FileSystem::fsync(int fd) {
    return ::fsync(fd);
}

int FileSystem::close(int fd) {
    return ::close(fd);
}

int FileSystem::ftruncate(int fd, off_t size) {
    return ::ftruncate(fd, size);
}

int FileSystem::rename(const QByteArray& from, const QByteArray& to) {
    return ::rename(from.constData(), to.constData());
}

int FileSystem::unlink(const QByteArray& path) {
    return ::unlink(path.constData());
}

int FileSystem::fstat(int fd, struct stat* info) {
    return ::fstat(fd, info);
}

int FileSystem::stat(const QByteArray& path, struct stat* info) {
    return ::stat(path.constData(), info);
}

int FileSystem::fchmod(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}

int FileSystem::fchown(int fd, uid_t owner, gid_t group) {
    return ::fchown(fd, owner, group);
}

std::unique_ptr<FileLockHandle> FileSystem::lock(const QString& path, int timeoutMs) {
    auto file = std::make_unique<QLockFile>(path + u".lock"_s);
    // A copy that died holding the lock frees it after this long; a journal
    // change takes well under a second.
    file->setStaleLockTime(30000);
    // Tried again every 20 ms: QLockFile's own wait doubles its pauses up to
    // seconds, so a copy that has waited long keeps losing the lock to those
    // that came later, and times out while the lock is mostly free.
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        errno = 0;
        if (file->tryLock(0))
            return std::make_unique<QtLock>(std::move(file));
        if (file->error() != QLockFile::LockFailedError || deadline.hasExpired())
            break;
        QThread::msleep(20);
    }
    // A lock file that could not be made or written (a full disk) leaves the
    // system's reason in errno; QLockFile only says "unknown".
    const int reason = errno;
    if (file->error() == QLockFile::PermissionError) {
        if (auto itself = lockFileItself(path, timeoutMs))
            return itself;
        if (errno == ENOENT) {
            // Nothing to lock yet, and nothing can be created there either:
            // the write that follows fails with the real reason.
            return std::make_unique<FileLockHandle>();
        }
        return nullptr;
    }
    errno = file->error() == QLockFile::LockFailedError ? ETIMEDOUT : reason != 0 ? reason : EIO;
    return nullptr;
}

FileSystem& systemFileSystem() {
    static FileSystem fs;
    return fs;
}

// --- StoredFile --------------------------------------------------------------

StoredFile::StoredFile(FileSystem& fs, int fd, QString path, bool writable)
    : fs_(fs), fd_(fd), path_(std::move(path)), writable_(writable) {}

StoredFile::~StoredFile() {
    if (fd_ >= 0)
        fs_.close(fd_);
}

void StoredFile::fail(FileError::Op op, int error) const {
    throw FileError(op, path_, systemReason(error));
}

qint64 StoredFile::size() const {
    struct stat info {};
    if (fs_.fstat(fd_, &info) != 0)
        fail(FileError::Op::Read, errno);
    return info.st_size;
}

FileStatus StoredFile::status() const {
    struct stat info {};
    if (fs_.fstat(fd_, &info) != 0)
        fail(FileError::Op::Read, errno);
    FileStatus s;
    s.exists = true;
    s.regular = S_ISREG(info.st_mode);
    s.size = info.st_size;
    s.modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    s.device = info.st_dev;
    s.inode = info.st_ino;
    return s;
}

QByteArray StoredFile::readAt(qint64 offset, qint64 size) const {
    QByteArray bytes(size, Qt::Uninitialized);
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = fs_.pread(fd_, bytes.data() + done, size_t(size - done), offset + done);
        if (n < 0)
            fail(FileError::Op::Read, errno);
        if (n == 0)
            break;
        done += n;
    }
    bytes.truncate(done);
    return bytes;
}

QByteArray StoredFile::readAll() const {
    return readAt(0, size());
}

void StoredFile::writeAt(qint64 offset, QByteArrayView bytes) {
    if (!writable_)
        fail(FileError::Op::Write, EBADF);
    dirty_ = true;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            fs_.pwrite(fd_, bytes.data() + done, size_t(bytes.size() - done), offset + done);
        if (n < 0)
            fail(FileError::Op::Write, errno);
        if (n == 0)
            fail(FileError::Op::Write, ENOSPC);
        done += n;
    }
}

void StoredFile::truncate(qint64 size) {
    dirty_ = true;
    if (fs_.ftruncate(fd_, size) != 0)
        fail(FileError::Op::Truncate, errno);
}

void StoredFile::sync() {
    if (!dirty_)
        return;
    if (fs_.fsync(fd_) != 0)
        fail(FileError::Op::Write, errno);
    dirty_ = false;
}

void StoredFile::close() {
    if (fd_ < 0)
        return;
    const bool dirty = dirty_;
    if (dirty && fs_.fsync(fd_) != 0) {
        const int error = errno;
        fs_.close(fd_);
        fd_ = -1;
        fail(FileError::Op::Write, error);
    }
    const int fd = fd_;
    fd_ = -1;
    if (fs_.close(fd) != 0 && dirty)
        fail(FileError::Op::Close, errno);
}

// --- Storage ---------------------------------------------------------------

Storage::Storage(FileSystem& fs, QStringList sideDirs) : fs_(fs), sideDirs_(std::move(sideDirs)) {}

Storage& Storage::system() {
    static Storage storage(systemFileSystem(), {QDir::currentPath(), QDir::tempPath()});
    return storage;
}

void Storage::notify(const QString& text) const {
    if (notice_)
        notice_(text);
}

FileStatus Storage::status(const QString& path) const {
    FileStatus s;
    if (path.isEmpty())
        return s;
    struct stat info {};
    if (fs_.stat(nativePath(path), &info) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG || error == ELOOP)
            return s;
        throw FileError(FileError::Op::Open, path, systemReason(error));
    }
    s.exists = true;
    s.regular = S_ISREG(info.st_mode);
    s.directory = S_ISDIR(info.st_mode);
    s.size = info.st_size;
    s.modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    s.device = info.st_dev;
    s.inode = info.st_ino;
    return s;
}

std::unique_ptr<StoredFile> Storage::openRegular(const QString& path, int flags, StoredKind kind,
                                                 bool writable) const {
    // Looked at before opening: opening a pipe or a device may block or act.
    struct stat info {};
    if (fs_.stat(nativePath(path), &info) == 0 && !S_ISREG(info.st_mode))
        throw FileError(FileError::Op::Open, path, notRegularReason(info.st_mode));
    const int fd = fs_.open(nativePath(path), flags | O_NONBLOCK | O_NOCTTY, 0666);
    if (fd < 0)
        throw FileError((flags & O_CREAT) ? FileError::Op::Create : FileError::Op::Open, path,
                        systemReason(errno));
    auto file = std::unique_ptr<StoredFile>(new StoredFile(fs_, fd, path, writable));
    // And again on what was opened, which may have been swapped meanwhile.
    if (fs_.fstat(fd, &info) != 0)
        throw FileError(FileError::Op::Open, path, systemReason(errno));
    if (!S_ISREG(info.st_mode))
        throw FileError(FileError::Op::Open, path, notRegularReason(info.st_mode));
    if (info.st_size > sizeCap(kind))
        throw FileError(FileError::Op::Open, path, tooLargeReason(info.st_size, sizeCap(kind)));
    return file;
}

QByteArray Storage::read(const QString& path, StoredKind kind) const {
    recover(path);
    const auto file = openRegular(path, O_RDONLY, kind, false);
    const qint64 size = file->size();
    QByteArray bytes = file->readAt(0, size);
    if (bytes.size() != size)
        throw FileError(FileError::Op::Read, path, u"файл став коротшим під час читання"_s);
    return bytes;
}

std::unique_ptr<StoredFile> Storage::open(const QString& path, Access access,
                                          StoredKind kind) const {
    recover(path);
    if (access == Access::Read)
        return openRegular(path, O_RDONLY, kind, false);
    try {
        return openRegular(path, O_RDWR, kind, true);
    } catch (const FileError& e) {
        // A file on a read-only disk or share can still be read; a write
        // then fails and is reported.
        const bool readOnly = e.reason() == systemReason(EACCES) ||
                              e.reason() == systemReason(EROFS) ||
                              e.reason() == systemReason(EPERM);
        if (access == Access::ReadWrite || !readOnly)
            throw;
        return openRegular(path, O_RDONLY, kind, false);
    }
}

std::unique_ptr<StoredFile> Storage::create(const QString& path, bool empty) const {
    recover(path);
    auto file = openRegular(path, O_RDWR | O_CREAT, StoredKind::Document, true);
    if (empty && file->size() > 0)
        file->truncate(0);
    return file;
}

void Storage::writeNew(const QString& temp, QByteArrayView bytes, const struct stat* like) const {
    const mode_t mode = like ? (like->st_mode & 07777) : 0666;
    const int fd = fs_.open(nativePath(temp), O_WRONLY | O_CREAT | O_EXCL, mode);
    if (fd < 0)
        throw FileError(FileError::Op::Create, temp, systemReason(errno));
    auto file = std::unique_ptr<StoredFile>(new StoredFile(fs_, fd, temp, true));
    try {
        file->writeAt(0, bytes);
        if (like) {
            // Keep the owner and mode of the file replaced, where allowed.
            if (fs_.fchown(fd, like->st_uid, like->st_gid) != 0 && errno == EIO)
                throw FileError(FileError::Op::Write, temp, systemReason(EIO));
            fs_.fchmod(fd, like->st_mode & 07777);
        }
        file->dirty_ = true;
        file->close();
    } catch (...) {
        file.reset();
        fs_.unlink(nativePath(temp));
        throw;
    }
}

void Storage::syncFolder(const QString& path) const {
    const QString folder = folderOf(path);
    const int fd = fs_.open(nativePath(folder), O_RDONLY | O_DIRECTORY, 0);
    if (fd < 0)
        throw FileError(FileError::Op::Write, path, systemReason(errno));
    const bool synced = fs_.fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    const int error = errno;
    fs_.close(fd);
    if (!synced)
        throw FileError(FileError::Op::Write, path, systemReason(error));
}

QString Storage::sideCopyName(const QString& dir, const QString& path) {
    const QByteArray hash =
        QCryptographicHash::hash(absolute(path).toUtf8(), QCryptographicHash::Sha1).toHex();
    return dir + u"/zorvik-side-"_s + QString::fromLatin1(hash.left(20)) + u".bak"_s;
}

void Storage::replace(const QString& path, QByteArrayView bytes) const {
    recover(path);
    struct stat old {};
    bool existed = false;
    if (fs_.stat(nativePath(path), &old) == 0) {
        if (!S_ISREG(old.st_mode))
            throw FileError(FileError::Op::Create, path, notRegularReason(old.st_mode));
        existed = true;
    } else if (errno != ENOENT) {
        throw FileError(FileError::Op::Create, path, systemReason(errno));
    }
    const QFileInfo info(path);
    const QString temp = info.absolutePath() + u"/."_s + info.fileName() + u"."_s +
                         QString::number(QRandomGenerator::global()->generate(), 36) + kTempSuffix;
    try {
        writeNew(temp, bytes, existed ? &old : nullptr);
    } catch (const FileError& e) {
        // A folder shared read-only may still hold a file we may write.
        const bool folderClosed = e.path() == temp && (e.reason() == systemReason(EACCES) ||
                                                       e.reason() == systemReason(EPERM));
        if (existed && folderClosed && ::access(nativePath(path).constData(), W_OK) == 0) {
            replaceInPlace(path, bytes, e.reason());
            return;
        }
        // The reason, told of the target the teacher chose.
        throw FileError(e.op() == FileError::Op::Create && !existed ? FileError::Op::Create
                                                                    : FileError::Op::Write,
                        path, e.reason());
    }
    if (fs_.rename(nativePath(temp), nativePath(path)) != 0) {
        const int error = errno;
        fs_.unlink(nativePath(temp));
        throw FileError(FileError::Op::Rename, path, systemReason(error));
    }
    syncFolder(path);
}

void Storage::replaceInPlace(const QString& path, QByteArrayView bytes,
                             const QString& folderReason) const {
    // First a whole copy of the new content where it can be written: if the
    // rewrite is cut off, the next open finishes it from there.
    QByteArray side = kSideMagic + absolute(path).toUtf8() + '\n';
    side.append(bytes.data(), bytes.size());
    QString sideName;
    for (const QString& dir : sideDirs_) {
        const QString name = sideCopyName(dir, path);
        const QString temp = name + u"."_s +
                             QString::number(QRandomGenerator::global()->generate(), 36) +
                             kTempSuffix;
        try {
            writeNew(temp, side, nullptr);
            if (fs_.rename(nativePath(temp), nativePath(name)) != 0) {
                const int error = errno;
                fs_.unlink(nativePath(temp));
                throw FileError(FileError::Op::Rename, name, systemReason(error));
            }
            syncFolder(name);
            sideName = name;
            break;
        } catch (const FileError&) {
            // The next side folder, then.
        }
    }
    // No safe way to rewrite it: the teacher hears why the folder refused.
    if (sideName.isEmpty())
        throw FileError(FileError::Op::Write, path, folderReason);
    bool touched = false;
    try {
        const auto file = openRegular(path, O_WRONLY, StoredKind::Document, true);
        touched = true;
        file->writeAt(0, bytes);
        file->truncate(bytes.size());
        file->sync();
        const auto check = openRegular(path, O_RDONLY, StoredKind::Document, false);
        if (check->readAt(0, bytes.size() + 1) != bytes)
            throw FileError(FileError::Op::Write, path,
                            u"записане не збігається з прочитаним назад"_s);
        file->close();
    } catch (...) {
        if (!touched)
            fs_.unlink(nativePath(sideName));
        throw;
    }
    fs_.unlink(nativePath(sideName));
}

bool Storage::recover(const QString& path) const {
    if (path.isEmpty() || sideDirs_.isEmpty())
        return false;
    for (const QString& dir : sideDirs_) {
        const QString name = sideCopyName(dir, path);
        struct stat info {};
        if (fs_.stat(nativePath(name), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        try {
            const auto sideFile = openRegular(name, O_RDONLY, StoredKind::Document, false);
            const QByteArray side = sideFile->readAll();
            const QByteArray header = kSideMagic + absolute(path).toUtf8() + '\n';
            if (!side.startsWith(header))
                continue;
            const QByteArrayView content = QByteArrayView(side).sliced(header.size());
            const auto file = openRegular(path, O_WRONLY | O_CREAT, StoredKind::Document, true);
            file->writeAt(0, content);
            file->truncate(content.size());
            file->close();
            fs_.unlink(nativePath(name));
            notify(u"Запис файлу "_s + path +
                   u" було перервано.\rФайл відновлено із запасної копії "_s + name + u"."_s);
            return true;
        } catch (const FileError&) {
            // Left for a later open; the file is read as it is.
        }
    }
    return false;
}

void Storage::append(const QString& path, QByteArrayView bytes) const {
    const auto file = create(path);
    const qint64 before = file->size();
    try {
        file->writeAt(before, bytes);
        file->close();
    } catch (...) {
        // What was cut short goes; the file ends as it did.
        try {
            file->truncate(before);
            file->sync();
        } catch (const FileError&) {
        }
        throw;
    }
}

bool Storage::remove(const QString& path) const {
    if (fs_.unlink(nativePath(path)) == 0)
        return true;
    if (errno == ENOENT)
        return false;
    throw FileError(FileError::Op::Remove, path, systemReason(errno));
}

StorageLock Storage::lock(const QString& path, int timeoutMs) const {
    auto handle = fs_.lock(path, timeoutMs);
    if (!handle) {
        const int error = errno;
        throw FileError(FileError::Op::Lock, path,
                        error == ETIMEDOUT ? u"файл зайнято іншою копією програми понад %1 с"_s.arg(
                                                 timeoutMs / 1000)
                                           : systemReason(error));
    }
    return StorageLock(std::move(handle));
}

void Storage::removeStaleTemporaries() const {
    const QDateTime dayAgo = QDateTime::currentDateTime().addDays(-1);
    for (const QString& dir : sideDirs_) {
        const QDir folder(dir);
        const QFileInfoList found =
            folder.entryInfoList({u"*"_s + kTempSuffix, u".*"_s + kTempSuffix, u"zorvik-xlsx-*"_s},
                                 QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QFileInfo& info : found) {
            if (info.lastModified() >= dayAgo || info.isSymLink())
                continue;
            if (info.isDir())
                QDir(info.absoluteFilePath()).removeRecursively();
            else
                fs_.unlink(nativePath(info.absoluteFilePath()));
        }
    }
}

} // namespace zorvik
