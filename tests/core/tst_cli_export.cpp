// zorvik-cli export, print and list: a test on paper from a script.
#include "core/atomicfile.h"
#include "core/cp1251.h"
#include "core/editing.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

class CliExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    struct Result {
        int code;
        QString out;
        QString err;
    };
    Result run(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"QT_QPA_PLATFORM"_s); // the command chooses offscreen itself
        p.setProcessEnvironment(env);
        p.start(QString::fromUtf8(ZORVIK_CLI), args);
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QString path(const QString& name) const { return dir_.filePath(name); }

    static Question question(TestKind kind, const QString& text, const QStringList& answers,
                             int correct) {
        Question q = emptyQuestion(kind);
        q.Question = text;
        for (int k = 1; k <= answers.size(); ++k)
            q.answer(k) = answers[k - 1];
        q.correct(correct) = true;
        return q;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        for (TestKind kind : {TestKind::Tsm, TestKind::Tsr}) {
            QByteArray bytes = encodeQuestion(emptyQuestion(kind), kind);
            Question q1 = question(kind, u"Скільки?"_s, {u"три"_s, u"чотири"_s}, 2);
            q1.PictureFile = path(u"gone.png"_s);
            bytes += encodeQuestion(q1, kind);
            Question q2 = question(kind, u"  Де?"_s, {u"тут"_s}, 1);
            q2.LevelLow = false;
            q2.LevelMedium = true;
            bytes += encodeQuestion(q2, kind);
            bytes += encodeQuestion(question(kind, u"Коли?"_s, {u"зараз"_s}, 1), kind);
            writeFileAtomically(path(kind == TestKind::Tsm ? u"t.tsm"_s : u"t.tsr"_s), bytes);
        }
        writeFileAtomically(path(u"t.txt"_s), "text");
    }

    void exportWithAndWithoutAnswers() {
        Result r = run({u"export"_s, path(u"t.tsm"_s), u"--with-answers"_s});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, path(u"t_В.doc"_s) + u"\n"_s + path(u"t_В.txt"_s) + u"\n"_s);
        QVERIFY2(r.err.contains(u"missing picture"_s) && r.err.contains(path(u"gone.png"_s)),
                 qPrintable(r.err));
        const QString marked = fromCp1251(readWholeFile(path(u"t_В.txt"_s)));
        QVERIFY(marked.startsWith(QString(19, u' ') + u"Тест\r\n       "_s + path(u"t.tsm"_s)));
        QVERIFY(marked.contains(u"1. Скільки?\r\n   1) три\r\n *2) чотири\r\n"_s));
        QVERIFY(readWholeFile(path(u"t_В.doc"_s)).startsWith("{\\rtf1"));

        r = run({u"export"_s, path(u"t.tsr"_s)});
        QCOMPARE(r.code, 0);
        const QString plain = fromCp1251(readWholeFile(path(u"t_4Б.txt"_s)));
        QVERIFY(plain.contains(u"2.   Де?\r\n   Рівень: середній\r\n   1) тут\r\n"_s));
    }

    void printToPdf() {
        const Result r = run({u"print"_s, path(u"t.tsr"_s), u"--pdf"_s, path(u"t.pdf"_s)});
        QCOMPARE(r.code, 0);
        QVERIFY(readWholeFile(path(u"t.pdf"_s)).startsWith("%PDF"));
    }

    void listAsTextDocumentAndWorkbook() {
        Result r = run({u"list"_s, path(u"t.tsr"_s)});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, u"1\tнизький\tСкільки?\n2\tсередній\tДе?\n3\tнизький\tКоли?\n"_s);
        r = run({u"list"_s, path(u"t.tsm"_s), u"--xlsx"_s, path(u"l.xlsx"_s), u"--doc"_s,
                 path(u"l.doc"_s)});
        QCOMPARE(r.code, 0);
        QVERIFY(readWholeFile(path(u"l.xlsx"_s)).startsWith("PK"));
        const QByteArray doc = readWholeFile(path(u"l.doc"_s));
        QVERIFY(doc.startsWith("{\\rtf1"));
        QVERIFY(doc.contains("3. "));
    }

    void wrongCalls_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("export without a file") << QStringList{u"export"_s};
        QTest::newRow("export of a missing file") << QStringList{u"export"_s, u"none.tsm"_s};
        QTest::newRow("export of another kind") << QStringList{u"export"_s, u"T.txt"_s};
        QTest::newRow("export with an unknown option")
            << QStringList{u"export"_s, u"T.tsm"_s, u"--answers"_s};
        QTest::newRow("print without --pdf") << QStringList{u"print"_s, u"T.tsm"_s};
        QTest::newRow("list with an unknown option")
            << QStringList{u"list"_s, u"T.tsm"_s, u"--csv"_s};
    }
    void wrongCalls() {
        QFETCH(QStringList, args);
        args.replaceInStrings(u"T."_s, path(u"t."_s));
        const Result r = run(args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(u"zorvik-cli "_s + args.first() + u": "_s), qPrintable(r.err));
    }
};

QTEST_GUILESS_MAIN(CliExportTest)
#include "tst_cli_export.moc"
