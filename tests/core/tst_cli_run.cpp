// zorvik-cli run: whole runs from the command line, worked out by hand, and
// the same run through the testing window writing the same bytes.
#include "core/cp1251.h"
#include "core/journalfile.h"
#include "core/resultlog.h"
#include "core/testfilecheck.h"
#include "support/runparams.h"
#include "support/scriptedservices.h"
#include "testing/namewindow.h"
#include "testing/testingwindow.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;
using zorvik::testing::ScriptedServices;

namespace {

const QString kAt = u"2026-12-08T09:00:00"_s; // the scripted clock's time
const QString kName = u"Коваль Марія"_s;
const QString kGroup = u"10-Б"_s;

template <typename R> R question(int no, const QList<int>& correct) {
    R q;
    q.Question = u"Запитання "_s + QString::number(no);
    for (int k = 1; k <= 5; ++k)
        q.answer(k) = u"Відповідь "_s + QString::number(no) + u'.' + QString::number(k);
    for (int k : correct)
        q.correct(k) = true;
    return q;
}

TsrRecord levelQuestion(int no, const QList<int>& correct, char level) {
    TsrRecord q = question<TsrRecord>(no, correct);
    q.LevelLow = level == 'l';
    q.LevelMedium = level == 'm';
    q.LevelSufficient = level == 's';
    q.LevelHigh = level == 'h';
    return q;
}

// The testing window's services with a seeded generator in place of the
// scripted one, so that the window draws what `run --seed` draws.
class SeededServices final : public Services {
public:
    SeededServices(ScriptedServices& inner, quint32 seed) : inner_(inner), random_(seed) {}
    MsgAnswer message(QWidget* p, MsgIcon i, MsgButtons b, const QString& t) override {
        return inner_.message(p, i, b, t);
    }
    FileDialogResult openFile(QWidget* p, const FileDialogSpec& r) override {
        return inner_.openFile(p, r);
    }
    FileDialogResult saveFile(QWidget* p, const FileDialogSpec& r) override {
        return inner_.saveFile(p, r);
    }
    std::optional<QFont> chooseFont(QWidget* p, const QFont& f) override {
        return inner_.chooseFont(p, f);
    }
    std::optional<QColor> chooseColor(QWidget* p, const QColor& c) override {
        return inner_.chooseColor(p, c);
    }
    int showModal(QDialog* d) override { return inner_.showModal(d); }
    bool openWithSystem(const QString& path) override { return inner_.openWithSystem(path); }
    void beep(int hz, int ms) override { inner_.beep(hz, ms); }
    Clock& clock() override { return inner_.clock(); }
    RandomSource& random() override { return random_; }
    QString clipboardText() override { return inner_.clipboardText(); }
    void setClipboardText(const QString& t) override { inner_.setClipboardText(t); }
    QSize screenSize() override { return inner_.screenSize(); }
    void printPreview(QWidget* p, const PrintJob& j) override { inner_.printPreview(p, j); }
    void printImage(QWidget* p, const QImage& i) override { inner_.printImage(p, i); }

private:
    ScriptedServices& inner_;
    SeededRandom random_;
};

} // namespace

class CliRunTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    struct Result {
        int code = -1;
        QByteArray out;
        QByteArray err;
        QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
    };

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString journal() const { return path(u"9a.ocn"_s); }

    Result run(const QString& test, const QString& answers, QStringList extra = {}) {
        return cli(QStringList{u"run"_s, path(test), u"--name"_s, kName, u"--group"_s, kGroup,
                               u"--answers"_s, answers, u"--at"_s, kAt, u"--json"_s} +
                   extra);
    }
    Result cli(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LC_ALL"_s, u"uk_UA.UTF-8"_s);
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir_.path()); // the program directory
        p.start(QString::fromUtf8(ZORVIK_CLI), args);
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    }

    QByteArray bytesOf(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    template <typename R> void writeTest(const QString& name, const QList<R>& questions) {
        QByteArray bytes = R::empty().encode();
        for (const R& q : questions)
            bytes += q.encode();
        writeFile(name, bytes);
    }
    // Every file of the program directory with its bytes.
    QMap<QString, QByteArray> snapshot() const {
        QMap<QString, QByteArray> files;
        for (const QString& f : QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden))
            files.insert(f, bytesOf(f));
        return files;
    }
    QStringList logLines() const { return fromCp1251(bytesOf(u"result.txt"_s)).split(u"\r\n"_s); }

    Ns1Record oneLevel(const QString& name, int inFile, int points) {
        Ns1Record p = testing::oneLevelRun(name, inFile, inFile, journal(), 1);
        p.QuestionPoints = points;
        return p;
    }
    QList<Ns1Record> ns1_;
    void writeNs1() {
        QByteArray bytes;
        for (const Ns1Record& p : ns1_)
            bytes += p.encode();
        writeFile(u"test.ns1"_s, bytes);
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
        QVERIFY(dir_.isValid());
    }

    void init() {
        for (const QString& f : QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden))
            QVERIFY(QFile::remove(path(f)));

        // math.tsm: 2 points a question. Answer 5 of question 1 is blank;
        // question 4 has no right answer and is right when left blank.
        QList<TsmRecord> math{question<TsmRecord>(1, {1}), question<TsmRecord>(2, {1, 3}),
                              question<TsmRecord>(3, {2, 4, 5}), question<TsmRecord>(4, {})};
        math[0].Answer5.clear();
        writeTest(u"math.tsm"_s, math);
        // shuffled.tsm: 4 of 6 drawn, answers shuffled; 2 and 4 right everywhere.
        QList<TsmRecord> shuffled;
        for (int i = 1; i <= 6; ++i)
            shuffled.append(question<TsmRecord>(i, {2, 4}));
        writeTest(u"shuffled.tsm"_s, shuffled);
        // pictures.tsm: the answers are in the picture, their texts blank.
        TsmRecord picture;
        picture.Question = u"Що на малюнку?"_s;
        picture.QuestionAndPicture = true;
        picture.Correct3 = true;
        writeTest(u"pictures.tsm"_s, QList<TsmRecord>{picture});
        // hundred.tsm: 100 questions, answer 1 right: k right answers are k %.
        writeTest(u"hundred.tsm"_s, QList<TsmRecord>(100, question<TsmRecord>(0, {1})));
        writeTest(u"orphan.tsm"_s, QList<TsmRecord>{question<TsmRecord>(1, {1})});
        writeTest(u"changed.tsm"_s, QList<TsmRecord>{question<TsmRecord>(1, {1})});
        writeTest(u"nopoints.tsm"_s, QList<TsmRecord>{question<TsmRecord>(1, {1})});

        ns1_ = {oneLevel(u"math.tsm"_s, 4, 2),     oneLevel(u"shuffled.tsm"_s, 6, 1),
                oneLevel(u"pictures.tsm"_s, 1, 1), oneLevel(u"hundred.tsm"_s, 100, 1),
                oneLevel(u"changed.tsm"_s, 2, 1),  oneLevel(u"nopoints.tsm"_s, 1, 0)};
        Ns1Record& drawn = ns1_[1];
        drawn.TestQuestions = 4;
        drawn.TestingMode.InputOrder = false;
        drawn.TestingMode.ShuffleAnswers = true;
        writeNs1();

        // levels.tsr, asked 2 low, 1 medium, 1 sufficient, 1 high in file
        // order (records 1, 5, 2, 3, 4) in the going-back window.
        writeTest(u"levels.tsr"_s,
                  QList<TsrRecord>{levelQuestion(1, {1}, 'l'), levelQuestion(2, {1, 2}, 'm'),
                                   levelQuestion(3, {3}, 's'), levelQuestion(4, {1, 2, 3}, 'h'),
                                   levelQuestion(5, {2}, 'l'), levelQuestion(6, {5}, 'h')});
        Ns2Record levels;
        levels.TestName = u"levels.tsr"_s;
        levels.QuestionsInFile = 6;
        levels.InFileLow = 2;
        levels.InFileMedium = 1;
        levels.InFileSufficient = 1;
        levels.InFileHigh = 2;
        levels.TestLow = 2;
        levels.TestMedium = 1;
        levels.TestSufficient = 1;
        levels.TestHigh = 1;
        levels.PointsLow = 1;
        levels.PointsMedium = 2;
        levels.PointsSufficient = 3;
        levels.PointsHigh = 4;
        levels.GradeScale = 12;
        levels.JournalPath = journal();
        levels.TestingMode.Mode = 1;
        levels.TestingMode.QuestionTime = -1;
        levels.TestingMode.TestTime = -1;
        levels.TestingMode.InputOrder = true;
        levels.TestingMode.GoBack = true;
        writeFile(u"test.ns2"_s, levels.encode());

        writeFile(u"9a.ocn"_s, {});
    }

    void handWorked_data() {
        QTest::addColumn<QString>("test");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QList<int>>("records");
        QTest::addColumn<QList<double>>("points");
        QTest::addColumn<double>("score");
        QTest::addColumn<int>("maxPoints");
        QTest::addColumn<double>("percent");
        QTest::addColumn<int>("grade");
        QTest::addColumn<bool>("interrupted");
        const QStringList none;
        const QStringList inFileOrder{u"--in-file-order"_s, u"--seed"_s, u"5"_s};

        QTest::newRow("all right, the blank question left blank")
            << u"math.tsm"_s << u"1;1,3;2,4,5;"_s << none << QList<int>{1, 2, 3, 4}
            << QList<double>{2, 2, 2, 2} << 8.0 << 8 << 100.0 << 12 << false;
        // 2 / 3 a right answer: 0.667 each, 1.33 for two; 6.33 of 8 is 79.125 %.
        QTest::newRow("partial credit")
            << u"math.tsm"_s << u"1;3;2,5;"_s << none << QList<int>{1, 2, 3, 4}
            << QList<double>{2, 1, 1.33, 2} << 6.33 << 8 << 79.12 << 7 << false;
        QTest::newRow("a wrong tick loses the question")
            << u"math.tsm"_s << u"1,2;1,3,4;2;3"_s << none << QList<int>{1, 2, 3, 4}
            << QList<double>{0, 0, 0.67, 0} << 0.67 << 8 << 8.38 << 1 << false;
        QTest::newRow("broken off after two")
            << u"math.tsm"_s << u"1;1,3"_s << none << QList<int>{1, 2} << QList<double>{2, 2} << 4.0
            << 8 << 50.0 << 3 << true;
        // Low 1, medium 2, sufficient 3, high 4 points; 4 / 3 a right answer on high.
        QTest::newRow("four levels")
            << u"levels.tsr"_s << u"1;2;2;3;1,3"_s << none << QList<int>{1, 5, 2, 3, 4}
            << QList<double>{1, 1, 1, 3, 2.67} << 8.67 << 11 << 78.82 << 7 << false;
        QTest::newRow("four levels, wrong on high")
            << u"levels.tsr"_s << u"1;2;1,2;3;5"_s << none << QList<int>{1, 5, 2, 3, 4}
            << QList<double>{1, 1, 2, 3, 0} << 7.0 << 11 << 63.64 << 5 << false;
        QTest::newRow("four levels broken off")
            << u"levels.tsr"_s << u"1;2"_s << none << QList<int>{1, 5} << QList<double>{1, 1} << 2.0
            << 11 << 18.18 << 2 << true;
        QTest::newRow("answers in the picture")
            << u"pictures.tsm"_s << u"3"_s << none << QList<int>{1} << QList<double>{1} << 1.0 << 1
            << 100.0 << 12 << false;
        QTest::newRow("every question in file order")
            << u"shuffled.tsm"_s << u"2;4;2,4;1;;4,2"_s << inFileOrder
            << QList<int>{1, 2, 3, 4, 5, 6} << QList<double>{0.5, 0.5, 1, 0, 0, 1} << 3.0 << 6
            << 50.0 << 3 << false;
    }
    void handWorked() {
        QFETCH(QString, test);
        QFETCH(QString, answers);
        QFETCH(QStringList, extra);
        QFETCH(QList<int>, records);
        QFETCH(QList<double>, points);
        QFETCH(double, score);
        QFETCH(int, maxPoints);
        QFETCH(double, percent);
        QFETCH(int, grade);
        QFETCH(bool, interrupted);

        const Result r = run(test, answers, extra);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QByteArray());
        const QJsonObject o = r.json();
        QList<int> asked;
        QList<double> got;
        for (const QJsonValue& q : o[u"asked"_s].toArray()) {
            asked.append(q[u"record"_s].toInt());
            got.append(q[u"points"_s].toDouble());
        }
        QCOMPARE(asked, records);
        QCOMPARE(got, points);
        QCOMPARE(o[u"score"_s].toDouble(), score);
        QCOMPARE(o[u"maxPoints"_s].toInt(), maxPoints);
        QCOMPARE(o[u"percent"_s].toDouble(), percent);
        QCOMPARE(o[u"grade"_s].toInt(), grade);
        QCOMPARE(o[u"interrupted"_s].toBool(), interrupted);
        QCOMPARE(o[u"journal"_s].toString(), journal());

        const std::vector<JournalRecord> entries = readJournal(journal());
        QCOMPARE(entries.size(), size_t(1));
        const JournalRecord& e = entries[0];
        QCOMPARE(e.StudentName, kName);
        QCOMPARE(e.Group, kGroup);
        QCOMPARE(e.TestName, test);
        QCOMPARE(e.Date, u"08.12.26"_s);
        QCOMPARE(e.Time, u"09:00:00"_s);
        QCOMPARE(e.MaxPoints, maxPoints);
        QCOMPARE(e.QuestionCount, o[u"questions"_s].toInt());
        QCOMPARE(e.Points, score);
        QCOMPARE(e.Grade, grade);
        QCOMPARE(e.Interrupted, interrupted ? u"Пер."_s : QString());

        // Header (8 lines), one line per answer, the end lines.
        const QStringList lines = logLines();
        QCOMPARE(lines.at(2), u" Файл тестування: "_s + path(test));
        for (qsizetype i = 0; i < records.size(); ++i)
            QCOMPARE(
                lines.at(8 + i).simplified(),
                u"%1 %2 %3 00:00:00"_s.arg(i + 1).arg(records[i]).arg(logNumberText(points[i])));
        const QStringList end = lines.mid(8 + records.size());
        QCOMPARE(end.filter(u"ПЕРЕРВАНО"_s).size(), interrupted ? 1 : 0);
        QVERIFY(
            end.contains(u"  Балів за тест (%1): %2"_s.arg(maxPoints).arg(logNumberText(score))));
        QVERIFY(end.contains(u"  Оцінка (12): %1"_s.arg(grade)));
    }

    void gradeTable_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("right"); // of 100: the percentage
        QTest::addColumn<int>("grade");
        const QList<QPair<int, int>> twelve{
            {0, 1},  {18, 1}, {19, 2},  {35, 2},  {36, 3},  {50, 3},  {51, 4},  {60, 4},
            {61, 5}, {68, 5}, {69, 6},  {75, 6},  {76, 7},  {81, 7},  {82, 8},  {86, 8},
            {87, 9}, {90, 9}, {91, 10}, {93, 10}, {94, 11}, {96, 11}, {97, 12}, {100, 12}};
        for (const auto& [right, grade] : twelve)
            QTest::addRow("12: %d %%", right) << 12 << right << grade;
        // Other scales: scale × percentage, an exact half to the even grade;
        // a run that ends is never graded below 1.
        QTest::newRow("5: 50 %") << 5 << 50 << 2;
        QTest::newRow("5: 70 %") << 5 << 70 << 4;
        QTest::newRow("5: 0 %") << 5 << 0 << 1;
    }
    void gradeTable() {
        QFETCH(int, scale);
        QFETCH(int, right);
        QFETCH(int, grade);
        ns1_[3].GradeScale = scale;
        writeNs1();
        QStringList answers;
        for (int i = 0; i < 100; ++i)
            answers.append(i < right ? u"1"_s : u"2"_s);
        const Result r = run(u"hundred.tsm"_s, answers.join(u';'));
        QCOMPARE(r.code, 0);
        QCOMPARE(r.json()[u"score"_s].toDouble(), double(right));
        QCOMPARE(r.json()[u"grade"_s].toInt(), grade);
        QCOMPARE(readJournal(journal()).at(0).Grade, grade);
    }

    void seedRepeatsTheRun() {
        const QString answers = u"2;4;2,4;1"_s;
        QSet<QString> runs;
        bool shuffledSomewhere = false;
        for (const QString& seed : {u"1"_s, u"7"_s, u"8"_s, u"4000000000"_s}) {
            const Result first = run(u"shuffled.tsm"_s, answers, {u"--seed"_s, seed});
            const Result again = run(u"shuffled.tsm"_s, answers, {u"--seed"_s, seed});
            QCOMPARE(first.code, 0);
            QCOMPARE(first.json()[u"seed"_s].toInteger(), seed.toLongLong());
            const QJsonArray asked = first.json()[u"asked"_s].toArray();
            QCOMPARE(again.json()[u"asked"_s].toArray(), asked);
            // Whatever is drawn and wherever it is shown, the file's answers count.
            QList<double> points;
            QSet<int> records;
            for (const QJsonValue& q : asked) {
                points.append(q[u"points"_s].toDouble());
                records.insert(q[u"record"_s].toInt());
                if (q[u"shown"_s].toArray() != q[u"answers"_s].toArray())
                    shuffledSomewhere = true;
            }
            QCOMPARE(points, (QList<double>{0.5, 0.5, 1, 0}));
            QCOMPARE(records.size(), 4);
            runs.insert(QString::fromUtf8(QJsonDocument(asked).toJson()));
        }
        QVERIFY(shuffledSomewhere);
        QVERIFY2(runs.size() > 1, "every seed drew the same run");
    }

    void textOutputAndDefaultJournal() {
        QVERIFY(QFile::remove(journal()));
        const Result r = cli({u"run"_s, path(u"math.tsm"_s), u"--name"_s, kName, u"--group"_s,
                              kGroup, u"--answers"_s, u"1;3"_s, u"--seed"_s, u"3"_s});
        QCOMPARE(r.code, 0);
        // A missing journal sends the entry to the one in the program directory.
        const QString fallback = QFileInfo(path(u"jurnal.ocn"_s)).canonicalFilePath();
        QCOMPARE(QString::fromUtf8(r.out).split(u'\n'),
                 (QStringList{u"test: "_s + path(u"math.tsm"_s), u"name: "_s + kName,
                              u"group: "_s + kGroup, u"seed: 3"_s,
                              u"question 1: record 1, answers 1 (shown at 1), points 2"_s,
                              u"question 2: record 2, answers 3 (shown at 3), points 1"_s,
                              u"broken off after 2 of 4 questions"_s, u"score: 3 of 8 (37,5 %)"_s,
                              u"grade: 3 of 12"_s, u"journal: "_s + fallback, QString()}));
        QCOMPARE(readJournal(fallback).size(), size_t(1));
        QVERIFY(!QFile::exists(journal()));
    }

    void refusedRunsWriteNothing_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("remove");
        QTest::addColumn<QString>("says");
        auto call = [](const QString& test, const QString& answers, const QStringList& more = {}) {
            return QStringList{u"run"_s,     test,   u"--name"_s,    kName,
                               u"--group"_s, kGroup, u"--answers"_s, answers} +
                   more;
        };
        const QString math = u"@math.tsm"_s;
        QTest::newRow("blank name") << QStringList{u"run"_s,     math,   u"--name"_s,    u"  "_s,
                                                   u"--group"_s, kGroup, u"--answers"_s, u"1"_s}
                                    << QString() << u"the name is blank"_s;
        QTest::newRow("blank group") << QStringList{u"run"_s,     math,    u"--name"_s,    kName,
                                                    u"--group"_s, u"\t"_s, u"--answers"_s, u"1"_s}
                                     << QString() << u"the group is blank"_s;
        QTest::newRow("no answers")
            << QStringList{u"run"_s, math, u"--name"_s, kName, u"--group"_s, kGroup} << QString()
            << u"run needs --answers"_s;
        QTest::newRow("answer 6") << call(math, u"1;6"_s) << QString()
                                  << u"answer group 2: answer numbers are 1 to 5, not \"6\""_s;
        QTest::newRow("answer 0") << call(math, u"0"_s) << QString() << u"not \"0\""_s;
        QTest::newRow("not a number") << call(math, u"1;2,x"_s) << QString() << u"not \"x\""_s;
        QTest::newRow("answer twice")
            << call(math, u"1,1"_s) << QString() << u"answer 1 is given twice"_s;
        QTest::newRow("a blank answer")
            << call(math, u"5"_s) << QString() << u"answer group 1: record 1 has no answer 5"_s;
        QTest::newRow("more groups than questions")
            << call(math, u"1;1;1;1;1"_s) << QString() << u"5 answer groups for a run of 4"_s;
        QTest::newRow("more groups than drawn") << call(u"@shuffled.tsm"_s, u"1;1;1;1;1"_s)
                                                << QString() << u"5 answer groups for a run of 4"_s;
        QTest::newRow("more groups than in the file")
            << call(u"@shuffled.tsm"_s, u"1;1;1;1;1;1;1"_s, {u"--in-file-order"_s}) << QString()
            << u"7 answer groups for a run of 6"_s;
        QTest::newRow("more groups than four levels ask")
            << call(u"@levels.tsr"_s, u"1;1;1;1;1;1"_s) << QString()
            << u"6 answer groups for a run of 5"_s;
        QTest::newRow("negative seed")
            << call(math, u"1"_s, {u"--seed"_s, u"-1"_s}) << QString() << u"--seed must be"_s;
        QTest::newRow("bad time") << call(math, u"1"_s, {u"--at"_s, u"вчора"_s}) << QString()
                                  << u"--at must be"_s;
        QTest::newRow("unknown option")
            << call(math, u"1"_s, {u"--fast"_s}) << QString() << u"unknown option --fast"_s;
        QTest::newRow("two tests")
            << call(math, u"1"_s, {math}) << QString() << u"run takes one TEST"_s;
        QTest::newRow("no such test")
            << call(u"@none.tsm"_s, u"1"_s) << QString() << u"no such test file"_s;
        QTest::newRow("not a test")
            << call(u"@test.ns1"_s, u"1"_s) << QString() << u"must end in .tsm or .tsr"_s;
        QTest::newRow("no parameter file")
            << call(u"@levels.tsr"_s, u"1"_s) << u"test.ns2"_s << u"Не існує файла настройки"_s;
        QTest::newRow("no parameters for the test")
            << call(u"@orphan.tsm"_s, u"1"_s) << QString()
            << u"Відсутні дані про тестовий файл у файлі настройки!"_s;
        QTest::newRow("question count changed")
            << call(u"@changed.tsm"_s, u"1"_s) << QString()
            << u"Кількість записів у файлі було ЗМІНЕНО!!! ЗМІНІТЬ"_s;
        QTest::newRow("parameters refused") << call(u"@nopoints.tsm"_s, u"1"_s) << QString()
                                            << u"балів за запитання має бути більше 0"_s;
    }
    void refusedRunsWriteNothing() {
        QFETCH(QStringList, args);
        QFETCH(QString, remove);
        QFETCH(QString, says);
        if (!remove.isEmpty())
            QVERIFY(QFile::remove(path(remove)));
        // An earlier run's block and entry, which must stay as they are.
        QCOMPARE(run(u"math.tsm"_s, u"1;1,3;2,4,5;"_s).code, 0);
        const QMap<QString, QByteArray> before = snapshot();
        QVERIFY(before.contains(u"result.txt"_s));

        for (QString& a : args)
            if (a.startsWith(u'@'))
                a = path(a.mid(1));
        const Result r = cli(args);
        QCOMPARE(r.code, 2);
        QCOMPARE(r.out, QByteArray());
        const QString err = QString::fromUtf8(r.err);
        QVERIFY2(err.startsWith(u"zorvik-cli run: "_s) && err.endsWith(u'\n') &&
                     err.count(u'\n') == 1,
                 qPrintable(err));
        QVERIFY2(err.contains(says), qPrintable(err));
        const QMap<QString, QByteArray> after = snapshot();
        QCOMPARE(after.keys(), before.keys());
        for (const QString& f : before.keys())
            QVERIFY2(after[f] == before[f], qPrintable(f));
    }

    // The same answers through the name and testing windows write the same
    // result-log block and journal entry, byte for byte.
    void sameAsTheTestingWindow_data() {
        QTest::addColumn<QString>("test");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<quint32>("seed");
        QTest::newRow("one level") << u"math.tsm"_s << u"1;3;2,5;"_s << 1u;
        QTest::newRow("one level, broken off") << u"math.tsm"_s << u"1;1,3"_s << 1u;
        QTest::newRow("drawn and shuffled") << u"shuffled.tsm"_s << u"2;4;2,4;1"_s << 7u;
        QTest::newRow("drawn and shuffled, broken off") << u"shuffled.tsm"_s << u"4,2"_s << 11u;
        QTest::newRow("four levels, going back") << u"levels.tsr"_s << u"1;2;2;3;1,3"_s << 3u;
        QTest::newRow("four levels, broken off") << u"levels.tsr"_s << u"1"_s << 3u;
    }
    void sameAsTheTestingWindow() {
        QFETCH(QString, test);
        QFETCH(QString, answers);
        QFETCH(quint32, seed);

        const QByteArray journalBefore = bytesOf(u"9a.ocn"_s);
        const Result r = run(test, answers, {u"--seed"_s, QString::number(seed)});
        QCOMPARE(r.code, 0);
        const QJsonArray asked = r.json()[u"asked"_s].toArray();
        const bool interrupted = r.json()[u"interrupted"_s].toBool();
        const QByteArray cliLog = bytesOf(u"result.txt"_s);
        QVERIFY(!cliLog.isEmpty());
        const QByteArray cliJournal = bytesOf(u"9a.ocn"_s);
        QVERIFY(QFile::remove(path(u"result.txt"_s)));
        writeFile(u"9a.ocn"_s, journalBefore);

        // The testing command, then the name window, as the program runs them.
        AppState state;
        state.ProgramDir = dir_.path();
        state.TestFileName = path(test);
        state.TestFileExt = test.right(4);
        state.TestDir = dir_.path();
        const ParamsCheck found =
            test.endsWith(u".tsr"_s) ? checkParamsTsr(state) : checkParamsTsm(state);
        QCOMPARE(found, ParamsCheck::Ok);
        ScriptedServices scripted;
        SeededServices services(scripted, seed);
        AppContext ctx{state, services, {}};
        NameWindow names(ctx, nullptr);
        PlainTestingWindow plain(ctx, nullptr);
        GoBackTestingWindow goBack(ctx, nullptr);
        for (QWidget* w : std::initializer_list<QWidget*>{&names, &plain, &goBack})
            ctx.windows.add(w);

        bool ran = false;
        scripted.modalHandlers.push_back([&](QDialog* d) {
            auto* w = qobject_cast<TestingWindow*>(d);
            if (!w)
                return -1;
            w->show();
            ran = true;
            [&] {
                const std::array<QCheckBox*, 5> boxes{w->CheckBox1, w->CheckBox2, w->CheckBox3,
                                                      w->CheckBox4, w->CheckBox5};
                const std::array<QLabel*, 5> slotLabels{w->Label16, w->Label17, w->Label18,
                                                        w->Label19, w->Label20};
                for (const QJsonValue& q : asked) {
                    const QJsonArray ticked = q[u"answers"_s].toArray();
                    const QJsonArray shown = q[u"shown"_s].toArray();
                    for (qsizetype i = 0; i < ticked.size(); ++i) {
                        QCheckBox* box = boxes[static_cast<size_t>(ticked[i].toInt() - 1)];
                        // The box of the file's answer stands where the command said.
                        QCOMPARE(box->y(),
                                 slotLabels[static_cast<size_t>(shown[i].toInt() - 1)]->y());
                        QTest::mouseClick(box, Qt::LeftButton);
                    }
                    QTest::mouseClick(w->Button1, Qt::LeftButton);
                }
                QCOMPARE(w->Button3->isEnabled(), !interrupted);
            }();
            w->close(); // the student closes the window, or leaves when it ended
            return w->result();
        });
        names.show();
        names.Edit1->insert(kName);
        names.Edit2->insert(kGroup);
        QTest::mouseClick(names.Button1, Qt::LeftButton);
        QVERIFY(ran);
        QVERIFY(scripted.allUsed());
        QVERIFY2(scripted.messages.isEmpty(), qPrintable(scripted.messageTexts().join(u'\n')));

        QCOMPARE(bytesOf(u"result.txt"_s), cliLog);
        QCOMPARE(bytesOf(u"9a.ocn"_s), cliJournal);
        QCOMPARE(cliJournal.size(), journalBefore.size() + JournalRecord::Size);
    }
};

QTEST_MAIN(CliRunTest)
#include "tst_cli_run.moc"
