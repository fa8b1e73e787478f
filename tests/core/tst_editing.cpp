#include "core/atomicfile.h"
#include "core/cp1251.h"
#include "core/editing.h"
#include "core/questiontext.h"
#include "support/faultloop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {
Question named(const QString& text, TestKind kind) {
    Question q = emptyQuestion(kind);
    q.Question = text;
    return q;
}

// A test file whose records hold the questions "R0", "Q1", "Q2", ...
void writeTestFile(const QString& path, TestKind kind, int records) {
    QByteArray bytes;
    for (int i = 0; i < records; ++i)
        bytes += encodeQuestion(named(i == 0 ? u"R0"_s : u"Q%1"_s.arg(i), kind), kind);
    writeFileAtomically(path, bytes);
}

// The question texts of a file, record 0 included.
QStringList texts(const QString& path, TestKind kind) {
    const QByteArray bytes = readWholeFile(path);
    const int size = recordSizeOf(kind);
    QStringList list;
    for (qsizetype at = 0; at + size <= bytes.size(); at += size)
        list.append(decodeQuestion(QByteArrayView(bytes).sliced(at, size), kind).Question);
    return list;
}
} // namespace

class EditingTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString path(const QString& name) { return dir_.filePath(name); }

private slots:
    void insertEmptyShiftsTheRest_data() {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("at");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one question") << 2 << 1 << QStringList{u"R0"_s, u""_s, u"Q1"_s};
        QTest::newRow("first of three")
            << 4 << 1 << QStringList{u"R0"_s, u""_s, u"Q1"_s, u"Q2"_s, u"Q3"_s};
        QTest::newRow("middle") << 4 << 2 << QStringList{u"R0"_s, u"Q1"_s, u""_s, u"Q2"_s, u"Q3"_s};
        QTest::newRow("last of three")
            << 4 << 3 << QStringList{u"R0"_s, u"Q1"_s, u"Q2"_s, u""_s, u"Q3"_s};
    }
    void insertEmptyShiftsTheRest() {
        QFETCH(int, records);
        QFETCH(int, at);
        QFETCH(QStringList, expected);
        for (TestKind kind : {TestKind::Tsm, TestKind::Tsr}) {
            const QString file = path(u"ins"_s);
            writeTestFile(file, kind, records);
            EditSession s;
            s.open(file, kind);
            s.read(at);
            s.insertEmpty();
            QCOMPARE(s.position(), at);
            QCOMPARE(texts(file, kind), expected);
            QCOMPARE(s.readCurrent(), emptyQuestion(kind));
            QCOMPARE(s.count(), records + 1);
        }
    }

    void removeCurrentKeepsTheOrder_data() {
        QTest::addColumn<int>("at");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("standsOn");
        QTest::newRow("first") << 1 << QStringList{u"R0"_s, u"Q2"_s, u"Q3"_s, u"Q4"_s} << 1;
        QTest::newRow("middle") << 2 << QStringList{u"R0"_s, u"Q1"_s, u"Q3"_s, u"Q4"_s} << 2;
        QTest::newRow("last") << 4 << QStringList{u"R0"_s, u"Q1"_s, u"Q2"_s, u"Q3"_s} << 3;
    }
    void removeCurrentKeepsTheOrder() {
        QFETCH(int, at);
        QFETCH(QStringList, expected);
        QFETCH(int, standsOn);
        const QString file = path(u"del.tsr"_s);
        writeTestFile(file, TestKind::Tsr, 5);
        EditSession s;
        s.open(file, TestKind::Tsr);
        s.read(at);
        s.removeCurrent();
        QCOMPARE(texts(file, TestKind::Tsr), expected);
        QCOMPARE(s.position(), standsOn);
        QCOMPARE(s.readCurrent().Question, expected.at(standsOn));
    }

    void theOnlyQuestionIsNotRemoved() {
        const QString file = path(u"only.tsm"_s);
        writeTestFile(file, TestKind::Tsm, 2);
        EditSession s;
        s.open(file, TestKind::Tsm);
        QVERIFY_THROWS_EXCEPTION(FileError, s.removeCurrent());
        QCOMPARE(texts(file, TestKind::Tsm), (QStringList{u"R0"_s, u"Q1"_s}));
    }

    void appendAndSave() {
        const QString file = path(u"app.tsr"_s);
        writeTestFile(file, TestKind::Tsr, 3);
        EditSession s;
        s.open(file, TestKind::Tsr);
        Question high = named(u"new"_s, TestKind::Tsr);
        high.LevelLow = false;
        high.LevelHigh = true;
        s.append(high);
        QCOMPARE(s.position(), 3);
        QCOMPARE(s.readCurrent(), high);
        s.read(2);
        s.save(named(u"changed"_s, TestKind::Tsr));
        QCOMPARE(s.position(), 2);
        QCOMPARE(texts(file, TestKind::Tsr),
                 (QStringList{u"R0"_s, u"Q1"_s, u"changed"_s, u"new"_s}));
    }

    // A file without questions is never written at record 0: its first
    // question becomes record 1, after a reserved record.
    void fileWithoutQuestions_data() {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("reserved");
        QTest::newRow("empty file") << 0 << QString();
        QTest::newRow("reserved record only") << 1 << u"R0"_s;
    }
    void fileWithoutQuestions() {
        QFETCH(int, records);
        QFETCH(QString, reserved);
        for (int op = 0; op < 3; ++op) {
            const QString file = path(u"none%1.tsm"_s.arg(op));
            writeTestFile(file, TestKind::Tsm, records);
            EditSession s;
            s.open(file, TestKind::Tsm);
            QVERIFY(!s.hasQuestions());
            QCOMPARE(s.position(), 1);
            QCOMPARE(s.readCurrent(), emptyQuestion(TestKind::Tsm));
            QVERIFY_THROWS_EXCEPTION(FileError, s.read(0));
            const QString expectedFirst = op == 1 ? QString() : u"first"_s;
            if (op == 0)
                s.save(named(u"first"_s, TestKind::Tsm));
            else if (op == 1)
                s.insertEmpty();
            else
                s.append(named(u"first"_s, TestKind::Tsm));
            QCOMPARE(texts(file, TestKind::Tsm), (QStringList{reserved, expectedFirst}));
            QCOMPARE(s.position(), 1);
            QCOMPARE(s.questionCount(), 1);
        }
    }

    // Save, Insert, Append and Delete under the fault loop: the file is
    // either as it was or as the command makes it, never in between.
    void faultLoopLosesNothing_data() {
        QTest::addColumn<int>("operation");
        QTest::newRow("save") << 0;
        QTest::newRow("insert") << 1;
        QTest::newRow("append") << 2;
        QTest::newRow("delete") << 3;
    }
    void faultLoopLosesNothing() {
        QFETCH(int, operation);
        QTemporaryDir own;
        testing::FaultyFileSystem fs;
        QDir(own.path()).mkdir(u"side"_s);
        const Storage storage(fs, {own.filePath(u"side"_s)});
        const QString file = own.filePath(u"fail.tsm"_s);
        testing::FaultCommand c;
        c.name = QString::fromLatin1(QTest::currentDataTag());
        c.setUp = [&] { writeTestFile(file, TestKind::Tsm, 5); };
        c.command = [&] {
            EditSession s(storage);
            s.open(file, TestKind::Tsm);
            s.read(2);
            if (operation == 0)
                s.save(named(u"changed"_s, TestKind::Tsm));
            else if (operation == 1)
                s.insertEmpty();
            else if (operation == 2)
                s.append(named(u"new"_s, TestKind::Tsm));
            else
                s.removeCurrent();
            s.close();
        };
        const int cases = testing::runFaultLoop(fs, own.path(), c);
        qInfo("%s: %d cases", QTest::currentDataTag(), cases);
        QVERIFY(cases > 10);
    }

    void sessionWorksOnAfterAFailure() {
        QTemporaryDir own;
        testing::FaultyFileSystem fs;
        const Storage storage(fs);
        const QString file = own.filePath(u"fail.tsm"_s);
        writeTestFile(file, TestKind::Tsm, 5);
        const QByteArray before = readWholeFile(file);
        EditSession s(storage);
        s.open(file, TestKind::Tsm);
        s.read(2);
        fs.failWritesTo("fail.tsm");
        try {
            s.insertEmpty();
            QFAIL("the write did not fail");
        } catch (const FileError& e) {
            QCOMPARE(e.reason(), systemReason(ENOSPC));
        }
        fs.failWritesTo({});
        QCOMPARE(readWholeFile(file), before);
        QCOMPARE(s.position(), 2);
        QCOMPARE(s.readCurrent().Question, u"Q2"_s);
        s.insertEmpty();
        QCOMPARE(s.count(), 6);
    }

    void partialRecordIsDropped() {
        const QString file = path(u"partial.tsm"_s);
        writeTestFile(file, TestKind::Tsm, 3);
        QFile raw(file);
        QVERIFY(raw.open(QIODevice::Append));
        raw.write("garbage");
        raw.close();
        EditSession s;
        s.open(file, TestKind::Tsm);
        s.insertEmpty();
        QCOMPARE(QFileInfo(file).size(), 4 * TsmRecord::Size);
    }

    void fieldTexts() {
        QCOMPARE(fieldTextToRecord(u"a\nb"_s), u"a\r\nb"_s);
        QCOMPARE(fieldTextToRecord(u"a\r\nb"_s), u"a\r\nb"_s);
        QCOMPARE(recordTextToField(u"a\r\nb"_s), u"a\nb"_s);
        QCOMPARE(trimField(u" \t\r\n a b \r\n"_s), u"a b"_s);
        QVERIFY(!exceedsField(QString(255, u'я')));
        QVERIFY(exceedsField(QString(256, u'я')));
    }

    void fieldTextFileRoundTrip() {
        const QString file = path(u"q.txt"_s);
        writeFieldTextFile(file, u"  Питання\nдругий рядок "_s);
        QCOMPARE(readWholeFile(file),
                 toCp1251(u"  Питання\r\nдругий рядок "_s) + QByteArray("\r\n"));
        QCOMPARE(readFieldTextFile(file), std::optional<QString>(u"  Питання\r\nдругий рядок "_s));
        QCOMPARE(readFieldTextFile(path(u"missing.txt"_s)), std::nullopt);
        QCOMPARE(readFieldTextFile(QString()), std::nullopt);
    }

    void recordNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("number"); // -999 for "not an integer"
        QTest::newRow("plain") << u"7"_s << qint64(7);
        QTest::newRow("blanks before") << u"  7"_s << qint64(7);
        QTest::newRow("blank after") << u"7 "_s << qint64(-999);
        QTest::newRow("letters") << u"abc"_s << qint64(-999);
        QTest::newRow("digits and letters") << u"7a"_s << qint64(-999);
        QTest::newRow("negative") << u"-3"_s << qint64(-3);
        QTest::newRow("zero") << u"0"_s << qint64(0);
        QTest::newRow("empty") << QString() << qint64(-999);
        QTest::newRow("sign only") << u"-"_s << qint64(-999);
        QTest::newRow("too big") << u"99999999999"_s << qint64(-999);
    }
    void recordNumbers() {
        QFETCH(QString, text);
        QFETCH(qint64, number);
        const auto parsed = parseRecordNumber(text);
        QCOMPARE(parsed.value_or(-999), number);
    }
};

QTEST_GUILESS_MAIN(EditingTest)
#include "tst_editing.moc"
