#include "core/atomicfile.h"
#include "core/editing.h"
#include "core/testfilecheck.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {
Question ofLevel(char level) {
    Question q;
    q.LevelLow = level == 'L';
    q.LevelMedium = level == 'M';
    q.LevelSufficient = level == 'S';
    q.LevelHigh = level == 'H';
    return q;
}

// A four-level file whose questions have the levels of `levels` ("LMSH-").
void writeTsr(const QString& path, const QByteArray& levels) {
    QByteArray bytes = TsrRecord::empty().encode();
    for (char c : levels)
        bytes += ofLevel(c).encode();
    writeFileAtomically(path, bytes);
}

void writeTsm(const QString& path, int questions) {
    QByteArray bytes;
    for (int i = 0; i <= questions; ++i)
        bytes += TsmRecord::empty().encode();
    writeFileAtomically(path, bytes);
}

template <typename R> void writeParams(const QString& path, const QList<R>& records) {
    QByteArray bytes;
    for (const R& r : records)
        bytes += r.encode();
    writeFileAtomically(path, bytes);
}

Ns1Record ns1(const QString& name, qint32 questions, const QString& journal = {}) {
    Ns1Record r;
    r.TestName = name;
    r.QuestionsInFile = questions;
    r.JournalPath = journal;
    return r;
}
} // namespace

class TestFileCheckTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString path(const QString& name) { return dir_.filePath(name); }

    AppState stateFor(const QString& testFile) {
        AppState st;
        st.ProgramDir = dir_.path();
        st.TestFileName = testFile;
        return st;
    }

