#include "core/paramfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

class ParamsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString ns1() { return dir_.filePath(u"test.ns1"_s); }

    // Opens for editing, sets what a window would, saves.
    void saveFor(const QString& testFile, Ns1Record& current, qint32 testQuestions,
                 const std::function<void(Ns1Record&)>& adjust = {}) {
        ParamEditor<Ns1Record> editor;
        editor.open(ns1(), testFile, 10, current);
        current.TestName = paramKey(testFile);
        current.TestQuestions = testQuestions;
        current.QuestionPoints = 1;
        if (adjust)
            adjust(current);
        editor.save(current);
    }

private slots:
    void init() { QFile::remove(ns1()); }

    void keyIsNameAfterLastSeparator_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("key");
        QTest::newRow("unix") << u"/home/t/math.tsm"_s << u"math.tsm"_s;
        QTest::newRow("windows") << u"C:\\tests\\x.tsr"_s << u"x.tsr"_s;
        QTest::newRow("drive") << u"A:x.tsm"_s << u"x.tsm"_s;
        QTest::newRow("bare") << u"x.tsm"_s << u"x.tsm"_s;
    }
    void keyIsNameAfterLastSeparator() {
        QFETCH(QString, path);
        QFETCH(QString, key);
        QCOMPARE(paramKey(path), key);
    }

    void newRecordGetsDefaultsAndFileHasOneRecord() {
        Ns1Record current; // zero-filled, as at program start
        ParamEditor<Ns1Record> editor;
        QVERIFY(!editor.open(ns1(), u"/a/x.tsm"_s, 7, current));
        QCOMPARE(current.QuestionsInFile, 7);
        QCOMPARE(current.GradeScale, 12);
        QCOMPARE(current.TestQuestions, 1);
        QCOMPARE(current.TestingMode.Mode, quint8(1));
        QCOMPARE(current.TestingMode.QuestionTime, qint16(-1));
        QCOMPARE(current.TestingMode.TestTime, qint16(0));
        QVERIFY(!current.TestingMode.TestTimeOn);
        current.TestName = u"x.tsm"_s;
        editor.save(current);
        QCOMPARE(QFileInfo(ns1()).size(), 540);
        saveFor(u"/a/x.tsm"_s, current, 3); // again: found, rewritten in place
        QCOMPARE(QFileInfo(ns1()).size(), 540);
    }

    void sameNameInTwoFoldersSharesARecord() {
        Ns1Record current;
        saveFor(u"/one/x.tsm"_s, current, 3);
        saveFor(u"/two/x.tsm"_s, current, 5);
        QCOMPARE(QFileInfo(ns1()).size(), 540);
        Ns1Record looked;
        QCOMPARE(lookupParams(ns1(), u"/one/x.tsm"_s, looked), ParamLookup::Found);
        QCOMPARE(looked.TestQuestions, 5);
    }

    void keysAreCaseSensitive() {
        Ns1Record current;
        saveFor(u"/a/x.tsm"_s, current, 3);
        Ns1Record looked;
        QCOMPARE(lookupParams(ns1(), u"/a/X.TSM"_s, looked), ParamLookup::NotFound);
    }

    void firstOfDuplicatesWins() {
        Ns1Record a;
        a.TestName = u"d.tsm"_s;
        a.TestQuestions = 1;
        Ns1Record b = a;
        b.TestQuestions = 2;
        QFile f(ns1());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(a.encode() + b.encode());
        f.close();
        Ns1Record current;
        saveFor(u"d.tsm"_s, current, 9);
        Ns1Record looked;
        QCOMPARE(lookupParams(ns1(), u"d.tsm"_s, looked), ParamLookup::Found);
        QCOMPARE(looked.TestQuestions, 9);
        QFile check(ns1());
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(Ns1Record::decode(check.readAll().mid(540)).TestQuestions, 2);
    }

    void newRecordInheritsLastRecordsFlags() {
        Ns1Record current;
        saveFor(u"A.tsm"_s, current, 1);
        saveFor(u"B.tsm"_s, current, 1, [](Ns1Record& r) {
            r.TestingMode.InputOrder = true;
            r.TestingMode.GoBack = true;
            r.TestingMode.TestTimeOn = true;
            r.TestingMode.TestTime = 20;
        });
        Ns1Record fresh; // as if the program had just started
        ParamEditor<Ns1Record> editor;
        QVERIFY(!editor.open(ns1(), u"C.tsm"_s, 4, fresh));
        QVERIFY(fresh.TestingMode.InputOrder);
        QVERIFY(fresh.TestingMode.GoBack);
        QVERIFY(fresh.TestingMode.TestTimeOn);
        QCOMPARE(fresh.TestingMode.TestTime, qint16(20));
        QCOMPARE(fresh.QuestionPoints, 1);
        QCOMPARE(fresh.JournalPath, QString());
        editor.close();
    }

    void nameOutsideCp1251FindsItsRecord() {
        Ns1Record current;
        saveFor(u"/a/тест😀.tsm"_s, current, 3);
        saveFor(u"/a/тест😀.tsm"_s, current, 4);
        QCOMPARE(QFileInfo(ns1()).size(), 540);
        Ns1Record looked;
        QCOMPARE(lookupParams(ns1(), u"/b/тест😀.tsm"_s, looked), ParamLookup::Found);
        QCOMPARE(looked.TestQuestions, 4);
    }

    void lookupOutcomes() {
        Ns2Record current;
        const QString ns2 = dir_.filePath(u"test.ns2"_s);
        QFile::remove(ns2);
        QCOMPARE(lookupParams(ns2, u"x.tsr"_s, current), ParamLookup::NoFile);
        QFile f(ns2);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(lookupParams(ns2, u"x.tsr"_s, current), ParamLookup::EmptyFile);
        ParamEditor<Ns2Record> editor;
        QVERIFY(!editor.open(ns2, u"x.tsr"_s, 3, current));
        current.TestName = u"x.tsr"_s;
        editor.save(current);
        QCOMPARE(QFileInfo(ns2).size(), 580);
        QCOMPARE(lookupParams(ns2, u"/else/x.tsr"_s, current), ParamLookup::Found);
        QCOMPARE(lookupParams(ns2, u"y.tsr"_s, current), ParamLookup::NotFound);
    }
};

QTEST_GUILESS_MAIN(ParamsTest)
#include "tst_params.moc"
