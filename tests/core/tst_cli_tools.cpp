// zorvik-cli merge, split and convert, run as a teacher's script would run them.
#include "core/records.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

class CliToolsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    struct Result {
        int code;
        QByteArray out;
        QByteArray err;
    };
    Result run(QStringList args) {
        // Names without a folder are files of the fixture folder.
        for (QString& a : args)
            if (!a.startsWith(u'-') && a.contains(u'.') && !a.contains(u'/'))
                a = path(a);
        QProcess p;
        p.start(QString::fromUtf8(ZORVIK_CLI), args);
        p.waitForFinished(30000);
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QByteArray bytesOf(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList listing() const { return QDir(dir_.path()).entryList(QDir::Files, QDir::Name); }
    // A one-level or four-level file of `questions` questions.
    void makeTest(const QString& name, int questions, const QString& tag = u"Q"_s) {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        const bool tsr = name.endsWith(u".tsr"_s);
        for (int q = 0; q <= questions; ++q) {
            if (tsr) {
                TsrRecord r = TsrRecord::empty();
                r.Question = q ? u"%1 %2"_s.arg(tag).arg(q) : QString();
                r.LevelLow = q != 3;
                r.LevelHigh = q == 3;
                f.write(r.encode());
            } else {
                TsmRecord r;
                r.Question = q ? u"%1 %2"_s.arg(tag).arg(q) : QString();
                f.write(r.encode());
            }
        }
    }
    QString questionOf(const QString& name, int i) const {
        const QByteArray b = bytesOf(name);
        return name.endsWith(u".tsr"_s) ? TsrRecord::decode(b.mid(i * TsrRecord::Size)).Question
                                        : TsmRecord::decode(b.mid(i * TsmRecord::Size)).Question;
    }

private slots:
    void init() {
        for (const QString& f : listing())
            QFile::remove(path(f));
    }

    void mergeWritesBothInOrder() {
        makeTest(u"a.tsm"_s, 3, u"A"_s);
        makeTest(u"b.tsm"_s, 2, u"B"_s);
        const Result r = run({u"merge"_s, u"a.tsm"_s, u"b.tsm"_s, u"ab.tsm"_s});
        QCOMPARE(r.code, 0);
        QVERIFY(r.err.isEmpty());
        QCOMPARE(bytesOf(u"ab.tsm"_s).size(), 6 * TsmRecord::Size);
        QCOMPARE(questionOf(u"ab.tsm"_s, 3), u"A 3"_s);
        QCOMPARE(questionOf(u"ab.tsm"_s, 4), u"B 1"_s);
    }

    void splitPrintsTheTwoNames() {
        makeTest(u"math.tsr"_s, 10);
        makeTest(u"math1.tsr"_s, 1);
        const Result r = run({u"split"_s, u"math.tsr"_s, u"3"_s});
        QCOMPARE(r.code, 0);
        QCOMPARE(QString::fromUtf8(r.out),
                 path(u"math2.tsr"_s) + u'\n' + path(u"math3.tsr"_s) + u'\n');
        QCOMPARE(bytesOf(u"math2.tsr"_s).size(), 4 * TsrRecord::Size);
        QCOMPARE(bytesOf(u"math3.tsr"_s).size(), 8 * TsrRecord::Size);
        QCOMPARE(questionOf(u"math3.tsr"_s, 1), u"Q 4"_s);
    }

    void convertPrintsTheTarget() {
        makeTest(u"math.tsr"_s, 4);
        const Result r = run({u"convert"_s, u"math.tsr"_s});
        QCOMPARE(r.code, 0);
        QCOMPARE(QString::fromUtf8(r.out), path(u"math.tsm"_s) + u'\n');
        QCOMPARE(bytesOf(u"math.tsm"_s).size(), 5 * TsmRecord::Size);
        QCOMPARE(questionOf(u"math.tsm"_s, 4), u"Q 4"_s);
    }

    // An existing output is kept unless --force is given.
    void replacesOnlyWithForce_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("records"); // of the output once replaced
        QTest::newRow("merge") << QStringList{u"merge"_s, u"a.tsm"_s, u"a.tsm"_s, u"out.tsm"_s}
                               << u"out.tsm"_s << 9;
        QTest::newRow("split") << QStringList{u"split"_s, u"a.tsm"_s, u"1"_s} << u"a2.tsm"_s << 4;
        QTest::newRow("convert") << QStringList{u"convert"_s, u"a.tsm"_s} << u"a.tsr"_s << 5;
    }
    void replacesOnlyWithForce() {
        QFETCH(QStringList, args);
        QFETCH(QString, output);
        QFETCH(int, records);
        makeTest(u"a.tsm"_s, 4);
        makeTest(output, 1, u"old"_s);
        const QByteArray old = bytesOf(output);
        const QStringList files = listing();

        const Result refused = run(args);
        QCOMPARE(refused.code, 2);
        QCOMPARE(refused.err.count('\n'), 1);
        QVERIFY(refused.err.contains("--force"));
        QVERIFY(refused.out.isEmpty());
        QCOMPARE(bytesOf(output), old);
        QCOMPARE(listing(), files);

        const Result forced = run(args << u"--force"_s);
        QCOMPARE(forced.code, 0);
        QCOMPARE(bytesOf(output).size() / (output.endsWith(u".tsr"_s) ? 2320 : 2316), records);
    }

    void errorsAreOneLineAndExit2_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("says");
        QTest::newRow("merge into an input")
            << QStringList{u"merge"_s, u"a.tsm"_s, u"b.tsm"_s, u"b.tsm"_s, u"--force"_s}
            << QByteArray("replace one of the inputs");
        QTest::newRow("merge of two kinds")
            << QStringList{u"merge"_s, u"a.tsm"_s, u"r.tsr"_s, u"out.tsm"_s}
            << QByteArray("other kind");
        QTest::newRow("merge a missing file")
            << QStringList{u"merge"_s, u"a.tsm"_s, u"gone.tsm"_s, u"out.tsm"_s}
            << QByteArray("gone.tsm");
        QTest::newRow("merge arity") << QStringList{u"merge"_s, u"a.tsm"_s, u"b.tsm"_s}
                                     << QByteArray("FIRST, SECOND and OUT");
        QTest::newRow("split at 0")
            << QStringList{u"split"_s, u"a.tsm"_s, u"0"_s} << QByteArray("choose 1 to 3");
        QTest::newRow("split at 4")
            << QStringList{u"split"_s, u"a.tsm"_s, u"4"_s} << QByteArray("choose 1 to 3");
        QTest::newRow("split a file of one question")
            << QStringList{u"split"_s, u"one.tsm"_s, u"1"_s}
            << QByteArray("has 1 question, too few to split (at least 2 are needed): ");
        QTest::newRow("split a file without questions")
            << QStringList{u"split"_s, u"none.tsr"_s, u"0"_s}
            << QByteArray("has 0 questions, too few to split (at least 2 are needed): ");
        QTest::newRow("split at letters")
            << QStringList{u"split"_s, u"a.tsm"_s, u"abc"_s} << QByteArray("whole number");
        QTest::newRow("convert capitals")
            << QStringList{u"convert"_s, u"MATH.TSM"_s} << QByteArray("lower case");
        QTest::newRow("unknown option")
            << QStringList{u"convert"_s, u"a.tsm"_s, u"--yes"_s} << QByteArray("--yes");
    }
    void errorsAreOneLineAndExit2() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, says);
        makeTest(u"a.tsm"_s, 4);
        makeTest(u"b.tsm"_s, 2);
        makeTest(u"r.tsr"_s, 2);
        makeTest(u"MATH.TSM"_s, 2);
        makeTest(u"one.tsm"_s, 1);
        makeTest(u"none.tsr"_s, 0);
        const QByteArray b = bytesOf(u"b.tsm"_s);
        const QStringList files = listing();
        const Result r = run(args);
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY2(r.err.contains(says), r.err.constData());
        QVERIFY(r.out.isEmpty());
        QCOMPARE(listing(), files);
        if (says.contains("too few"))
            QVERIFY(!r.err.contains("choose"));
        QCOMPARE(bytesOf(u"b.tsm"_s), b);
    }
};

QTEST_GUILESS_MAIN(CliToolsTest)
#include "tst_cli_tools.moc"
