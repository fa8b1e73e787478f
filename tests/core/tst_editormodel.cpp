// The question editor's rules without its window.
#include "core/atomicfile.h"
#include "core/cp1251.h"
#include "core/editormodel.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {
// Record 0 "R0", then "Q1" .. "Qn".
void writeTestFile(const QString& path, TestKind kind, int questions) {
    QByteArray bytes;
    for (int i = 0; i <= questions; ++i) {
        Question q = emptyQuestion(kind);
        q.Question = i == 0 ? u"R0"_s : u"Q%1"_s.arg(i);
        bytes += encodeQuestion(q, kind);
    }
    writeFileAtomically(path, bytes);
}

Question stored(const QString& path, TestKind kind, int i) {
    const QByteArray bytes = readWholeFile(path);
    const int size = recordSizeOf(kind);
    return decodeQuestion(QByteArrayView(bytes).sliced(qsizetype(i) * size, size), kind);
}
} // namespace

class EditorModelTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

    // A model open on question `at` of a fresh n.tsm of three questions.
    void openAt(EditorModel& m, int at, TestKind kind = TestKind::Tsm) {
        const QString file = path(kind == TestKind::Tsm ? u"n.tsm"_s : u"n.tsr"_s);
        writeTestFile(file, kind, 3);
        m.open(file, kind, u"Редагування тестового файлу - "_s);
        m.goTo(at);
        m.showQuestion(MissingWording::Show);
    }

