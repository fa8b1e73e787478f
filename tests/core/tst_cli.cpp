// zorvik-cli run as a teacher's script would run it.
#include "core/records.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

    // Characters Windows-1251 cannot hold are written as "?", the file all the
    // same, and each field where that happened is named on standard error.
    void loadNamesTheFieldsThatLostCharacters_data() {
        QTest::addColumn<QString>("out");
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QStringList>("fields"); // as named on standard error
        QTest::newRow("Ukrainian only")
            << u"q.tsm"_s << QByteArray(R"({"records":[{},{"Question":"Ґава їсть?"}]})")
            << QStringList();
        QTest::newRow("question and answer")
            << u"q.tsm"_s
            << QByteArray(R"({"records":[{},{"Question":"π ≈ 3,14","Answer1":"так",)"
                          R"("Answer2":"😀"}]})")
            << QStringList{u"record 1: field \"Question\""_s, u"record 1: field \"Answer2\""_s};
        QTest::newRow("four-level picture name")
            << u"q.tsr"_s << QByteArray(R"({"records":[{},{},{"PictureFile":"日本.png"}]})")
            << QStringList{u"record 2: field \"PictureFile\""_s};
        QTest::newRow("journal") << u"j.ocn"_s
                                 << QByteArray(
                                        R"({"records":[{"StudentName":"Łukasz","Group":"9-А"},)"
                                        R"({"StudentName":"Петро","Group":"9‐Б"}]})")
                                 << QStringList{u"record 0: field \"StudentName\""_s,
                                                u"record 1: field \"Group\""_s};
    }
    void loadNamesTheFieldsThatLostCharacters() {
        QFETCH(QString, out);
        QFETCH(QByteArray, json);
        QFETCH(QStringList, fields);
        writeText(u"in.json"_s, json);
        QFile::remove(path(out));
        const Result r = run({u"load"_s, path(u"in.json"_s), path(out)});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.isEmpty());
        QVERIFY(QFile::exists(path(out)));
        QStringList lines = QString::fromUtf8(r.err).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), fields.size());
        for (qsizetype i = 0; i < fields.size(); ++i) {
            QVERIFY2(lines[i].startsWith(u"zorvik-cli load: warning: "_s + fields[i] + u' '),
                     qPrintable(lines[i]));
            QVERIFY2(lines[i].contains(u"\"?\""_s), qPrintable(lines[i]));
        }
    }

    void lostCharactersBecomeQuestionMarks() {
        writeText(u"in.json"_s, R"({"records":[{},{"Question":"π ≈ 3,14 😀"}]})");
        const Result r = run({u"load"_s, path(u"in.json"_s), path(u"pi.tsm"_s)});
        QCOMPARE(r.code, 0);
        QCOMPARE(TsmRecord::decode(bytesOf(u"pi.tsm"_s).mid(TsmRecord::Size)).Question,
                 u"? ? 3,14 ?"_s);
    }

    // An unknown key is quoted in the message cut to 60 characters.
    void unknownKeyIsCut_data() {
        QTest::addColumn<QString>("out");
        QTest::addColumn<QByteArray>("json"); // KEY stands for the key
        QTest::addColumn<QByteArray>("where");
        QTest::newRow("top level") << u"q.tsm"_s << QByteArray(R"({"KEY":1,"records":[]})")
                                   << QByteArray("zorvik-cli load: unknown field ");
        QTest::newRow("record") << u"q.tsm"_s << QByteArray(R"({"records":[{},{"KEY":1}]})")
                                << QByteArray("zorvik-cli load: record 1: unknown field ");
        QTest::newRow("nested") << u"p.ns1"_s
                                << QByteArray(R"({"records":[{"TestingMode":{"KEY":1}}]})")
                                << QByteArray("record 0, TestingMode: unknown field ");
        QTest::newRow("kind") << u"q.tsm"_s << QByteArray(R"({"kind":"KEY","records":[]})")
                              << QByteArray("the JSON describes a ");
    }
    void unknownKeyIsCut() {
        QFETCH(QString, out);
        QFETCH(QByteArray, json);
        QFETCH(QByteArray, where);
        const QString longKey = QString(59, u'ж') + u"😀"_s + QString(140, u'k');
        const QString shortKey = QString(60, u'ж');
        for (const QString& key : {longKey, shortKey}) {
            QByteArray text = json;
            writeText(u"in.json"_s, text.replace("KEY", key.toUtf8()));
            QFile::remove(path(out));
            const Result r = run({u"load"_s, path(u"in.json"_s), path(out)});
            QCOMPARE(r.code, 2);
            QCOMPARE(r.err.count('\n'), 1);
            QVERIFY2(r.err.contains(where), r.err.constData());
            // 59 characters and not half of the pair that would be the 60th.
            const QString shown =
                key == shortKey ? u'"' + key + u'"' : u'"' + key.left(59) + u"\"..."_s;
            QVERIFY2(QString::fromUtf8(r.err).contains(shown), r.err.constData());
            QVERIFY(!r.err.contains("kk"));
            QVERIFY(!QFile::exists(path(out)));
        }
    }

    void help() {
        const Result all = run({u"--help"_s});
        QCOMPARE(all.code, 0);
        QVERIFY(all.out.contains("dump FILE"));
        const Result one = run({u"load"_s, u"--help"_s});
        QCOMPARE(one.code, 0);
        QVERIFY(one.out.contains("load JSON OUT"));
        const Result version = run({u"--version"_s});
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out, QByteArray("zorvik-cli 8.0\n"));
    }

    // The usual command-line forms: "--" before a name that begins with a
    // dash, "--option=value", and an unknown option named.
    void commandLineForms() {
        QDir::setCurrent(dir_.path());
        QCOMPARE(run({u"new"_s, u"--"_s, u"-dash.tsm"_s}).code, 0);
        QVERIFY(QFileInfo::exists(path(u"-dash.tsm"_s)));
        QCOMPARE(run({u"list"_s, u"--xlsx="_s + path(u"l.xlsx"_s), u"--"_s, u"-dash.tsm"_s}).code,
                 0);
        QVERIFY(QFileInfo::exists(path(u"l.xlsx"_s)));
        const Result unknown = run({u"dump"_s, u"--bogus"_s, path(u"-dash.tsm"_s)});
        QCOMPARE(unknown.code, 2);
        QVERIFY(unknown.err.contains("--bogus"));
        // "--help" after "--" is a file's name, not a request for help.
        QCOMPARE(run({u"dump"_s, u"--"_s, u"--help"_s}).code, 2);
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
