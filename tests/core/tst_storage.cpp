// The storage layer itself: what it refuses to read, how it replaces files it
// may not replace by rename, the locks of shared files and the journal's
// guards against files that are not journals.
#include "core/atomicfile.h"
#include "core/journalfile.h"
#include "core/questiontext.h"
#include "core/recordfile.h"
#include "core/storage.h"
#include "support/faultyfs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {

class FixedClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 8), QTime(9, 30)); }
    qint64 monotonicMs() const override { return 0; }
};

// A folder that refuses new files (a share owned by someone else) while its
// files stay writable; optionally the rewrite of `tornTarget` in place stops
// halfway, as at a power cut.
class ClosedFolderFs final : public FileSystem {
public:
    explicit ClosedFolderFs(QByteArray folder) : folder_(std::move(folder)) {}
    QByteArray tornTarget;

    int open(const QByteArray& path, int flags, mode_t mode) override {
        if ((flags & O_CREAT) && path.startsWith(folder_ + '/') && path.endsWith(".zorvik-tmp")) {
            errno = EACCES;
            return -1;
        }
        const int fd = FileSystem::open(path, flags, mode);
        if (fd >= 0 && path == tornTarget && (flags & O_ACCMODE) != O_RDONLY)
            tornFd_ = fd;
        return fd;
    }
    ssize_t pwrite(int fd, const void* buffer, size_t size, off_t offset) override {
        if (fd == tornFd_) {
            tornFd_ = -1;
            FileSystem::pwrite(fd, buffer, size / 2, offset);
            errno = EIO;
            return -1;
        }
        return FileSystem::pwrite(fd, buffer, size, offset);
    }

private:
    QByteArray folder_;
    int tornFd_ = -1;
};

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList temporariesIn(const QString& dir) {
    return QDir(dir).entryList({u"*.zorvik-tmp"_s}, QDir::Files | QDir::Hidden);
}

void setAge(const QString& path, int days) {
    const time_t then = time(nullptr) - days * 86400;
    const struct timeval times[2] = {{then, 0}, {then, 0}};
    QVERIFY(::utimes(QFile::encodeName(path).constData(), times) == 0);
}

JournalRecord entry(int no) {
    JournalRecord r;
    r.EntryNo = no;
    r.StudentName = u"Учень %1"_s.arg(no);
    r.TestName = u"math.tsm"_s;
    r.GradeScale = 12;
    r.Grade = 7;
    return r;
}

} // namespace

class StorageTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QDir().mkpath(path(u"folder"_s));
        QVERIFY(::mkfifo(QFile::encodeName(path(u"pipe"_s)).constData(), 0600) == 0);
        QVERIFY(QFile::link(path(u"gone"_s), path(u"dangling"_s)));
        QVERIFY(QFile::link(path(u"pipe"_s), path(u"to-pipe.ocn"_s)));
    }

    // Nothing but a regular file is opened: a pipe would hang the reader,
    // /dev/zero would never end.
    void hostileNamesAreRefusedAtOnce_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder") << u"folder"_s << u"це тека, а не файл"_s;
        QTest::newRow("pipe") << u"pipe"_s << u"це канал, а не файл"_s;
        QTest::newRow("link to a pipe") << u"to-pipe.ocn"_s << u"це канал, а не файл"_s;
        QTest::newRow("device") << u"/dev/zero"_s << u"це пристрій, а не файл"_s;
        QTest::newRow("dangling link") << u"dangling"_s << systemReason(ENOENT);
    }
    void hostileNamesAreRefusedAtOnce() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const QString p = name.startsWith(u'/') ? name : path(name);
        QElapsedTimer clock;
        clock.start();
        for (const StoredKind kind :
             {StoredKind::FieldText, StoredKind::Picture, StoredKind::Json}) {
            try {
                Storage::system().read(p, kind);
                QFAIL("read");
            } catch (const FileError& e) {
                QCOMPARE(e.reason(), reason);
            }
        }
        try {
            RecordFile file;
            file.openExisting(p, TsmRecord::Size);
            QFAIL("opened as a test file");
        } catch (const FileError& e) {
            QCOMPARE(e.reason(), reason);
        }
        QVERIFY_THROWS_EXCEPTION(FileError, readJournal(p));
        QCOMPARE(readFieldTextFile(p), std::nullopt);
        QVERIFY(!mayBeJournal(p) || name == u"dangling"_s);
        QVERIFY(clock.elapsed() < 2000);
    }

    void sizeCapHoldsPerKind() {
        const QString big = path(u"big.txt"_s);
        QFile f(big);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(sizeCap(StoredKind::FieldText) + 1)); // sparse: no disk used
        f.close();
        try {
            Storage::system().read(big, StoredKind::FieldText);
            QFAIL("read past the cap");
        } catch (const FileError& e) {
            QVERIFY2(e.reason().startsWith(u"файл завеликий"_s), qPrintable(e.reason()));
        }
        QCOMPARE(Storage::system().read(big, StoredKind::Json).size(),
                 sizeCap(StoredKind::FieldText) + 1);
        QFile::remove(big);
    }

    void replaceKeepsModeAndLeavesNoTemporary() {
        const QString p = path(u"mode.tsm"_s);
        writeFileAtomically(p, "old");
        QVERIFY(::chmod(QFile::encodeName(p).constData(), 0640) == 0);
        Storage::system().replace(p, "new bytes");
        QCOMPARE(fileBytes(p), QByteArray("new bytes"));
        struct stat info {};
        QVERIFY(::stat(QFile::encodeName(p).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0640));
        QCOMPARE(temporariesIn(dir_.path()), QStringList());
    }

    // The folder refuses the temporary file but the file may be written:
    // rewritten in place, with a side copy while it lasts.
    void closedFolderIsRewrittenInPlace() {
        QTemporaryDir side;
        QDir().mkpath(path(u"share"_s));
        const QString p = path(u"share/test.ns1"_s);
        writeFileAtomically(p, QByteArray(100, 'o'));
        ClosedFolderFs fs(QFile::encodeName(path(u"share"_s)));
        const Storage storage(fs, {side.path()});
        storage.replace(p, "shorter");
        QCOMPARE(fileBytes(p), QByteArray("shorter"));
        QCOMPARE(QDir(side.path()).entryList(QDir::Files | QDir::Hidden), QStringList());

        // No side folder either: refused with the folder's reason, file untouched.
        const Storage nowhere(fs, {path(u"share/none"_s)});
        try {
            nowhere.replace(p, "other");
            QFAIL("rewritten without a side copy");
        } catch (const FileError& e) {
            QCOMPARE(e.reason(), systemReason(EACCES));
        }
        QCOMPARE(fileBytes(p), QByteArray("shorter"));
    }

    // Cut off halfway: the side copy stays, and the next read restores from
    // it and says so.
    void cutOffRewriteIsRestoredOnNextRead() {
        QTemporaryDir side;
        QDir().mkpath(path(u"share2"_s));
        const QString p = path(u"share2/j.tsm"_s);
        const QByteArray next(4000, 'n');
        writeFileAtomically(p, QByteArray(3000, 'o'));
        ClosedFolderFs fs(QFile::encodeName(path(u"share2"_s)));
        fs.tornTarget = QFile::encodeName(p);
        Storage storage(fs, {side.path()});
        QVERIFY_THROWS_EXCEPTION(FileError, storage.replace(p, next));
        QVERIFY(fileBytes(p) != next);
        fs.tornTarget.clear();
        QStringList notices;
        storage.setNoticeHandler([&](const QString& text) { notices << text; });
        QCOMPARE(storage.read(p, StoredKind::TestFile), next);
        QCOMPARE(fileBytes(p), next);
        QCOMPARE(notices.size(), 1);
        QVERIFY(notices[0].contains(u"відновлено"_s));
        QCOMPARE(QDir(side.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void lockHeldByAnotherCopyTimesOut() {
        const QString p = path(u"shared.ocn"_s);
        const StorageLock held = Storage::system().lock(p);
        QElapsedTimer clock;
        clock.start();
        try {
            // Another copy of the program: its own lock object on the same file.
            testing::FaultyFileSystem other;
            Storage(other).lock(p, 300);
            QFAIL("locked twice");
        } catch (const FileError& e) {
            QCOMPARE(e.op(), FileError::Op::Lock);
            QVERIFY2(e.reason().contains(u"іншою копією"_s), qPrintable(e.reason()));
        }
        QVERIFY(clock.elapsed() >= 250);
    }

    // A journal named in a parameter file may be anything: only a journal is
    // written; anything else stays as it is and the default journal is used.
    void onlyJournalsGetEntries_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not .ocn") << u"notes.txt"_s << QByteArray("a teacher's notes\r\n");
        QTest::newRow("pipe .ocn") << u"to-pipe.ocn"_s << QByteArray();
        QTest::newRow("folder .ocn") << u"marks.ocn"_s << QByteArray();
    }
    void onlyJournalsGetEntries() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QTemporaryDir program;
        const QString p = path(name);
        if (name == u"marks.ocn"_s)
            QDir().mkpath(p);
        else if (!content.isEmpty())
            writeFileAtomically(p, content);
        AppState state;
        state.ProgramDir = program.path();
        state.TestFileName = path(u"math.tsm"_s);
        state.TestFileExt = u".tsm"_s;
        state.Ns1Record.TestQuestions = 1;
        state.Run.QuestionCounter = 2;
        state.JournalPath = p;
        FixedClock clock;
        ZapysZurnal(state, clock);
        if (!content.isEmpty())
            QCOMPARE(fileBytes(p), content);
        QVERIFY(!journalRefusal(p).isEmpty());
        QCOMPARE(readJournal(state.defaultJournalPath()).size(), size_t(1));
    }

    // A power cut left half an entry: moved aside whole, the next entry
    // numbered after the whole ones.
    void tornTailIsMovedAside() {
        const QString p = path(u"torn.ocn"_s);
        const QByteArray tail(100, 'x');
        writeFileAtomically(p, entry(0).encode() + entry(1).encode() + tail);
        AppState state;
        state.ProgramDir = dir_.path();
        state.TestFileName = path(u"math.tsm"_s);
        state.TestFileExt = u".tsm"_s;
        state.JournalPath = p;
        FixedClock clock;
        ZapysZurnal(state, clock);
        const auto entries = readJournal(p);
        QCOMPARE(entries.size(), size_t(3));
        QCOMPARE(entries[2].EntryNo, 2);
        QCOMPARE(fileBytes(tornTailPath(p)), tail);
    }

    void staleTemporariesGoAtStart() {
        QTemporaryDir side;
        const QString old = side.filePath(u".math.tsm.abc.zorvik-tmp"_s);
        const QString fresh = side.filePath(u".math.tsm.def.zorvik-tmp"_s);
        const QString book = side.filePath(u"zorvik-xlsx-old"_s);
        const QString copy = Storage::sideCopyName(side.path(), path(u"x.ns1"_s));
        for (const QString& f : {old, fresh, copy})
            writeFileAtomically(f, "t");
        QDir().mkpath(book);
        writeFileAtomically(book + u"/sheet.xml"_s, "t");
        for (const QString& f : {old, copy, book})
            setAge(f, 2);
        Storage(systemFileSystem(), {side.path()}).removeStaleTemporaries();
        QVERIFY(!QFileInfo::exists(old));
        QVERIFY(!QFileInfo::exists(book));
        QVERIFY(QFileInfo::exists(fresh));
        QVERIFY(QFileInfo::exists(copy)); // still needed to restore its file
    }
};

QTEST_GUILESS_MAIN(StorageTest)
#include "tst_storage.moc"
