// A failed file operation, with the operating system's reason.
#pragma once

#include <QString>

#include <exception>
#include <string>

namespace zorvik {

class FileError : public std::exception {
public:
    enum class Op { Open, Create, Read, Write, Seek, Truncate, Close, Rename, Remove, Lock };

    FileError(Op op, QString path, QString reason)
        : op_(op), path_(std::move(path)), reason_(std::move(reason)),
          what_(message().toStdString()) {}

    Op op() const { return op_; }
    const QString& path() const { return path_; }
    const QString& reason() const { return reason_; }
    // "Не вдалося записати файл /x/a.tsm: No space left on device"
    QString message() const;
    const char* what() const noexcept override { return what_.c_str(); }

private:
    Op op_;
    QString path_;
    QString reason_;
    std::string what_;
};

} // namespace zorvik