private slots:
    void saveGoesFromFieldsToBytes() {
        EditorModel m;
        openAt(m, 2);
        QVERIFY(!m.display().dirty);
        QCOMPARE(m.display().title, u"Редагування тестового файлу - "_s + path(u"n.tsm"_s));
        EditorFields f = fieldsOf(m.record());
        f.answers[0] = u"  перша\nвідповідь  "_s;
        f.correct[0] = true;
        f.picture = u" a.png "_s;
        m.markDirty();
        QCOMPARE(m.takeQuestion(u"  Питання\nдруге "_s, true), EditorModel::Take::Taken);
        m.takeFields(f, true);
        m.save();
        const Question q = stored(path(u"n.tsm"_s), TestKind::Tsm, 2);
        // Trimmed, line breaks as CR LF in the record.
        QCOMPARE(q.Question, u"Питання\r\nдруге"_s);
        QCOMPARE(q.Answer1, u"перша\r\nвідповідь"_s);
        QCOMPARE(q.PictureFile, u"a.png"_s);
        QVERIFY(q.Correct1 && !q.QuestionInTextFile);
        // Saving does not decide that the changes note goes: the window does.
        QVERIFY(m.isDirty());
    }

    void longQuestion_data() {
        QTest::addColumn<QString>("answer"); // how the teacher answers the prompt
        QTest::newRow("cut") << u"cut"_s;
        QTest::newRow("own file") << u"file"_s;
    }
    void longQuestion() {
        QFETCH(QString, answer);
        EditorModel m;
        openAt(m, 1);
        const QString longText = QString(300, u'ж') + u"\nкінець"_s;
        QCOMPARE(m.takeQuestion(longText, true), EditorModel::Take::AskFile);
        if (answer == u"cut"_s) {
            QCOMPARE(m.takeQuestion(longText, true, true), EditorModel::Take::Taken);
            QCOMPARE(m.record().Question, QString(255, u'ж'));
            QVERIFY(!m.record().QuestionInTextFile);
            return;
        }
        const QString file = path(u"long.txt"_s);
        m.keepInFile(file, longText);
        QCOMPARE(readWholeFile(file), toCp1251(QString(300, u'ж') + u"\r\nкінець\r\n"_s));
        QCOMPARE(m.record().Question, file);
        QVERIFY(m.record().QuestionInTextFile);
        QCOMPARE(m.display().questionTip, file);
        // Longer still: the file it lives in takes the text without asking.
        QCOMPARE(m.takeQuestion(longText + u"!"_s, true), EditorModel::Take::Taken);
        QVERIFY(readWholeFile(file).endsWith("!\r\n"));
        // Short again: back into the record.
        QCOMPARE(m.takeQuestion(u"коротке"_s, true), EditorModel::Take::Taken);
        QCOMPARE(m.record().Question, u"коротке"_s);
        QVERIFY(!m.record().QuestionInTextFile);
        QVERIFY(m.display().questionTip.isEmpty());
    }

    void missingFieldTextFileKeepsItsName() {
        const QString file = path(u"m.tsm"_s);
        Question q = emptyQuestion(TestKind::Tsm);
        q.Question = path(u"gone.txt"_s);
        q.QuestionInTextFile = true;
        writeFileAtomically(file, encodeQuestion(emptyQuestion(TestKind::Tsm), TestKind::Tsm) +
                                      encodeQuestion(q, TestKind::Tsm));
        EditorModel m;
        m.open(file, TestKind::Tsm, {});
        m.readCurrent();
        const QuestionShown shown = m.showQuestion(MissingWording::Open);
        QCOMPARE(shown.text, u"Відсутній файл "_s + q.Question);
        QVERIFY(shown.message.startsWith(u"Відсутній текстовий файл для поля запитання!\r"_s));
        // Taken as shown: the record still names the file.
        m.takeQuestion(shown.text, true);
        QCOMPARE(m.record().Question, q.Question);
        QVERIFY(m.record().QuestionInTextFile);
        // Typed over: the new text is the question.
        m.takeQuestion(u"нове"_s, true);
        QCOMPARE(m.record().Question, u"нове"_s);
        QVERIFY(!m.record().QuestionInTextFile);
    }

    void deleting() {
        EditorModel m;
        openAt(m, 3);
        m.markDirty();
        QVERIFY(!m.onlyQuestion() && m.atLast());
        m.removeCurrent();
        // The unsaved changes went with the question.
        QVERIFY(!m.isDirty());
        QCOMPARE(m.display().questionCount, 2);

        // The only question is emptied but for its picture, and stays marked changed.
        const QString one = path(u"one.tsr"_s);
        writeTestFile(one, TestKind::Tsr, 1);
        EditorModel only;
        only.open(one, TestKind::Tsr, {});
        only.readCurrent();
        QVERIFY(only.onlyQuestion());
        only.emptyOnlyQuestion(u"pic.png"_s);
        only.save();
        const Question q = stored(one, TestKind::Tsr, 1);
        QCOMPARE(q.Question, QString());
        QCOMPARE(q.PictureFile, u"pic.png"_s);
        QVERIFY(q.LevelLow && !q.LevelMedium && !q.LevelHigh && !q.LevelSufficient);
        QVERIFY(only.isDirty());
    }

    void appendTakesTheLevelShown() {
        EditorModel m;
        openAt(m, 1, TestKind::Tsr);
        m.append(QuestionLevel::High);
        QCOMPARE(m.position(), 4);
        QCOMPARE(levelOf(stored(path(u"n.tsr"_s), TestKind::Tsr, 4)), QuestionLevel::High);
        m.insertEmpty();
        QCOMPARE(m.position(), 4);
        QCOMPARE(m.display().questionCount, 5);
        QCOMPARE(levelOf(m.record()), QuestionLevel::Low);
    }

    void goToTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("question");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<bool>("keepTyped");
        QTest::newRow("number") << u" 3"_s << qint64(3) << QString() << false;
        QTest::newRow("letters") << u"3a"_s << qint64(0) << u"Неправильний тип значення!"_s << true;
        QTest::newRow("empty") << QString() << qint64(0) << u"Неправильний тип значення!"_s << true;
        QTest::newRow("zero") << u"0"_s << qint64(0) << u"Вихід за межі записів!"_s << false;
        QTest::newRow("past the last")
            << u"4"_s << qint64(0) << u"Вихід за межі записів!"_s << false;
    }
    void goToTyped() {
        QFETCH(QString, typed);
        QFETCH(qint64, question);
        QFETCH(QString, refusal);
        QFETCH(bool, keepTyped);
        EditorModel m;
        openAt(m, 1);
        const EditorModel::GoToCheck check = m.checkGoTo(typed);
        QCOMPARE(check.question, question);
        QCOMPARE(check.refusal, refusal);
        QCOMPARE(check.keepTyped, keepTyped);
    }

    void clipboardLevelWord_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("word");
        const auto row = [](const char* name, TestKind kind, QuestionLevel level,
                            const QString& word) {
            QTest::newRow(name) << int(kind) << int(level) << word;
        };
        row("low", TestKind::Tsr, QuestionLevel::Low, u"низький"_s);
        row("medium", TestKind::Tsr, QuestionLevel::Medium, u"середній"_s);
        row("sufficient", TestKind::Tsr, QuestionLevel::Sufficient, u"достатній"_s);
        row("high", TestKind::Tsr, QuestionLevel::High, u"високий"_s);
        // No level selected: the word of the last copy or paste stays.
        row("none", TestKind::Tsr, QuestionLevel::None, u"останнє"_s);
        row("one level", TestKind::Tsm, QuestionLevel::High, u","_s);
    }
    void clipboardLevelWord() {
        QFETCH(int, kind);
        QFETCH(int, level);
        QFETCH(QString, word);
        EditorFields f;
        f.level = QuestionLevel(level);
        QString last = u"останнє"_s;
        const QuestionLine line = copyLine(f, TestKind(kind), last);
        QCOMPARE(line.level, word);
        QCOMPARE(last, word);
        // Pasted back, the level word selects its level again.
        if (TestKind(kind) == TestKind::Tsr && f.level != QuestionLevel::None) {
            EditorFields shown;
            QCOMPARE(pasteLine(line, shown, TestKind::Tsr, last).level, f.level);
        }
    }

    void pasteKeepsWhatTheLineDoesNotName() {
        EditorFields shown;
        shown.questionAndPicture = true;
        shown.level = QuestionLevel::Medium;
        QuestionLine line;
        line.texts[0] = u"а\r\nб"_s;
        line.questionAndPicture = u"true"_s; // not "True": the flag stays
        line.level = u"невідомий"_s;
        line.correct[2] = u"True"_s;
        QString word;
        const EditorFields f = pasteLine(line, shown, TestKind::Tsr, word);
        QCOMPARE(f.question, u"а\nб"_s);
        QVERIFY(f.questionAndPicture);
        QCOMPARE(f.level, QuestionLevel::Medium);
        QCOMPARE(word, u"невідомий"_s);
        QCOMPARE(f.correct, (std::array<bool, 5>{false, false, true, false, false}));
    }
};

QTEST_GUILESS_MAIN(EditorModelTest)
#include "tst_editormodel.moc"
