// The editor's commands that change the test file: saving (with the long
// question rules), inserting, appending and deleting.
#include "editorfixture.h"
#include "support/faultyfs.h"

#include "core/cp1251.h"

#include <QFile>
#include <QFileInfo>
#include <QRadioButton>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

namespace {
const QString kLongQuestion =
    u"Довжина запису у полі більша за 255 символів!\r"
    u"Запис у тестовому файлі буде урізано до 255 символів!\r"
    u"Для збереження всього тексту у полі його можна зберегти в окремому файлі.\r"
    u"Так - збереже текст поля повністю в окремому файлі\r"
    u"Ні або Скасувати - відбудеться урізання тексту до 255 символів"_s;

} // namespace

class EditorSaveTest : public QObject {
    Q_OBJECT

private slots:
    void saveTrimsButThePromptDoesNot() {
        EditorFixture f;
        writeNumbered(f.path(u"s.tsm"_s), TestKind::Tsm, 2);
        QVERIFY(f.open(u"s.tsm"_s, TestKind::Tsm));
        f.type(u"Memo1"_s, u"  Скільки буде 2 + 2?\n"_s);
        f.type(u"Memo2"_s, u" 4 "_s);
        f.w<QCheckBox>(u"CheckBox1"_s)->click();
        f.click(u"Button1"_s);
        QVERIFY(!f.dirty());
        Question q = readQuestions(f.path(u"s.tsm"_s), TestKind::Tsm).at(1);
        QCOMPARE(q.Question, u"Скільки буде 2 + 2?"_s);
        QCOMPARE(q.Answer1, u"4"_s);
        QVERIFY(q.Correct1);

        f.type(u"Memo2"_s, u" 5 "_s);
        f.answer({MsgAnswer::Yes});
        f.click(u"Button6"_s);
        q = readQuestions(f.path(u"s.tsm"_s), TestKind::Tsm).at(1);
        QCOMPARE(q.Question, u"  Скільки буде 2 + 2?\r\n"_s);
        QCOMPARE(q.Answer1, u" 5 "_s);
        QCOMPARE(f.text(u"Memo1"_s), u"Q2"_s);
    }

