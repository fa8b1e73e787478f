// A test file opened for editing questions. The session keeps its own path,
// kind and open file, so that commands started meanwhile (which re-open the
// program-wide test files) cannot redirect its saves.
//
// Every change writes the whole new content beside the file and replaces it,
// so that a failure half way leaves the file exactly as it was. The content
// is the one of the file the session opened: a session whose path now names
// no file or another one refuses to write until told where to (saveAs,
// reopen). Record 0 is never written by a session, except to create it when
// a file without questions gets its first one. Bytes after the last whole
// record go to a side file at the first change.
#pragma once

#include "recordfile.h"
#include "records.h"
#include "testfile.h"

#include <QString>

#include <functional>
#include <vector>

namespace zorvik {

// One question of either kind; the levels only count in a four-level file.
using Question = TsrRecord;

QByteArray encodeQuestion(const Question& q, TestKind kind);
Question decodeQuestion(QByteArrayView image, TestKind kind);
// All texts empty and all flags 0; a four-level one is of level low.
Question emptyQuestion(TestKind kind);
// Every question of a test file (records 1 .. count - 1), read through a
// handle of its own. Throws FileError.
std::vector<Question> readAllQuestions(const QString& testFile, TestKind kind,
                                       const Storage& storage = Storage::system());

class EditSession {
public:
    explicit EditSession(const Storage& storage = Storage::system()) : file_(storage) {}
    void setStorage(const Storage& storage) { file_.setStorage(storage); }
    const Storage& storage() const { return file_.storage(); }

    // Opens an existing test file; the session stands on question 1.
    void open(const QString& path, TestKind kind); // throws FileError
    void close();
    bool isOpen() const { return file_.isOpen(); }
    const QString& path() const { return path_; }
    TestKind kind() const { return kind_; }

    // What the path names now, against the file the session has open.
    enum class OnDisk { Same, Missing, Replaced };
    OnDisk onDisk() const;
    // Writes the file as the session has it to `path` and goes on there, at
    // the same position (the path named the file, or the teacher chose another).
    void saveAs(const QString& path);
    // Goes on with the file now at the path, at the same position where it
    // has that question, else just after its last one (where a save adds).
    void reopen();

    qint64 count() const { return file_.count(); } // records, record 0 included
    // Records 1 .. count - 1; 0 for a file of fewer than two records.
    qint64 questionCount() const;
    bool hasQuestions() const { return questionCount() > 0; }
    // The question shown, 1 .. count - 1 (1 in a file without questions).
    qint64 position() const { return position_; }

    // Reads question i (1 .. count - 1) and stands on it.
    Question read(qint64 i);
    // The question at the position; an empty question while the file has none.
    Question readCurrent();

    // Writes the question at the position. In a file without
    // questions it becomes question 1 (a reserved record 0 is made first).
    void save(const Question& q);
    // A new empty question before the one at the position, which moves one
    // place on; the session stays on the new one.
    void insertEmpty();
    // `q` as the new last question; the session stands on it.
    void append(const Question& q);
    // Removes the question at the position; the following ones move one place
    // back. The session stands on the question now at that position, or on the
    // new last one. Not for the only question of a file.
    void removeCurrent();

private:
    int recordSize() const { return recordSizeOf(kind_); }
    // The whole records of the open file; a partial record is set aside first.
    QByteArray content();
    QByteArray openContent(); // the same, wherever the path points now
    void ensureSameFile() const;
    // The reserved record: the file's own, or an empty one if it has none.
    QByteArray reservedRecord(const QByteArray& content) const;
    // Writes `content` beside the file, replaces it and re-opens it at `position`.
    void replace(const QByteArray& content, qint64 position);

    RecordFile file_;
    QString path_;
    TestKind kind_ = TestKind::None;
    qint64 position_ = 1;
};

} // namespace zorvik
