// zorvik-cli journal: the same exports as the journal window, from a script.
#include "core/atomicfile.h"
#include "core/records.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

class CliJournalTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    struct Result {
        int code;
        QByteArray err;
    };
    Result run(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LANG"_s, u"uk_UA.UTF-8"_s);
        env.remove(u"QT_QPA_PLATFORM"_s); // the command chooses offscreen itself
        p.setProcessEnvironment(env);
        p.start(QString::fromUtf8(ZORVIK_CLI), args);
        p.waitForFinished(60000);
        return {p.exitCode(), p.readAllStandardError()};
    }
    QString path(const QString& name) { return dir_.filePath(name); }

private slots:
    void initTestCase() {
        QByteArray bytes;
        for (int i = 0; i < 3; ++i) {
            JournalRecord e;
            e.EntryNo = i;
            e.Date = u"08.12.26"_s;
            e.Time = u"10:00:00"_s;
            e.StudentName = u"Учень %1"_s.arg(i + 1);
            e.Group = u"9-А"_s;
            e.TestName = u"фізика.tsm"_s;
            e.GradeScale = 12;
            e.QuestionCount = 5;
            e.MaxPoints = 5;
            e.Points = 2.5 + i;
            e.Grade = 6 + i;
            bytes += e.encode();
        }
        writeFileAtomically(path(u"j.ocn"_s), bytes);
    }

    void writesAllThree() {
        const Result r = run({u"journal"_s, path(u"j.ocn"_s), u"--csv"_s, path(u"j.csv"_s),
                              u"--xlsx"_s, path(u"j.xlsx"_s), u"--pdf"_s, path(u"j.pdf"_s)});
        QCOMPARE(r.code, 0);
        const QStringList lines =
            QString::fromUtf8(readWholeFile(path(u"j.csv"_s))).split(u"\r\n"_s);
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[0].startsWith(u"  №,  Дата,  Час,"_s));
        QCOMPARE(lines[3], u"3,08.12.26,10:00:00,Учень 3,9-А,фізика.tsm,12,5,5,\"4,5\",8,"_s);
        QVERIFY(readWholeFile(path(u"j.xlsx"_s)).startsWith("PK"));
        QVERIFY(readWholeFile(path(u"j.pdf"_s)).startsWith("%PDF"));
    }

    void wrongCalls_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no output") << QStringList{u"journal"_s, u"J"_s};
        QTest::newRow("no file") << QStringList{u"journal"_s, u"--csv"_s, u"x.csv"_s};
        QTest::newRow("missing journal")
            << QStringList{u"journal"_s, u"none.ocn"_s, u"--csv"_s, u"x.csv"_s};
        QTest::newRow("unknown option") << QStringList{u"journal"_s, u"J"_s, u"--xls"_s};
    }
    void wrongCalls() {
        QFETCH(QStringList, args);
        args.replaceInStrings(u"J"_s, path(u"j.ocn"_s));
        const Result r = run(args);
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("zorvik-cli journal: "));
    }

    void failedWriteIsReported() {
        const Result r =
            run({u"journal"_s, path(u"j.ocn"_s), u"--xlsx"_s, path(u"no/dir/j.xlsx"_s)});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("no/dir/j.xlsx"));
    }
};

QTEST_GUILESS_MAIN(CliJournalTest)
#include "tst_cli_journal.moc"