private slots:
    void extensions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ext");
        QTest::newRow("tsm") << u"/d/a.tsm"_s << u".tsm"_s;
        QTest::newRow("tsmx counts as tsm") << u"/d/a.tsmx"_s << u".tsm"_s;
        QTest::newRow("upper case") << u"/d/X.TSM"_s << u".TSM"_s;
        QTest::newRow("no extension") << u"/d.x/a"_s << QString();
        QTest::newRow("two dots") << u"/d/a.b.tsr"_s << u".tsr"_s;
    }
    void extensions() {
        QFETCH(QString, name);
        QFETCH(QString, ext);
        QCOMPARE(testFileExtOf(name), ext);
    }

    void levelLists() {
        writeTsr(path(u"lv.tsr"_s), "LHSM-LL");
        RecordFile f;
        f.openExisting(path(u"lv.tsr"_s), TsrRecord::Size);
        const LevelLists l = collectLevels(f);
        QCOMPARE(l.low, (std::vector<int>{1, 6, 7}));
        QCOMPARE(l.medium, (std::vector<int>{4}));
        QCOMPARE(l.sufficient, (std::vector<int>{3}));
        QCOMPARE(l.high, (std::vector<int>{2}));
        QCOMPARE(f.position(), f.count()); // left at the end for the run
    }

    void oneLevel_data() {
        QTest::addColumn<QList<Ns1Record>>("records");
        QTest::addColumn<int>("outcome");
        // The file is <dir>/x.tsm with 11 questions.
        QTest::newRow("count changed")
            << QList<Ns1Record>{ns1(u"x.tsm"_s, 10)} << int(ParamsCheck::CountChanged);
        QTest::newRow("another folder matches")
            << QList<Ns1Record>{ns1(u"y.tsm"_s, 3), ns1(u"D:\\old\\x.tsm"_s, 11, u"j.ocn"_s)}
            << int(ParamsCheck::Ok);
        QTest::newRow("first match decides")
            << QList<Ns1Record>{ns1(u"x.tsm"_s, 10), ns1(u"x.tsm"_s, 11)}
            << int(ParamsCheck::CountChanged);
        QTest::newRow("case counts")
            << QList<Ns1Record>{ns1(u"X.TSM"_s, 11)} << int(ParamsCheck::NotFound);
        QTest::newRow("empty parameter file")
            << QList<Ns1Record>{} << int(ParamsCheck::EmptyParamFile);
    }
    void oneLevel() {
        QFETCH(QList<Ns1Record>, records);
        QFETCH(int, outcome);
        writeTsm(path(u"x.tsm"_s), 11);
        writeParams(path(u"test.ns1"_s), records);
        AppState st = stateFor(path(u"x.tsm"_s));
        QCOMPARE(int(checkParamsTsm(st)), outcome);
        QCOMPARE(st.ParamsFound, outcome == int(ParamsCheck::Ok));
        QCOMPARE(st.JournalPath, outcome == int(ParamsCheck::Ok) ? u"j.ocn"_s : QString());
        QVERIFY(st.TsmFile.isOpen());
        QCOMPARE(st.TsmFile.position(), 0);
    }

    void missingParameterFile() {
        QTemporaryDir programDir;
        writeTsm(path(u"x.tsm"_s), 1);
        AppState st = stateFor(path(u"x.tsm"_s));
        st.ProgramDir = programDir.path();
        QCOMPARE(checkParamsTsm(st), ParamsCheck::NoParamFile);
        QCOMPARE(paramsCheckMessage(ParamsCheck::NoParamFile, TestKind::Tsm, st),
                 u"Не існує файла настройки "_s + programDir.path() + u"/test.ns1"_s);
        QCOMPARE(paramsCheckMessage(ParamsCheck::NoParamFile, TestKind::Tsr, st),
                 u"Не існує файла настройки"_s + programDir.path() + u"/test.ns2"_s);
    }

    void fourLevelComparesLevelCounts_data() {
        QTest::addColumn<QByteArray>("levels");
        QTest::addColumn<int>("outcome");
        // Stored: 2 low, 1 medium, 0 sufficient, 1 high (4 questions).
        QTest::newRow("same counts, other order") << QByteArray("HLML") << int(ParamsCheck::Ok);
        QTest::newRow("a level changed, same total")
            << QByteArray("LLMS") << int(ParamsCheck::CountChanged);
        // Each level's count on its own.
        QTest::newRow("a low one added") << QByteArray("LLMHL") << int(ParamsCheck::CountChanged);
        QTest::newRow("a medium one added")
            << QByteArray("LLMHM") << int(ParamsCheck::CountChanged);
        QTest::newRow("a sufficient one added")
            << QByteArray("LLMHS") << int(ParamsCheck::CountChanged);
        QTest::newRow("a high one added") << QByteArray("LLMHH") << int(ParamsCheck::CountChanged);
    }
    void fourLevelComparesLevelCounts() {
        QFETCH(QByteArray, levels);
        QFETCH(int, outcome);
        writeTsr(path(u"g.tsr"_s), levels);
        Ns2Record r;
        r.TestName = u"g.tsr"_s;
        r.QuestionsInFile = 99; // not compared
        r.InFileLow = 2;
        r.InFileMedium = 1;
        r.InFileHigh = 1;
        r.JournalPath = u"g.ocn"_s;
        writeParams(path(u"test.ns2"_s), QList<Ns2Record>{r});
        AppState st = stateFor(path(u"g.tsr"_s));
        st.ParamsFound = true;
        QCOMPARE(int(checkParamsTsr(st)), outcome);
        QCOMPARE(st.ParamsFound, outcome == int(ParamsCheck::Ok));
        QCOMPARE(st.LevelLowList.size() + st.LevelMediumList.size() +
                     st.LevelSufficientList.size() + st.LevelHighList.size(),
                 size_t(levels.size()));
        QCOMPARE(st.TsrFile.position(), st.TsrFile.count());
        QCOMPARE(paramsCheckIsInformation(ParamsCheck::CountChanged, TestKind::Tsr), false);
        QCOMPARE(paramsCheckIsInformation(ParamsCheck::CountChanged, TestKind::Tsm), true);
    }
};

QTEST_GUILESS_MAIN(TestFileCheckTest)
#include "tst_testfilecheck.moc"
