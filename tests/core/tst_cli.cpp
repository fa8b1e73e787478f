// zorvik-cli run as a teacher's script would run it.
#include "core/records.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

class CliTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    struct Result {
        int code;
        QByteArray out;
        QByteArray err;
    };
    Result run(const QStringList& args) {
        QProcess p;
        p.start(QString::fromUtf8(ZORVIK_CLI), args);
        p.waitForFinished(30000);
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    }
    QString path(const QString& name) { return dir_.filePath(name); }
    QByteArray bytesOf(const QString& name) {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeText(const QString& name, const QByteArray& text) {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

private slots:
    void newMakesTwoEqualEmptyRecords() {
        QCOMPARE(run({u"new"_s, path(u"a.tsm"_s)}).code, 0);
        QCOMPARE(bytesOf(u"a.tsm"_s), QByteArray(2 * 2316, '\0'));
        QCOMPARE(run({u"new"_s, path(u"b.tsr"_s)}).code, 0);
        const QByteArray b = bytesOf(u"b.tsr"_s);
        QCOMPARE(b.size(), 2 * 2320);
        QCOMPARE(b[0x905], '\1');
        QCOMPARE(b[2320 + 0x905], '\1');
    }

    void dumpThenLoadGivesSameBytes() {
        TsmRecord q;
        q.Question = u"Столиця України?"_s;
        q.Answer1 = u"Київ"_s;
        q.Correct1 = true;
        writeText(u"src.tsm"_s, TsmRecord().encode() + q.encode());
        const Result dumped = run({u"dump"_s, path(u"src.tsm"_s)});
        QCOMPARE(dumped.code, 0);
        QVERIFY(dumped.out.contains("\"kind\": \"tsm\""));
        QVERIFY(dumped.out.contains("Київ"));
        writeText(u"src.json"_s, dumped.out);
        QCOMPARE(run({u"load"_s, path(u"src.json"_s), path(u"copy.tsm"_s)}).code, 0);
        QCOMPARE(bytesOf(u"copy.tsm"_s), bytesOf(u"src.tsm"_s));
    }

    void badInputGivesOneLineAndExit2_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("missing file") << QStringList{u"dump"_s, u"nope.tsm"_s};
        QTest::newRow("unknown extension") << QStringList{u"dump"_s, u"x.doc"_s};
        QTest::newRow("new unknown") << QStringList{u"new"_s, u"x.TSM"_s};
        QTest::newRow("load bad json") << QStringList{u"load"_s, u"bad.json"_s, u"out.tsm"_s};
        QTest::newRow("load wrong type") << QStringList{u"load"_s, u"type.json"_s, u"out.tsm"_s};
        QTest::newRow("load long text") << QStringList{u"load"_s, u"long.json"_s, u"out.tsm"_s};
        QTest::newRow("load to .TSM") << QStringList{u"load"_s, u"type.json"_s, u"out.TSM"_s};
        QTest::newRow("unknown command") << QStringList{u"frobnicate"_s};
        QTest::newRow("wrong arity") << QStringList{u"dump"_s};
    }
    void badInputGivesOneLineAndExit2() {
        QFETCH(QStringList, args);
        writeText(u"bad.json"_s, "{\"records\": [");
        writeText(u"type.json"_s, R"({"records":[{"Correct": [1,0,0,0,0]}]})");
        writeText(u"long.json"_s,
                  "{\"records\":[{\"Question\": \"" + QByteArray(256, 'x') + "\"}]}");
        for (qsizetype i = 1; i < args.size(); ++i)
            if (!args[i].startsWith(u'-'))
                args[i] = path(args[i]);
        const Result r = run(args);
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY(r.out.isEmpty());
        QVERIFY(!QFile::exists(path(u"out.tsm"_s)));
    }

    void help() {
        const Result all = run({u"--help"_s});
        QCOMPARE(all.code, 0);
        QVERIFY(all.out.contains("dump FILE"));
        const Result one = run({u"load"_s, u"--help"_s});
        QCOMPARE(one.code, 0);
        QVERIFY(one.out.contains("load JSON OUT"));
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
