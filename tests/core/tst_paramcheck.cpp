#include "core/cp1251.h"
#include "core/paramcheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

Q_DECLARE_METATYPE(std::optional<qint32>)

namespace {

// The fields of a four-level window with valid values: one question of each
// level asked, points 1, 2, 3, 4.
FieldTexts ns2Texts() {
    return {{u"Edit1"_s, u"8"_s},  {u"Edit2"_s, u"2"_s},  {u"Edit5"_s, u"2"_s},
            {u"Edit13"_s, u"2"_s}, {u"Edit8"_s, u"2"_s},  {u"Edit3"_s, u"1"_s},
            {u"Edit6"_s, u"1"_s},  {u"Edit14"_s, u"1"_s}, {u"Edit9"_s, u"1"_s},
            {u"Edit4"_s, u"1"_s},  {u"Edit7"_s, u"2"_s},  {u"Edit15"_s, u"3"_s},
            {u"Edit10"_s, u"4"_s}, {u"Edit11"_s, u"12"_s}};
}

Ns2Record validNs2() {
    Ns2Record r;
    if (readNs2Fields(ns2Texts(), r))
        qFatal("valid fields refused");
    return r;
}

} // namespace

class ParamCheckTest : public QObject {
    Q_OBJECT

private slots:
    void wholeNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<qint32>>("value");
        QTest::newRow("plain") << u"12"_s << std::optional<qint32>(12);
        QTest::newRow("blanks") << u"  7 "_s << std::optional<qint32>(7);
        QTest::newRow("signs") << u"-3"_s << std::optional<qint32>(-3);
        QTest::newRow("plus") << u"+4"_s << std::optional<qint32>(4);
        QTest::newRow("largest") << u"2147483647"_s << std::optional<qint32>(2147483647);
        QTest::newRow("smallest") << u"-2147483648"_s << std::optional<qint32>(-2147483647 - 1);
        QTest::newRow("too large") << u"2147483648"_s << std::optional<qint32>();
        QTest::newRow("far too large") << u"99999999999999999999"_s << std::optional<qint32>();
        QTest::newRow("empty") << QString() << std::optional<qint32>();
        QTest::newRow("sign only") << u"-"_s << std::optional<qint32>();
        QTest::newRow("fraction") << u"1.5"_s << std::optional<qint32>();
        QTest::newRow("grouped") << u"1 000"_s << std::optional<qint32>();
        QTest::newRow("letters") << u"12a"_s << std::optional<qint32>();
        QTest::newRow("arabic-indic digits") << u"\u0661\u0662"_s << std::optional<qint32>();
    }
    void wholeNumbers() {
        QFETCH(QString, text);
        QFETCH(std::optional<qint32>, value);
        QCOMPARE(parseWholeNumber(text), value);
    }

    // One-level: the checks in order, the first failure only.
    void ns1Checks_data() {
        QTest::addColumn<QString>("questions");
        QTest::addColumn<QString>("scale");
        QTest::addColumn<QString>("points");
        QTest::addColumn<QString>("journal");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString j = u"/j.ocn"_s;
        QTest::newRow("valid") << u"10"_s << u"12"_s << u"1"_s << j << QString() << QString();
        QTest::newRow("more than in file, scale bad too")
            << u"11"_s << u"0"_s << u"1"_s << j
            << u"Кількість тестових запитань більша, ніж наявна у файлі!"_s << u"Edit2"_s;
        QTest::newRow("none") << u"0"_s << u"12"_s << u"1"_s << j
                              << u"Неправильне значення для кількості тестових запитань!"_s
                              << u"Edit2"_s;
        QTest::newRow("scale") << u"3"_s << u"-1"_s << u"0"_s << j
                               << u"Неправильне значення для системи оцінювання!"_s << u"Edit3"_s;
        QTest::newRow("points") << u"3"_s << u"12"_s << u"0"_s << QString()
                                << u"Неправильне значення для кількості балів\rза одне запитання!"_s
                                << u"Edit4"_s;
        QTest::newRow("maximum past the journal's field")
            << u"10"_s << u"12"_s << u"1000000000"_s << j
            << u"Максимальна кількість балів за тест (10000000000) не вміщується у поле журналу "
               u"«Макс.балів»:\rнайбільше можна 2147483647 балів!"_s
            << u"Edit4"_s;
        QTest::newRow("blank journal")
            << u"3"_s << u"12"_s << u"1"_s << u"   "_s
            << u"Вкажіть місцезнаходження файлу журналу!"_s << u"Button1"_s;
    }
    void ns1Checks() {
        QFETCH(QString, questions);
        QFETCH(QString, scale);
        QFETCH(QString, points);
        QFETCH(QString, journal);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Ns1Record r;
        const FieldTexts texts{{u"Edit1"_s, u"10"_s},
                               {u"Edit2"_s, questions},
                               {u"Edit3"_s, scale},
                               {u"Edit4"_s, points}};
        QVERIFY(!readNs1Fields(texts, r));
        const FieldCheck p = checkNs1(r, journal);
        QCOMPARE(p ? p->message : QString(), message);
        QCOMPARE(p ? p->focus : QString(), focus);
        if (p && focus.startsWith(u"Edit"_s))
            QCOMPARE(p->clear, QStringList{focus});
    }

    void ns1WrongTypeStopsWhereItIs() {
        Ns1Record r;
        const FieldTexts texts{{u"Edit1"_s, u"10"_s},
                               {u"Edit2"_s, u"5"_s},
                               {u"Edit3"_s, u"9"_s},
                               {u"Edit4"_s, u"x"_s}};
        const FieldCheck p = readNs1Fields(texts, r);
        QVERIFY(p);
        QCOMPARE(p->message, u"Неправильний тип значення!"_s);
        QCOMPARE(p->clear, (QStringList{u"Edit2"_s, u"Edit3"_s, u"Edit4"_s}));
        QCOMPARE(p->focus, u"Edit2"_s);
        // Read field by field: the scale is in, the question count is not.
        QCOMPARE(r.GradeScale, 9);
        QCOMPARE(r.TestQuestions, 0);
    }

    void ns2Reading_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("low count")
            << u"Edit3"_s << u"-1"_s
            << u"Неправильне значення для кількості запитань\rнизького рівня!"_s;
        QTest::newRow("medium count")
            << u"Edit6"_s << u"-1"_s
            << u"Неправильне значення для кількості запитань\rсереднього рівня!"_s;
        QTest::newRow("sufficient count")
            << u"Edit14"_s << u"-1"_s
            << u"Неправильне значення для кількості запитань\rдостатнього рівня!"_s;
        QTest::newRow("high count")
            << u"Edit9"_s << u"-2"_s
            << u"Неправильне значення для кількості запитань\rвисокого рівня!"_s;
        QTest::newRow("low points")
            << u"Edit4"_s << u"-1"_s
            << u"Неправильне значення для кількості балів \rза одне запитання низького рівня!"_s;
        QTest::newRow("medium points")
            << u"Edit7"_s << u"-1"_s
            << u"Неправильне значення для кількості балів \rза одне запитання середнього рівня!"_s;
        QTest::newRow("sufficient points")
            << u"Edit15"_s << u"-1"_s
            << u"Неправильне значення для кількості балів \rза одне запитання достатнього рівня!"_s;
        QTest::newRow("high points")
            << u"Edit10"_s << u"-1"_s
            << u"Неправильне значення для кількості балів \rза одне запитання високого рівня!"_s;
        QTest::newRow("scale zero")
            << u"Edit11"_s << u"0"_s << u"Неправильне значення для системи оцінювання (балів)!"_s;
        QTest::newRow("not a number") << u"Edit7"_s << u"два"_s << u"Неправильний тип значення!"_s;
    }
    void ns2Reading() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        FieldTexts texts = ns2Texts();
        texts[field] = text;
        Ns2Record r;
        const FieldCheck p = readNs2Fields(texts, r);
        QVERIFY(p);
        QCOMPARE(p->message, message);
        if (message == u"Неправильний тип значення!"_s) {
            QCOMPARE(p->clear.size(), 9);
            QCOMPARE(p->focus, u"Edit3"_s);
        } else {
            QCOMPARE(p->clear, QStringList{field});
            QCOMPARE(p->focus, field);
        }
    }

    void ns2ZeroPointsPassAndCountsLandInTheirFields() {
        FieldTexts texts = ns2Texts();
        for (const QString& f : {u"Edit4"_s, u"Edit7"_s, u"Edit15"_s, u"Edit10"_s})
            texts[f] = u"0"_s;
        texts[u"Edit2"_s] = u"5"_s;  // low in file
        texts[u"Edit13"_s] = u"6"_s; // sufficient in file
        texts[u"Edit8"_s] = u"7"_s;  // high in file
        Ns2Record r;
        QVERIFY(!readNs2Fields(texts, r));
        QVERIFY(!checkNs2(r, u"/j.ocn"_s));
        QCOMPARE(r.InFileLow, 5);
        QCOMPARE(r.InFileSufficient, 6);
        QCOMPARE(r.InFileHigh, 7);
    }

    // The points rule and the checks before it, first failure only.
    void ns2Checks_data() {
        QTest::addColumn<QList<int>>("points"); // low, medium, sufficient, high
        QTest::addColumn<QList<int>>("counts"); // low, medium, sufficient, high
        QTest::addColumn<QString>("journal");
        QTest::addColumn<QString>("focus");
        const QList<int> one{1, 1, 1, 1};
        const QString j = u"/j.ocn"_s;
        QTest::newRow("equal points") << QList<int>{2, 2, 2, 2} << one << j << QString();
        QTest::newRow("zero points") << QList<int>{0, 0, 0, 0} << one << j << QString();
        QTest::newRow("low above medium") << QList<int>{2, 1, 3, 4} << one << j << u"Edit4"_s;
        QTest::newRow("low above high only") << QList<int>{3, 4, 5, 2} << one << j << u"Edit4"_s;
        QTest::newRow("medium above sufficient")
            << QList<int>{1, 3, 2, 4} << one << j << u"Edit7"_s;
        QTest::newRow("sufficient above high") << QList<int>{1, 2, 4, 3} << one << j << u"Edit15"_s;
        QTest::newRow("no journal first")
            << QList<int>{2, 1, 3, 4} << QList<int>{0, 0, 0, 0} << u" "_s << u"Button1"_s;
        QTest::newRow("nothing asked")
            << QList<int>{2, 1, 3, 4} << QList<int>{0, 0, 0, 0} << j << u"Edit3"_s;
        QTest::newRow("too many low")
            << QList<int>{2, 1, 3, 4} << QList<int>{3, 9, 9, 9} << j << u"Edit3"_s;
        QTest::newRow("too many medium") << one << QList<int>{0, 3, 9, 9} << j << u"Edit6"_s;
        QTest::newRow("too many sufficient") << one << QList<int>{0, 0, 3, 9} << j << u"Edit14"_s;
        QTest::newRow("too many high") << one << QList<int>{0, 0, 0, 3} << j << u"Edit9"_s;
    }
    void ns2Checks() {
        QFETCH(QList<int>, points);
        QFETCH(QList<int>, counts);
        QFETCH(QString, journal);
        QFETCH(QString, focus);
        Ns2Record r = validNs2();
        r.PointsLow = points[0];
        r.PointsMedium = points[1];
        r.PointsSufficient = points[2];
        r.PointsHigh = points[3];
        r.TestLow = counts[0];
        r.TestMedium = counts[1];
        r.TestSufficient = counts[2];
        r.TestHigh = counts[3];
        const FieldCheck p = checkNs2(r, journal);
        QCOMPARE(p ? p->focus : QString(), focus);
        if (focus == u"Edit4"_s || focus == u"Edit7"_s || focus == u"Edit15"_s)
            QCOMPARE(p->message,
                     u"Неправильно задано кількість балів за запитання для різних рівнів!"_s);
        if (QTest::currentDataTag() == "nothing asked"_ba)
            QCOMPARE(p->message,
                     u"Не вказано для тесту кількості запитань\rхоча б одного рівня!"_s);
        if (QTest::currentDataTag() == "too many sufficient"_ba)
            QCOMPARE(p->message,
                     u"Кількість запитань достатнього рівня більша, ніж наявна у файлі!"_s);
    }

    void pointsAllZeroOnlyWhenAllFourAre() {
        FieldTexts t = ns2Texts();
        QVERIFY(!pointsAllZero(t));
        for (const QString& f : {u"Edit4"_s, u"Edit7"_s, u"Edit15"_s})
            t[f] = u" 0 "_s;
        QVERIFY(!pointsAllZero(t));
        t[u"Edit10"_s] = u"0"_s;
        QVERIFY(pointsAllZero(t));
        t[u"Edit7"_s] = u"00"_s;
        QVERIFY(!pointsAllZero(t));
    }

    void levelsCountedPerFlag() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"x.tsr"_s);
        RecordFile f;
        f.create(path, TsrRecord::Size);
        TsrRecord reserved = TsrRecord::empty(); // record 0 is never counted
        reserved.LevelHigh = true;
        f.writeRecord(reserved);
        auto question = [&](bool low, bool medium, bool high, bool sufficient) {
            TsrRecord q;
            q.LevelLow = low;
            q.LevelMedium = medium;
            q.LevelHigh = high;
            q.LevelSufficient = sufficient;
            f.writeRecord(q);
        };
        question(true, false, false, false);
        question(true, false, false, false);
        question(false, false, false, true);
        question(false, true, true, false); // two flags: counted in both
        question(false, false, false, false);
        TsrRecord buffer;
        const LevelCounts c = countLevels(f, buffer);
        QCOMPARE(c, (LevelCounts{2, 1, 1, 1}));
        QVERIFY(!buffer.LevelLow); // the buffer holds the last question
        RecordFile empty;
        empty.create(dir.filePath(u"e.tsr"_s), TsrRecord::Size);
        QCOMPARE(countLevels(empty, buffer), LevelCounts{});
    }

    void journalOpenedOrCreated() {
        QTemporaryDir dir;
        const QString fresh = dir.filePath(u"новий.ocn"_s);
        openOrCreateJournal(fresh);
        QVERIFY(QFileInfo(fresh).isFile());
        QCOMPARE(QFileInfo(fresh).size(), 0);

        const QString kept = dir.filePath(u"old.ocn"_s);
        {
            QFile f(kept);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(216, 'x'));
        }
        openOrCreateJournal(kept);
        QCOMPARE(QFileInfo(kept).size(), 216);

        openOrCreateJournal(u"   "_s); // blank: nothing at all
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);

        QVERIFY_THROWS_EXCEPTION(FileError,
                                 openOrCreateJournal(dir.filePath(u"no/such/dir/j.ocn"_s)));
        QVERIFY_THROWS_EXCEPTION(FileError, openOrCreateJournal(dir.path()));
    }

    void journalPathMustSurviveTheRecord() {
        const QString ok = u"/"_s + QString(254, u'ж');
        QVERIFY(journalPathStorable(ok));
        QVERIFY(!journalPathStorable(ok + u'x'));
        QVERIFY(!journalPathStorable(u"/home/t/日本.ocn"_s));
        QVERIFY(journalPathStorable(u"/home/вчитель/Журнал ї є ґ.ocn"_s));
    }

    void testingModeFollowsTheExtension() {
        AppState st;
        st.TestFileExt = u".tsm"_s;
        QCOMPARE(currentTestingMode(st), &st.Ns1Record.TestingMode);
        st.TestFileExt = u".tsr"_s;
        QCOMPARE(currentTestingMode(st), &st.Ns2Record.TestingMode);
        st.TestFileExt = u".TSM"_s;
        QCOMPARE(currentTestingMode(st), nullptr);
    }

    void testingMode_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<bool>("timeOn");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("storedSeconds");
        QTest::addColumn<int>("storedMinutes");
        const QString badSeconds = u"Недопустиме значення на 1-е запитання!"_s;
        const QString badMinutes = u"Недопустиме значення на обмеження часу тестування!"_s;
        QTest::newRow("mode 1") << 1 << QString() << false << QString() << QString() << QString()
                                << -1 << -1;
        QTest::newRow("mode 2") << 2 << u" "_s << false << QString() << QString() << QString() << -1
                                << -1;
        QTest::newRow("mode 3 without time")
            << 3 << QString() << false << QString() << u"Не задано час на 1-е запитання!"_s
            << u"ComboBox1"_s << -1 << -1;
        QTest::newRow("mode 4, 600 s")
            << 4 << u"600"_s << false << QString() << QString() << QString() << 600 << -1;
        QTest::newRow("32767 s") << 3 << u"32767"_s << false << QString() << QString() << QString()
                                 << 32767 << -1;
        QTest::newRow("40000 s") << 3 << u"40000"_s << false << QString() << badSeconds
                                 << u"ComboBox1"_s << 0 << 0;
        QTest::newRow("0 s") << 3 << u"0"_s << false << QString() << badSeconds << u"ComboBox1"_s
                             << 0 << 0;
        QTest::newRow("1439 min") << 1 << QString() << true << u"1439"_s << QString() << QString()
                                  << -1 << 1439;
        QTest::newRow("1440 min") << 1 << QString() << true << u"1440"_s << badMinutes
                                  << u"ComboBox2"_s << -1 << 0;
        QTest::newRow("0 min, time off")
            << 1 << QString() << false << u"0"_s << badMinutes << u"ComboBox2"_s << -1 << 0;
        QTest::newRow("time on, none given")
            << 1 << QString() << true << QString() << u"Не задано обмеження на час тестування!"_s
            << u"ComboBox2"_s << -1 << -1;
        QTest::newRow("seconds not a number")
            << 3 << u"30с"_s << false << QString() << kInputError << u"ComboBox1"_s << 0 << 0;
        QTest::newRow("minutes not a number")
            << 3 << u"30"_s << true << u"пів години"_s << kInputError << u"ComboBox1"_s << 30 << 0;
    }
    void testingMode() {
        QFETCH(int, mode);
        QFETCH(QString, seconds);
        QFETCH(bool, timeOn);
        QFETCH(QString, minutes);
        QFETCH(QString, message);
        QFETCH(QString, field);
        QFETCH(int, storedSeconds);
        QFETCH(int, storedMinutes);
        ModeFields f;
        f.inputOrder = true;
        f.shuffleAnswers = true;
        f.mode = mode;
        f.questionTime = seconds;
        f.testTimeOn = timeOn;
        f.testTime = minutes;
        TestingMode m; // zero-filled
        const auto p = applyTestingMode(f, m);
        QCOMPARE(p ? p->message : QString(), message);
        QCOMPARE(p ? p->field : QString(), field);
        QVERIFY(m.InputOrder && m.ShuffleAnswers && !m.GoBack); // always stored first
        QCOMPARE(m.QuestionTime, storedSeconds);
        QCOMPARE(m.TestTime, storedMinutes);
        if (!p)
            QCOMPARE(m.Mode, quint8(mode));
        if (message == kInputError)
            QVERIFY(!p->enable && !p->clear);
        if (message.startsWith(u"Недопустиме"_s))
            QVERIFY(p->enable && p->clear);
    }
};

QTEST_APPLESS_MAIN(ParamCheckTest)
#include "tst_paramcheck.moc"