    void fieldLengths_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("asks");
        QTest::newRow("255 after trimming") << 255 << false;
        QTest::newRow("256") << 256 << true;
    }
    void fieldLengths() {
        QFETCH(int, length);
        QFETCH(bool, asks);
        EditorFixture f;
        writeNumbered(f.path(u"l.tsr"_s), TestKind::Tsr, 1);
        QVERIFY(f.open(u"l.tsr"_s, TestKind::Tsr));
        const QString text(length, u'ї');
        f.type(u"Memo1"_s, u"   "_s + text + u"  "_s);
        f.type(u"Memo3"_s, QString(300, u'a'));
        if (asks)
            f.answer({MsgAnswer::No});
        f.click(u"Button1"_s);
        QCOMPARE(f.services.messageTexts(), asks ? QStringList{kLongQuestion} : QStringList{});
        const Question q = readQuestions(f.path(u"l.tsr"_s), TestKind::Tsr).at(1);
        QCOMPARE(q.Question, text.left(255));
        QVERIFY(!q.QuestionInTextFile);
        QCOMPARE(q.Answer2, QString(255, u'a'));
        QVERIFY(!f.dirty());
    }

    // A long question kept in a field text file: written whole in
    // Windows-1251 with CR LF, the record names the file, and later saves
    // (the button or the prompt) rewrite that file instead of cutting the text.
    void longQuestionInItsTextFile() {
        EditorFixture f;
        f.state.TestDir = f.dir.path();
        writeNumbered(f.path(u"long.tsm"_s), TestKind::Tsm, 2);
        QVERIFY(f.open(u"long.tsm"_s, TestKind::Tsm));
        const QString text = u" Перший рядок\n"_s + QString(300, u'ж');
        f.type(u"Memo1"_s, text);
        const QString file = f.path(u"q1.txt"_s);
        f.answer({MsgAnswer::Yes});
        f.services.fileAnswers.push_back({file, 1});
        f.click(u"Button1"_s);
        const FileDialogSpec& request = f.services.fileDialogs.first();
        QCOMPARE(request.title, u"Записати запитання у текстовий файл"_s);
        QCOMPARE(request.filter, u"Текстові файли (*.txt)|*.txt"_s);
        QCOMPARE(request.defaultExt, u"txt"_s);
        QCOMPARE(request.initialDir, f.dir.path());
        QCOMPARE(readWholeFile(file),
                 toCp1251(u" Перший рядок\r\n"_s + QString(300, u'ж')) + "\r\n");
        Question q = readQuestions(f.path(u"long.tsm"_s), TestKind::Tsm).at(1);
        QCOMPARE(q.Question, file);
        QVERIFY(q.QuestionInTextFile);
        QCOMPARE(f.w(u"Memo1"_s)->toolTip(), file);
        QVERIFY(!f.dirty());

        // Shown again, the question is read from its file; saving keeps the link.
        f.click(u"Button6"_s);
        f.click(u"Button4"_s);
        QCOMPARE(f.text(u"Memo1"_s), text);
        f.type(u"Memo1"_s, text + u" змінено"_s);
        f.click(u"Button1"_s);
        QVERIFY(f.services.messages.size() == 1); // no second long-question message
        QCOMPARE(readWholeFile(file).right(10), toCp1251(u" змінено"_s) + "\r\n");
        q = readQuestions(f.path(u"long.tsm"_s), TestKind::Tsm).at(1);
        QCOMPARE(q.Question, file);
        QVERIFY(q.QuestionInTextFile);

        // The prompt's Yes keeps the record and its file in step too.
        f.type(u"Memo1"_s, text + u" ще раз"_s);
        f.answer({MsgAnswer::Yes});
        f.click(u"Button6"_s);
        QCOMPARE(fromCp1251(readWholeFile(file)), fieldTextToRecordForTest(text + u" ще раз"_s));
        QVERIFY(readQuestions(f.path(u"long.tsm"_s), TestKind::Tsm).at(1).QuestionInTextFile);

        // A question made short again goes back into its record.
        f.click(u"Button4"_s);
        f.type(u"Memo1"_s, u"коротке"_s);
        f.click(u"Button1"_s);
        q = readQuestions(f.path(u"long.tsm"_s), TestKind::Tsm).at(1);
        QCOMPARE(q.Question, u"коротке"_s);
        QVERIFY(!q.QuestionInTextFile);
    }

    void longQuestionOnThePromptAsks() {
        EditorFixture f;
        writeNumbered(f.path(u"p.tsm"_s), TestKind::Tsm, 2);
        QVERIFY(f.open(u"p.tsm"_s, TestKind::Tsm));
        f.type(u"Memo1"_s, QString(256, u'x'));
        f.answer({MsgAnswer::Yes, MsgAnswer::No});
        f.click(u"Button6"_s);
        QCOMPARE(f.services.messageTexts(),
                 (QStringList{u"Текст змінено! Зберегти?"_s, kLongQuestion}));
        QCOMPARE(readQuestions(f.path(u"p.tsm"_s), TestKind::Tsm).at(1).Question,
                 QString(255, u'x'));
        QCOMPARE(f.text(u"Memo1"_s), u"Q2"_s);
    }

    // The chosen file exists and is not to be overwritten, or no file is
    // chosen: nothing is written and the window keeps its changes.
    void longQuestionNotSaved_data() {
        QTest::addColumn<bool>("exists");
        QTest::newRow("existing file, not overwritten") << true;
        QTest::newRow("no file chosen") << false;
    }
    void longQuestionNotSaved() {
        QFETCH(bool, exists);
        EditorFixture f;
        writeNumbered(f.path(u"e.tsm"_s), TestKind::Tsm, 1);
        const QByteArray before = readWholeFile(f.path(u"e.tsm"_s));
        const QString file = f.path(u"old.txt"_s);
        writeFileAtomically(file, "old\r\n");
        QVERIFY(f.open(u"e.tsm"_s, TestKind::Tsm));
        f.type(u"Memo1"_s, QString(400, u'q'));
        if (exists) {
            f.answer({MsgAnswer::Yes, MsgAnswer::No});
            f.services.fileAnswers.push_back({file, 1});
        } else {
            f.answer({MsgAnswer::Yes});
            f.services.fileAnswers.push_back({});
        }
        f.click(u"Button1"_s);
        if (exists)
            QCOMPARE(f.services.messageTexts().last(),
                     u"Файл "_s + file + u" вже існує!\rПереписати?"_s);
        QCOMPARE(readWholeFile(file), QByteArray("old\r\n"));
        QCOMPARE(readWholeFile(f.path(u"e.tsm"_s)), before);
        QVERIFY(f.dirty());
        QCOMPARE(f.text(u"Memo1"_s), QString(400, u'q'));
    }

    void insertOnTheOnlyQuestion() {
        EditorFixture f;
        Question q1 = question(u"Q1"_s, TestKind::Tsm);
        q1.Answer1 = u"a"_s;
        q1.Correct2 = true;
        writeQuestions(f.path(u"a.tsm"_s), TestKind::Tsm, {q1});
        QVERIFY(f.open(u"a.tsm"_s, TestKind::Tsm));
        f.click(u"Button9"_s);
        QCOMPARE(f.numbers(), u"1 of 2"_s);
        QCOMPARE(f.text(u"Memo1"_s), QString());
        QCOMPARE(f.text(u"Memo2"_s), QString());
        QVERIFY(!f.w<QCheckBox>(u"CheckBox2"_s)->isChecked());
        QVERIFY(!f.dirty());
        // The empty question is in the file at once: moving on loses nothing
        // and repeats nothing.
        f.click(u"Button6"_s);
        const QList<Question> all = readQuestions(f.path(u"a.tsm"_s), TestKind::Tsm);
        QCOMPARE(all.size(), 3);
        QCOMPARE(all.at(1), emptyQuestion(TestKind::Tsm));
        QCOMPARE(all.at(2), q1);
        QCOMPARE(f.text(u"Memo2"_s), u"a"_s);
    }

    void insertOnTheLastOfThree() {
        EditorFixture f;
        writeNumbered(f.path(u"i.tsr"_s), TestKind::Tsr, 3);
        QVERIFY(f.open(u"i.tsr"_s, TestKind::Tsr));
        f.answer({MsgAnswer::No});
        f.click(u"Button7"_s);
        f.click(u"Button9"_s);
        QCOMPARE(questionTexts(f.path(u"i.tsr"_s), TestKind::Tsr),
                 (QStringList{u"R0"_s, u"Q1"_s, u"Q2"_s, u""_s, u"Q3"_s}));
        QCOMPARE(readQuestions(f.path(u"i.tsr"_s), TestKind::Tsr).at(3),
                 emptyQuestion(TestKind::Tsr));
        QCOMPARE(f.numbers(), u"3 of 4"_s);
        QVERIFY(f.w<QRadioButton>(u"RadioButton1"_s)->isChecked());
        QVERIFY(f.w(u"Image1"_s)->isHidden());
    }

    void insertAsksAboutChangesFirst() {
        EditorFixture f;
        writeNumbered(f.path(u"ia.tsm"_s), TestKind::Tsm, 2);
        QVERIFY(f.open(u"ia.tsm"_s, TestKind::Tsm));
        f.type(u"Memo1"_s, u"kept"_s);
        f.answer({MsgAnswer::Yes});
        f.click(u"Button9"_s);
        QCOMPARE(questionTexts(f.path(u"ia.tsm"_s), TestKind::Tsm),
                 (QStringList{u"R0"_s, u""_s, u"kept"_s, u"Q2"_s}));
    }

    void deleteTheOnlyQuestionKeepsThePicture() {
        EditorFixture f;
        Question q = question(u"Q1"_s, TestKind::Tsr);
        q.Answer3 = u"c"_s;
        q.PictureFile = f.path(u"p.bmp"_s);
        q.AudioFile = u"s.wav"_s;
        q.LevelHigh = true;
        q.LevelLow = false;
        q.Correct1 = true;
        writeQuestions(f.path(u"only.tsr"_s), TestKind::Tsr, {q});
        f.answer({MsgAnswer::Ok}); // the picture is missing
        QVERIFY(f.open(u"only.tsr"_s, TestKind::Tsr));
        f.w<QLineEdit>(u"Memo6"_s)->setText(q.PictureFile); // as the picture command would
        f.click(u"Button1"_s);
        f.answer({MsgAnswer::Yes});
        f.click(u"Button8"_s);
        QCOMPARE(f.services.messageTexts().last(), u"Запис буде знищено!"_s);
        const QList<Question> all = readQuestions(f.path(u"only.tsr"_s), TestKind::Tsr);
        QCOMPARE(all.size(), 2);
        Question expected = emptyQuestion(TestKind::Tsr);
        expected.PictureFile = q.PictureFile;
        QCOMPARE(all.at(1), expected);
        QCOMPARE(f.numbers(), u"1 of 1"_s);
        QCOMPARE(f.text(u"Memo6"_s), q.PictureFile);
        QCOMPARE(f.text(u"Memo3"_s), QString());
        QVERIFY(f.w<QRadioButton>(u"RadioButton1"_s)->isChecked());
        QVERIFY(f.dirty());
    }

    void deleteNotConfirmed_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("No") << int(MsgAnswer::No);
        QTest::newRow("Cancel") << int(MsgAnswer::Cancel);
    }
    void deleteNotConfirmed() {
        QFETCH(int, answer);
        EditorFixture f;
        writeNumbered(f.path(u"dn.tsm"_s), TestKind::Tsm, 3);
        const QByteArray before = readWholeFile(f.path(u"dn.tsm"_s));
        QVERIFY(f.open(u"dn.tsm"_s, TestKind::Tsm));
        f.answer({MsgAnswer(answer)});
        f.click(u"Button8"_s);
        QCOMPARE(readWholeFile(f.path(u"dn.tsm"_s)), before);
        QCOMPARE(f.text(u"Memo1"_s), u"Q1"_s);
    }

    void deleteTheLast() {
        EditorFixture f;
        writeNumbered(f.path(u"dl.tsm"_s), TestKind::Tsm, 3);
        QVERIFY(f.open(u"dl.tsm"_s, TestKind::Tsm));
        f.answer({MsgAnswer::No});
        f.click(u"Button7"_s);
        f.type(u"Memo1"_s, u"unsaved changes of the deleted question"_s);
        f.answer({MsgAnswer::Yes, MsgAnswer::No});
        f.click(u"Button8"_s);
        QCOMPARE(f.services.messageTexts().mid(1),
                 (QStringList{u"Запис буде знищено!"_s, u"Останній запис! Добавити запис?"_s}));
        QCOMPARE(questionTexts(f.path(u"dl.tsm"_s), TestKind::Tsm),
                 (QStringList{u"R0"_s, u"Q1"_s, u"Q2"_s}));
        QCOMPARE(f.text(u"Memo1"_s), u"Q2"_s);
        QCOMPARE(f.numbers(), u"2 of 2"_s);
        QVERIFY(!f.dirty());
    }

    void deleteInTheMiddle() {
        EditorFixture f;
        writeNumbered(f.path(u"dm.tsr"_s), TestKind::Tsr, 5);
        QVERIFY(f.open(u"dm.tsr"_s, TestKind::Tsr));
        f.type(u"Edit2"_s, u"3"_s);
        QTest::keyClick(f.w(u"Edit2"_s), Qt::Key_Return);
        f.answer({MsgAnswer::Yes});
        f.click(u"Button8"_s);
        QCOMPARE(questionTexts(f.path(u"dm.tsr"_s), TestKind::Tsr),
                 (QStringList{u"R0"_s, u"Q1"_s, u"Q2"_s, u"Q4"_s, u"Q5"_s}));
        QCOMPARE(f.text(u"Memo1"_s), u"Q4"_s);
        QCOMPARE(f.numbers(), u"3 of 4"_s);
        QCOMPARE(f.text(u"Edit2"_s), u"3"_s);
    }

    void deleteWithoutQuestionsIsRefused_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("one-level") << int(TestKind::Tsm);
        QTest::newRow("four-level") << int(TestKind::Tsr);
    }
    void deleteWithoutQuestionsIsRefused() {
        QFETCH(int, kind);
        EditorFixture f;
        writeFileAtomically(f.path(u"none"_s), QByteArray());
        QVERIFY(f.open(u"none"_s, TestKind(kind)));
        f.answer({MsgAnswer::Ok});
        f.click(u"Button8"_s);
        QCOMPARE(f.services.messageTexts(),
                 QStringList{u"Дія неможлива!\rУ файлі відсутні запитання!"_s});
        QCOMPARE(QFileInfo(f.path(u"none"_s)).size(), 0);
    }

    // A file without questions shows an empty question 1; its first save
    // makes a reserved record 0 and writes the question as record 1.
    void fileWithoutQuestions_data() {
        QTest::addColumn<int>("records");
        QTest::newRow("empty file") << 0;
        QTest::newRow("reserved record only") << 1;
    }
    void fileWithoutQuestions() {
        QFETCH(int, records);
        EditorFixture f;
        writeNumbered(f.path(u"w.tsr"_s), TestKind::Tsr, 0);
        if (records == 0)
            writeFileAtomically(f.path(u"w.tsr"_s), QByteArray());
        QVERIFY(f.open(u"w.tsr"_s, TestKind::Tsr));
        QCOMPARE(f.numbers(), u"1 of 1"_s);
        QCOMPARE(f.editor->windowTitle(), u"Редагування тестового файлу - "_s + f.path(u"w.tsr"_s));
        QVERIFY(!f.w(u"GroupBox1"_s)->isHidden());
        QCOMPARE(f.text(u"Memo1"_s), QString());
        // Moving does not read record 0.
        f.click(u"Button4"_s);
        f.click(u"Button5"_s);
        f.type(u"Edit2"_s, u"0"_s);
        f.answer({MsgAnswer::Ok});
        QTest::keyClick(f.w(u"Edit2"_s), Qt::Key_Return);
        QCOMPARE(f.services.messageTexts(), QStringList{u"Вихід за межі записів!"_s});

        f.type(u"Memo1"_s, u"Перше"_s);
        f.click(u"Button1"_s);
        const QList<Question> all = readQuestions(f.path(u"w.tsr"_s), TestKind::Tsr);
        QCOMPARE(all.size(), 2);
        QCOMPARE(all.at(0).Question, records == 1 ? u"R0"_s : QString());
        QCOMPARE(all.at(1).Question, u"Перше"_s);
        QVERIFY(all.at(1).LevelLow);
        QCOMPARE(f.numbers(), u"1 of 1"_s);
    }

    void appendTakesTheLevelShown() {
        EditorFixture f;
        Question high = question(u"Q2"_s, TestKind::Tsr);
        high.LevelLow = false;
        high.LevelSufficient = true;
        writeQuestions(f.path(u"ap.tsr"_s), TestKind::Tsr,
                       {question(u"Q1"_s, TestKind::Tsr), high});
        QVERIFY(f.open(u"ap.tsr"_s, TestKind::Tsr));
        f.answer({MsgAnswer::Yes});
        f.click(u"Button7"_s);
        const QList<Question> all = readQuestions(f.path(u"ap.tsr"_s), TestKind::Tsr);
        QCOMPARE(all.size(), 4);
        Question expected = emptyQuestion(TestKind::Tsr);
        expected.LevelLow = false;
        expected.LevelSufficient = true;
        QCOMPARE(all.at(3), expected);
        QCOMPARE(f.numbers(), u"3 of 3"_s);
        QCOMPARE(f.text(u"Memo1"_s), QString());
        QVERIFY(!f.dirty());
    }

    // A disk failing half way through Insert or Delete loses nothing: the
    // file is as before, the window says so and shows the question again.
    void failingWriteLosesNothing_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("insert") << u"Button9"_s;
        QTest::newRow("delete") << u"Button8"_s;
        QTest::newRow("append") << u"Button7"_s;
    }
    void failingWriteLosesNothing() {
        QFETCH(QString, button);
        EditorFixture f;
        writeNumbered(f.path(u"f.tsm"_s), TestKind::Tsm, 4);
        const QByteArray before = readWholeFile(f.path(u"f.tsm"_s));
        QVERIFY(f.open(u"f.tsm"_s, TestKind::Tsm));
        f.click(u"Button6"_s);
        testing::FaultyFileSystem fs;
        const Storage full(fs);
        f.editor->session().setStorage(full);
        fs.arm(testing::FaultyFileSystem::Fault::ShortWrite, 1);
        if (button == u"Button8"_s)
            f.answer({MsgAnswer::Yes});
        if (button == u"Button7"_s)
            f.answer({MsgAnswer::Yes});
        f.answer({MsgAnswer::Ok});
        f.click(button);
        QVERIFY(f.services.messageTexts().last().startsWith(u"Помилка вводу/виводу!\r"_s));
        QVERIFY(f.services.messageTexts().last().endsWith(systemReason(ENOSPC)));
        QCOMPARE(readWholeFile(f.path(u"f.tsm"_s)), before);
        const qint64 shown = button == u"Button7"_s ? 4 : 2;
        QCOMPARE(f.editor->session().position(), shown);
        QCOMPARE(f.text(u"Memo1"_s), u"Q%1"_s.arg(shown));
        QCOMPARE(f.numbers(), u"%1 of 4"_s.arg(shown));
    }

    void failingSaveKeepsTheChanges() {
        EditorFixture f;
        writeNumbered(f.path(u"fs.tsm"_s), TestKind::Tsm, 2);
        const QByteArray before = readWholeFile(f.path(u"fs.tsm"_s));
        QVERIFY(f.open(u"fs.tsm"_s, TestKind::Tsm));
        testing::FaultyFileSystem fs;
        const Storage full(fs);
        f.editor->session().setStorage(full);
        fs.failWritesTo("fs.tsm");
        f.type(u"Memo1"_s, u"new text"_s);
        f.answer({MsgAnswer::Ok});
        f.click(u"Button1"_s);
        QCOMPARE(readWholeFile(f.path(u"fs.tsm"_s)), before);
        QVERIFY(f.dirty());
        // The prompt's Yes failing stops the command: the window stays.
        f.answer({MsgAnswer::Yes, MsgAnswer::Ok});
        f.click(u"Button6"_s);
        QCOMPARE(f.text(u"Memo1"_s), u"new text"_s);
        QCOMPARE(f.editor->session().position(), 1);
        QVERIFY(f.dirty());
    }

    // The editor keeps writing to its own file whatever the program-wide
    // test file is set to meanwhile.
    void savesGoToTheEditorsOwnFile() {
        EditorFixture f;
        writeNumbered(f.path(u"mine.tsm"_s), TestKind::Tsm, 2);
        writeNumbered(f.path(u"other.tsr"_s), TestKind::Tsr, 2);
        QVERIFY(f.open(u"mine.tsm"_s, TestKind::Tsm));
        f.state.TestFileName = f.path(u"other.tsr"_s);
        f.state.TestFileExt = u".tsr"_s;
        f.state.TsrFile.openExisting(f.path(u"other.tsr"_s), TsrRecord::Size);
        f.type(u"Memo1"_s, u"mine"_s);
        f.click(u"Button1"_s);
        f.click(u"Button9"_s);
        QCOMPARE(questionTexts(f.path(u"mine.tsm"_s), TestKind::Tsm),
                 (QStringList{u"R0"_s, u""_s, u"mine"_s, u"Q2"_s}));
        QCOMPARE(questionTexts(f.path(u"other.tsr"_s), TestKind::Tsr),
                 (QStringList{u"R0"_s, u"Q1"_s, u"Q2"_s}));
    }

    // The file was deleted, or another put in its place, since it was opened:
    // nothing is written before the teacher says where the change goes.
    void fileGoneOrReplacedSinceOpening_data() {
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<int>("answer");
        QTest::newRow("deleted, created again") << false << int(MsgAnswer::Yes);
        QTest::newRow("deleted, saved elsewhere") << false << int(MsgAnswer::No);
        QTest::newRow("deleted, cancelled") << false << int(MsgAnswer::Cancel);
        QTest::newRow("replaced, into the new file") << true << int(MsgAnswer::Yes);
        QTest::newRow("replaced, saved elsewhere") << true << int(MsgAnswer::No);
        QTest::newRow("replaced, cancelled") << true << int(MsgAnswer::Cancel);
    }
    void fileGoneOrReplacedSinceOpening() {
        QFETCH(bool, replaced);
        QFETCH(int, answer);
        EditorFixture f;
        const QString mine = f.path(u"mine.tsm"_s);
        const QString elsewhere = f.path(u"copy.tsm"_s);
        writeNumbered(mine, TestKind::Tsm, 3);
        QVERIFY(f.open(u"mine.tsm"_s, TestKind::Tsm));
        f.click(u"Button6"_s); // question 2
        QVERIFY(QFile::remove(mine));
        if (replaced)
            writeQuestions(mine, TestKind::Tsm,
                           {question(u"B1"_s, TestKind::Tsm), question(u"B2"_s, TestKind::Tsm)});
        const auto textsOf = [](const QString& p) {
            return QFileInfo::exists(p) ? questionTexts(p, TestKind::Tsm) : QStringList();
        };
        const QStringList before = textsOf(mine);
        f.type(u"Memo1"_s, u"changed"_s);
        f.answer({MsgAnswer(answer)});
        if (MsgAnswer(answer) == MsgAnswer::No)
            f.services.fileAnswers.push_back({elsewhere, 1});
        f.click(u"Button1"_s);
        QCOMPARE(f.services.messages.size(), 1);
        QVERIFY(f.services.messages[0].text.startsWith(u"Файл "_s + mine));
        QVERIFY(f.services.messages[0].text.contains(replaced ? u"замінено"_s : u"вилучено"_s));
        const QStringList changed{u"R0"_s, u"Q1"_s, u"changed"_s, u"Q3"_s};
        switch (MsgAnswer(answer)) {
        case MsgAnswer::Yes:
            QCOMPARE(questionTexts(mine, TestKind::Tsm),
                     replaced ? (QStringList{u"R0"_s, u"B1"_s, u"changed"_s}) : changed);
            QVERIFY(!f.dirty());
            break;
        case MsgAnswer::No:
            QCOMPARE(questionTexts(elsewhere, TestKind::Tsm), changed);
            QCOMPARE(textsOf(mine), before);
            QVERIFY(f.editor->windowTitle().endsWith(elsewhere));
            break;
        default:
            QCOMPARE(textsOf(mine), before);
            QVERIFY(f.dirty());
        }
        QVERIFY(f.services.allUsed());
    }

private:
    static QString fieldTextToRecordForTest(const QString& text) {
        QString s = text;
        s.replace(u'\n', u"\r\n"_s);
        return s + u"\r\n"_s;
    }
};

QTEST_MAIN(EditorSaveTest)
#include "tst_editorsave.moc"
