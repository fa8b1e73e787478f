// A file system that fails on purpose: the k-th operation fails with a chosen
// errno, or the k-th write is cut short (and the next one finds the disk
// full), or the k-th sync finds the disk full. Every operation the storage
// makes is counted, so a loop over k = 1, 2, … reaches every point of failure.
#pragma once

#include "core/storage.h"

#include <cerrno>
#include <set>

namespace zorvik::testing {

class FaultyFileSystem final : public FileSystem {
public:
    enum class Fault { None, FailOp, ShortWrite, FullAtSync };

    // Arms the fault at the k-th counted operation (1-based) from now.
    void arm(Fault fault, int k, int error = EIO) {
        fault_ = fault;
        k_ = k;
        error_ = error;
        count_ = writes_ = syncs_ = 0;
        fired_ = false;
        cutShort_ = false;
    }
    void disarm() { fault_ = Fault::None; }
    // Every write to a file whose path contains `part` fails with `error`,
    // until cleared with an empty part: a journal on a full share.
    void failWritesTo(const QByteArray& part, int error = ENOSPC) {
        fullPart_ = part;
        fullError_ = error;
    }
    // Whether the armed fault was reached.
    bool fired() const { return fired_; }
    int operations() const { return count_; }

    int open(const QByteArray& path, int flags, mode_t mode) override {
        if (hit())
            return fail();
        const int fd = FileSystem::open(path, flags, mode);
        if (fd >= 0) {
            if (!fullPart_.isEmpty() && path.contains(fullPart_))
                full_.insert(fd);
            else
                full_.erase(fd);
        }
        return fd;
    }
    ssize_t pread(int fd, void* buffer, size_t size, off_t offset) override {
        if (hit())
            return fail();
        return FileSystem::pread(fd, buffer, size, offset);
    }
    ssize_t pwrite(int fd, const void* buffer, size_t size, off_t offset) override {
        if (full_.count(fd)) {
            errno = fullError_;
            return -1;
        }
        if (cutShort_) {
            errno = ENOSPC;
            return -1;
        }
        if (fault_ == Fault::ShortWrite) {
            if (++writes_ == k_) {
                fired_ = cutShort_ = true;
                const size_t part = size / 2;
                return part ? FileSystem::pwrite(fd, buffer, part, offset) : (errno = ENOSPC, -1);
            }
            return FileSystem::pwrite(fd, buffer, size, offset);
        }
        if (hit())
            return fail();
        return FileSystem::pwrite(fd, buffer, size, offset);
    }
    int fsync(int fd) override {
        if (fault_ == Fault::FullAtSync) {
            if (++syncs_ == k_) {
                fired_ = true;
                errno = ENOSPC;
                return -1;
            }
            return FileSystem::fsync(fd);
        }
        if (hit())
            return fail();
        return FileSystem::fsync(fd);
    }
    int ftruncate(int fd, off_t size) override {
        if (hit())
            return fail();
        return FileSystem::ftruncate(fd, size);
    }
    int rename(const QByteArray& from, const QByteArray& to) override {
        if (hit())
            return fail();
        return FileSystem::rename(from, to);
    }
    std::unique_ptr<FileLockHandle> lock(const QString& path, int timeoutMs) override {
        if (hit()) {
            fail();
            return nullptr;
        }
        return FileSystem::lock(path, timeoutMs);
    }

private:
    bool hit() {
        if (fault_ != Fault::FailOp)
            return false;
        if (++count_ != k_)
            return false;
        fired_ = true;
        return true;
    }
    int fail() {
        errno = error_;
        return -1;
    }

    Fault fault_ = Fault::None;
    int k_ = 0;
    int error_ = EIO;
    int count_ = 0;
    int writes_ = 0;
    int syncs_ = 0;
    bool fired_ = false;
    bool cutShort_ = false;
    QByteArray fullPart_;
    int fullError_ = ENOSPC;
    std::set<int> full_;
};

} // namespace zorvik::testing
