#include "core/failuretext.h"
#include "core/recordfile.h"
#include "support/faultyfs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

class RecordFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString path(const QString& name) { return dir_.filePath(name); }
    void f_missing() {
        RecordFile f;
        f.openExisting(path(u"none.bin"_s), 4);
    }

private slots:
    void writeReadSeekTruncate() {
        RecordFile f;
        f.create(path(u"a.bin"_s), 4);
        QCOMPARE(f.count(), 0);
        f.write("AAAA");
        f.write("BBBB");
        f.write("CCCC");
        QCOMPARE(f.count(), 3);
        QCOMPARE(f.position(), 3);
        f.seek(1);
        QCOMPARE(f.read(), QByteArray("BBBB"));
        QCOMPARE(f.position(), 2);
        f.seek(1);
        f.write("bbbb"); // in place
        f.seek(3);
        f.write("DDDD"); // append
        f.seek(2);
        f.truncate();
        QCOMPARE(f.count(), 2);
        f.close();
        QFile check(path(u"a.bin"_s));
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), QByteArray("AAAAbbbb"));
    }

    void partialLastRecordIsNotCounted() {
        QFile raw(path(u"p.bin"_s));
        QVERIFY(raw.open(QIODevice::WriteOnly));
        raw.write("AAAABB");
        raw.close();
        RecordFile f;
        f.openExisting(path(u"p.bin"_s), 4);
        QCOMPARE(f.count(), 1);
        f.seek(1);
        QVERIFY_THROWS_EXCEPTION(FileError, f.read());
    }

    void createEmptiesExisting() {
        RecordFile f;
        f.create(path(u"e.bin"_s), 2);
        f.write("xy");
        f.close();
        f.create(path(u"e.bin"_s), 2);
        QCOMPARE(f.count(), 0);
    }

    void failuresAreTyped() {
        RecordFile f;
        try {
            f.openExisting(path(u"missing.bin"_s), 4);
            QFAIL("opened a missing file");
        } catch (const FileError& e) {
            QCOMPARE(e.op(), FileError::Op::Open);
            QVERIFY(!e.reason().isEmpty());
        }
        try {
            f.create(path(u"no/such/dir/x.bin"_s), 4);
            QFAIL("created in a missing folder");
        } catch (const FileError& e) {
            QCOMPARE(e.op(), FileError::Op::Create);
            QVERIFY(e.message().contains(u"no/such/dir/x.bin"_s));
        }
        QVERIFY_THROWS_EXCEPTION(FileError, f.read()); // not open
        f.create(path(u"s.bin"_s), 4);
        QVERIFY_THROWS_EXCEPTION(FileError, f.seek(1)); // past the end
        QVERIFY_THROWS_EXCEPTION(FileError, f.seek(-1));
    }

    void readOnlyFileCanBeRead() {
        // /proc files refuse writing even to root, like a read-only disk.
        RecordFile proc;
        proc.openExisting(u"/proc/self/cmdline"_s, 1);
        QVERIFY(proc.isOpen());
        QVERIFY_THROWS_EXCEPTION(FileError, proc.write("x"));
        try {
            f_missing();
            QFAIL("a missing file was opened");
        } catch (const FileError& e) {
            QVERIFY(e.message().startsWith(u"Не вдалося відкрити файл "_s));
        }
    }

    void writeToFullDiskFails() {
        testing::FaultyFileSystem fs;
        fs.failWritesTo("full.bin");
        const Storage storage(fs);
        RecordFile f(storage);
        f.create(path(u"full.bin"_s), 4);
        try {
            f.write("AAAA");
            QFAIL("a write to a full disk succeeded");
        } catch (const FileError& e) {
            QCOMPARE(e.op(), FileError::Op::Write);
            QCOMPARE(e.reason(), systemReason(ENOSPC)); // the system's words, not "Unknown error"
        }
    }

    // What the teacher reads for each failed operation, in both wordings.
    void failureTexts_data() {
        QTest::addColumn<FileError::Op>("op");
        QTest::addColumn<QString>("detailed");
        QTest::addColumn<QString>("wholeWrite");
        const auto row = [](const char* tag, FileError::Op op, const QString& d, const QString& w) {
            QTest::newRow(tag) << op << d << w;
        };
        const QString open = u"відкрити"_s, create = u"створити"_s, read = u"прочитати"_s,
                      write = u"записати"_s;
        row("open", FileError::Op::Open, open, open);
        row("create", FileError::Op::Create, create, create);
        row("read", FileError::Op::Read, read, read);
        row("seek", FileError::Op::Seek, read, read);
        row("write", FileError::Op::Write, write, write);
        row("truncate", FileError::Op::Truncate, write, write);
        row("close", FileError::Op::Close, write, write);
        row("rename", FileError::Op::Rename, u"замінити"_s, write);
        row("remove", FileError::Op::Remove, u"видалити"_s, write);
    }
    void failureTexts() {
        QFETCH(FileError::Op, op);
        QFETCH(QString, detailed);
        QFETCH(QString, wholeWrite);
        const FileError e(op, u"/x/a.tsm"_s, u"No space left on device"_s);
        const auto text = [](const QString& verb) {
            return u"Не вдалося "_s + verb + u" файл /x/a.tsm:\rNo space left on device"_s;
        };
        QCOMPARE(fileFailureText(e), text(detailed));
        QCOMPARE(fileFailureText(e, FailureWording::WholeWrite), text(wholeWrite));
    }
};

QTEST_GUILESS_MAIN(RecordFileTest)
#include "tst_recordfile.moc"
