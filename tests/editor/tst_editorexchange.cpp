// The editor's exchange: the question line through the clipboard, opening a
// text file with the system's program, and the text fields' font and colour.
#include "editorfixture.h"

#include "media/mediafiles.h"
#include "media/picturebox.h"

#include "core/atomicfile.h"

#include <QAction>
#include <QDir>
#include <QRadioButton>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

namespace {
// A line as Copy writes it, from its sixteen tokens.
QString lineOf(const QStringList& tokens) {
    QString line;
    for (const QString& t : tokens)
        line += t + u' ';
    return line;
}

QStringList boxes(const EditorFixture& f) {
    QStringList checked;
    for (int i = 1; i <= 6; ++i)
        if (f.w<QCheckBox>(u"CheckBox%1"_s.arg(i))->isChecked())
            checked.append(QString::number(i));
    return checked;
}

QString level(const EditorFixture& f) {
    for (const char16_t* name :
         {u"RadioButton1", u"RadioButton2", u"RadioButton3", u"RadioButton4"})
        if (f.w<QRadioButton>(QString::fromUtf16(name))->isChecked())
            return QString::fromUtf16(name);
    return {};
}
} // namespace

class EditorExchangeTest : public QObject {
    Q_OBJECT

    // A file with one question that uses every field.
    static void writeFull(EditorFixture& f, const QString& name, TestKind kind) {
        Question q = question(u"Скільки буде 2 + 2?\r\nДругий   рядок"_s, kind);
        q.Answer1 = u"4"_s;
        q.Answer3 = u"3,14"_s;
        q.Answer4 = u"так, звісно"_s;
        q.Answer5 = u"  п'ять  "_s;
        q.AudioFile = u"C:/Звуки/дзвін 1.wav"_s;
        q.Correct1 = true;
        q.Correct4 = true;
        if (kind == TestKind::Tsr) {
            q.LevelLow = false;
            q.LevelSufficient = true;
        }
        writeQuestions(f.path(name), kind, {q});
    }

private slots:
    void copyWritesTheLine_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("level");
        QTest::newRow("one-level") << int(TestKind::Tsm) << u","_s;
        QTest::newRow("four-level") << int(TestKind::Tsr) << u"достатній"_s;
    }
    void copyWritesTheLine() {
        QFETCH(int, kind);
        QFETCH(QString, level);
        EditorFixture f;
        const auto k = TestKind(kind);
        writeFull(f, u"t"_s, k);
        QVERIFY(f.open(u"t"_s, k));
        f.click(u"Button11"_s);
        QCOMPARE(
            f.services.clipboard,
            lineOf({u"Скільки,буде,2,+,2?\r\nДругий,рядок"_s, u"4"_s, u","_s, u"314"_s,
                    u"так,,звісно"_s, u"п'ять"_s, u","_s, u"C:/Звуки/дзвін,1.wav"_s, u","_s,
                    u"False"_s, level, u"True"_s, u"False"_s, u"False"_s, u"True"_s, u"False"_s}));
        QCOMPARE(f.editor->model().levelWord(), level);
        QVERIFY(!f.dirty());
        QVERIFY(f.services.messages.isEmpty());
    }

    // Without a selected level Copy writes the word it last held.
    void levelWordKeepsItsLastValue() {
        EditorFixture f;
        Question q = question(u"Q"_s, TestKind::Tsr);
        q.LevelLow = false;
        writeQuestions(f.path(u"t.tsr"_s), TestKind::Tsr, {q});
        QVERIFY(f.open(u"t.tsr"_s, TestKind::Tsr));
        QCOMPARE(level(f), QString());
        f.click(u"Button11"_s);
        QCOMPARE(f.services.clipboard.split(u' ').at(10), QString()); // two blanks in a row
        f.editor->model().levelWord() = u"середній"_s;
        f.click(u"Button11"_s);
        QCOMPARE(f.services.clipboard.split(u' ').at(10), u"середній"_s);
    }

    void copyThenPasteBetweenKinds() {
        EditorFixture f;
        writeFull(f, u"one.tsm"_s, TestKind::Tsm);
        Question high = question(u"Інше"_s, TestKind::Tsr);
        high.LevelLow = false;
        high.LevelHigh = true;
        high.QuestionAndPicture = true;
        writeQuestions(f.path(u"four.tsr"_s), TestKind::Tsr, {high});
        const QByteArray fourBefore = readWholeFile(f.path(u"four.tsr"_s));

        QVERIFY(f.open(u"one.tsm"_s, TestKind::Tsm));
        f.click(u"Button11"_s);
        QVERIFY(f.open(u"four.tsr"_s, TestKind::Tsr));
        QCOMPARE(level(f), u"RadioButton3"_s);
        f.answer({MsgAnswer::Yes});
        f.click(u"Button12"_s);
        QCOMPARE(f.services.messages.at(0).text, u"Вставити запис із буфера обміну?"_s);
        QCOMPARE(f.services.messages.at(0).buttons, MsgButtons::YesNo);
        QCOMPARE(f.services.messages.at(0).icon, MsgIcon::Confirmation);

        QCOMPARE(f.text(u"Memo1"_s), u"Скільки буде 2 + 2?\nДругий рядок"_s);
        QCOMPARE(f.text(u"Memo2"_s), u"4"_s);
        QCOMPARE(f.text(u"Memo3"_s), u" "_s); // an empty answer comes back as one blank
        QCOMPARE(f.text(u"Memo4"_s), u"314"_s);
        QCOMPARE(f.text(u"Memo5"_s), u"так, звісно"_s);
        QCOMPARE(f.text(u"Memo7"_s), u"п'ять"_s);
        QCOMPARE(f.text(u"Memo8"_s), u"C:/Звуки/дзвін 1.wav"_s);
        QCOMPARE(f.text(u"Memo6"_s), QString()); // no picture: emptied
        QCOMPARE(boxes(f), (QStringList{u"1"_s, u"4"_s}));
        QCOMPARE(level(f), u"RadioButton3"_s); // "," leaves the level
        QCOMPARE(f.editor->model().levelWord(), u","_s);
        QVERIFY(f.dirty());
        // Only the window changed: the user saves.
        QCOMPARE(readWholeFile(f.path(u"four.tsr"_s)), fourBefore);

        // And back: the four-level word goes with the line.
        f.w<QRadioButton>(u"RadioButton4"_s)->setChecked(true);
        f.click(u"Button11"_s);
        QCOMPARE(f.services.clipboard.split(u' ').at(10), u"достатній"_s);
        f.w<QRadioButton>(u"RadioButton1"_s)->setChecked(true);
        f.answer({MsgAnswer::Yes});
        f.click(u"Button12"_s);
        QCOMPARE(level(f), u"RadioButton4"_s);
        QVERIFY(f.services.allUsed());
    }

    void flagsNeedTheirCapitalLetter_data() {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("checksMarks");
        QTest::addColumn<bool>("pictureMark");
        QTest::newRow("True") << u"True"_s << true << true;
        QTest::newRow("False") << u"False"_s << false << false;
        QTest::newRow("true") << u"true"_s << false << true;
        QTest::newRow("FALSE") << u"FALSE"_s << false << true;
    }
    void flagsNeedTheirCapitalLetter() {
        QFETCH(QString, flag);
        QFETCH(bool, checksMarks);
        QFETCH(bool, pictureMark);
        EditorFixture f;
        Question q = question(u"Q"_s, TestKind::Tsm);
        q.Correct2 = true;
        q.QuestionAndPicture = true;
        writeQuestions(f.path(u"t.tsm"_s), TestKind::Tsm, {q});
        QVERIFY(f.open(u"t.tsm"_s, TestKind::Tsm));
        f.services.clipboard = lineOf({u"П"_s, u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u","_s,
                                       u","_s, u","_s, flag, u","_s, flag, flag, flag, flag, flag});
        f.answer({MsgAnswer::Yes});
        f.click(u"Button12"_s);
        for (int i = 1; i <= 5; ++i)
            QCOMPARE(f.w<QCheckBox>(u"CheckBox%1"_s.arg(i))->isChecked(), checksMarks);
        QCOMPARE(f.w<QCheckBox>(u"CheckBox6"_s)->isChecked(), pictureMark);
    }

    void fewerOrMoreBlanks_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("texts"); // Memo1, Memo2, Memo3, Memo7
        QTest::addColumn<QStringList>("marks");
        QTest::newRow("three tokens")
            << u"Питання a b c"_s << QStringList{u"Питання"_s, u"a"_s, u"b"_s, QString()}
            << QStringList{u"6"_s};
        QTest::newRow("twenty tokens")
            << lineOf({u"Q"_s,     u"a"_s,    u"b"_s,    u"c"_s, u"d"_s,     u"e"_s,     u","_s,
                       u","_s,     u","_s,    u"True"_s, u","_s, u"False"_s, u"False"_s, u"False"_s,
                       u"False"_s, u"True"_s, u"True"_s, u"x"_s, u"y"_s,     u"z"_s})
            << QStringList{u"Q"_s, u"a"_s, u"b"_s, u"e"_s} << QStringList{u"5"_s, u"6"_s};
    }
    void fewerOrMoreBlanks() {
        QFETCH(QString, clipboard);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, marks);
        EditorFixture f;
        Question q = question(u"Q"_s, TestKind::Tsr);
        q.Answer5 = u"п'ять"_s;
        q.Correct1 = true;
        q.QuestionAndPicture = true;
        q.LevelLow = false;
        q.LevelMedium = true;
        writeQuestions(f.path(u"t.tsr"_s), TestKind::Tsr, {q});
        QVERIFY(f.open(u"t.tsr"_s, TestKind::Tsr));
        f.services.clipboard = clipboard;
        f.answer({MsgAnswer::Yes});
        f.click(u"Button12"_s);
        QCOMPARE((QStringList{f.text(u"Memo1"_s), f.text(u"Memo2"_s), f.text(u"Memo3"_s),
                              f.text(u"Memo7"_s)}),
                 texts);
        QCOMPARE(boxes(f), marks);
        QCOMPARE(level(f), u"RadioButton2"_s);
        QVERIFY(f.services.messages.size() == 1);
    }

    void pasteAnsweredNoChangesNothing() {
        EditorFixture f;
        writeFull(f, u"t.tsr"_s, TestKind::Tsr);
        QVERIFY(f.open(u"t.tsr"_s, TestKind::Tsr));
        f.editor->model().levelWord() = u"високий"_s;
        f.services.clipboard = lineOf({u"Нове"_s, u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u","_s,
                                       u","_s, u","_s, u"True"_s, u"низький"_s, u"False"_s,
                                       u"False"_s, u"False"_s, u"False"_s, u"True"_s});
        f.answer({MsgAnswer::No});
        f.click(u"Button12"_s);
        QCOMPARE(f.text(u"Memo1"_s), u"Скільки буде 2 + 2?\nДругий   рядок"_s);
        QCOMPARE(f.text(u"Memo8"_s), u"C:/Звуки/дзвін 1.wav"_s);
        QCOMPARE(boxes(f), (QStringList{u"1"_s, u"4"_s}));
        QCOMPARE(level(f), u"RadioButton4"_s);
        QCOMPARE(f.editor->model().levelWord(), u"високий"_s);
        QVERIFY(!f.dirty());
    }

    void pastedPicture_data() {
        QTest::addColumn<QString>("file"); // missing, picture or damaged
        QTest::addColumn<QString>("flag");
        QTest::newRow("missing") << u"missing"_s << u"True"_s;
        QTest::newRow("with the question") << u"picture"_s << u"True"_s;
        QTest::newRow("beside the answers") << u"picture"_s << u"False"_s;
        QTest::newRow("damaged") << u"damaged"_s << u"False"_s;
    }
    void pastedPicture() {
        QFETCH(QString, file);
        QFETCH(QString, flag);
        EditorFixture f;
        // The question shown before has a picture of its own.
        const QString former = f.path(u"former.bmp"_s);
        writePicture(former, Qt::red);
        const QString picture = f.path(u"мій малюнок.bmp"_s);
        if (file == u"picture"_s)
            writePicture(picture);
        else if (file == u"damaged"_s)
            QVERIFY(writeBytes(picture, "BM not a picture"));
        Question q = question(u"Q"_s, TestKind::Tsm);
        q.PictureFile = former;
        writeQuestions(f.path(u"t.tsm"_s), TestKind::Tsm, {q});
        auto* image = f.w<PictureBox>(u"Image1"_s);
        const QRect normal = image->geometry();
        QVERIFY(f.open(u"t.tsm"_s, TestKind::Tsm));
        QString token = picture;
        token.replace(u' ', u',');
        f.services.clipboard =
            lineOf({u"Q"_s, u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, token, u","_s, u","_s, flag,
                    u","_s, u"False"_s, u"False"_s, u"False"_s, u"False"_s, u"False"_s});
        f.answer({MsgAnswer::Yes});
        if (file == u"damaged"_s)
            f.answer({MsgAnswer::Ok});
        f.click(u"Button12"_s);
        if (file == u"missing"_s) {
            QCOMPARE(f.services.messages.size(), 1); // the question only
            QVERIFY(image->isHidden());
            QCOMPARE(f.text(u"Memo6"_s), QString());
            // The answers stay in sight; the flag is kept for a picture chosen later.
            for (const QString& m : {u"Memo2"_s, u"Memo3"_s, u"Memo4"_s, u"Memo5"_s, u"Memo7"_s})
                QVERIFY2(!f.w(m)->isHidden(), qPrintable(m));
            QVERIFY(f.w<QCheckBox>(u"CheckBox6"_s)->isChecked());
            return;
        }
        QCOMPARE(f.text(u"Memo6"_s), picture);
        if (file == u"damaged"_s) {
            QCOMPARE(f.services.messages.size(), 2);
            QVERIFY(
                f.services.messages[1].text.startsWith(u"Помилка читання малюнку!\r"_s + picture));
            QVERIFY(image->isHidden());
            QVERIFY(image->image().isNull()); // not the former question's picture
            return;
        }
        QCOMPARE(f.services.messages.size(), 1);
        QVERIFY(!image->isHidden());
        QCOMPARE(image->image().pixelColor(0, 0), QColor(Qt::blue));
        auto* memo2 = f.w(u"Memo2"_s);
        if (flag == u"True"_s) {
            QVERIFY(memo2->isHidden());
            QCOMPARE(image->geometry().topLeft(), memo2->geometry().topLeft());
        } else {
            QVERIFY(!memo2->isHidden());
            QCOMPARE(image->geometry(), normal);
        }
    }

    void openTextFile() {
        EditorFixture f;
        const QString text = f.path(u"питання.txt"_s);
        QVERIFY(writeBytes(text, "text\r\n"));
        auto* n6 = f.w<QAction>(u"N6"_s);
        QCOMPARE(n6->text(), u"Відкрити текстовий файл"_s);

        f.services.fileAnswers.push_back({text, 1});
        n6->trigger();
        QCOMPARE(f.services.fileDialogs.size(), 1);
        const FileDialogSpec request = f.services.fileDialogs[0];
        QCOMPARE(request.title, u"Відкрити текстовий файл"_s);
        QCOMPARE(request.filter, u"Текстові файли (*.txt)|*.txt|Всі файли (*.*)|*.*"_s);
        QCOMPARE(request.defaultExt, u"txt"_s);
        QCOMPARE(request.initialDir, QDir::currentPath());
        QCOMPARE(request.fileName, QString());
        QCOMPARE(f.services.opened, QStringList{text});

        // A name that is not a file.
        const QString wrong = f.path(u"нема.txt"_s);
        f.services.fileAnswers.push_back({wrong, 1});
        f.answer({MsgAnswer::Ok});
        n6->trigger();
        QCOMPARE(f.services.messageTexts(), QStringList{u"Помилка в назві файлу або файла \r"_s +
                                                        wrong + u"\r"_s + u" не існує!"_s});
        QCOMPARE(f.services.messages[0].icon, MsgIcon::Error);

        // Cancelled: nothing.
        f.services.fileAnswers.push_back({});
        n6->trigger();
        QCOMPARE(f.services.opened.size(), 1);
        QVERIFY(f.services.allUsed());
    }

    void fontAndBackgroundOfTheTextFields() {
        EditorFixture f;
        const QStringList six = {u"Memo1"_s, u"Memo2"_s, u"Memo3"_s,
                                 u"Memo4"_s, u"Memo5"_s, u"Memo7"_s};
        QFont font(u"Liberation Serif"_s);
        font.setPixelSize(21);
        font.setItalic(true);
        f.services.fontAnswers.push_back(font);
        f.w<QAction>(u"N1"_s)->trigger();
        f.services.colorAnswers.push_back(QColor(Qt::yellow));
        f.w<QAction>(u"N2"_s)->trigger();
        for (const QString& name : six) {
            QCOMPARE(f.w(name)->font().pixelSize(), 21);
            QVERIFY(f.w(name)->font().italic());
            QCOMPARE(f.w(name)->palette().color(QPalette::Base), QColor(Qt::yellow));
        }
        // The picture name keeps its look; a cancelled dialog changes nothing.
        QVERIFY(!f.w(u"Memo6"_s)->font().italic());
        f.services.fontAnswers.push_back(std::nullopt);
        f.w<QAction>(u"N1"_s)->trigger();
        QCOMPARE(f.w(u"Memo1"_s)->font().pixelSize(), 21);
        QCOMPARE(f.w<QAction>(u"N1"_s)->text(), u"Шрифт..."_s);
        QCOMPARE(f.w<QAction>(u"N2"_s)->text(), u"Фон.."_s);
        QVERIFY(!f.dirty());
    }
};

QTEST_MAIN(EditorExchangeTest)
#include "tst_editorexchange.moc"
