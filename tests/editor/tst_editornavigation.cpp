// The editor window: its controls, showing a question, moving between
// questions, the save prompt, the layouts and the timer.
#include "editorfixture.h"

#include "media/picturebox.h"

#include <QGroupBox>
#include <QImage>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

class EditorNavigationTest : public QObject {
    Q_OBJECT

    static QString picture(const EditorFixture& f, const QString& name) {
        const QString p = f.path(name);
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::blue);
        image.save(p, "BMP");
        return p;
    }

private slots:
    void controlsCarryTheirTexts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        auto row = [](const QString& n, const QString& c, const QString& h) {
            QTest::newRow(qPrintable(n)) << n << c << h;
        };
        row(u"Label1"_s, u"Запитання №"_s, {});
        row(u"Label10"_s, u"із"_s, {});
        row(u"Label3"_s, u"Відповіді:"_s, {});
        row(u"Label4"_s, u"1."_s, {});
        row(u"Label9"_s, u"5."_s, {});
        row(u"Label8"_s, u"Рисунок:"_s, {});
        row(u"Label13"_s, u"Аудіо:"_s, {});
        row(u"Label14"_s, u"Відео:"_s, {});
        row(u"Label12"_s, u"Для внесення змін не забудьте натиснути кнопку Записати!"_s, {});
        row(u"CheckBox1"_s, {}, u"Помітити як правильну відповідь"_s);
        row(u"CheckBox5"_s, {}, u"Помітити як правильну відповідь"_s);
        row(u"CheckBox6"_s, u"Запитання та малюнок"_s, {});
        row(u"RadioButton1"_s, u"Низький"_s, {});
        row(u"RadioButton2"_s, u"Середній"_s, {});
        row(u"RadioButton4"_s, u"Достатній"_s, {});
        row(u"RadioButton3"_s, u"Високий"_s, {});
        row(u"Button4"_s, u"|<<"_s, u"Перший"_s);
        row(u"Button5"_s, u"<"_s, u"Попередній"_s);
        row(u"Edit2"_s, u"1"_s, u"Запис"_s);
        row(u"Button6"_s, u">"_s, u"Наступний"_s);
        row(u"Button7"_s, u">>|"_s, u"Останній/добавити"_s);
        row(u"Button1"_s, u"&Записати"_s, u"Записати внесені зміни"_s);
        row(u"Button2"_s, u"&Відміна"_s, u"Відмінити внесені зміни (поки не записано)"_s);
        row(u"Button9"_s, u"В&ставити запис"_s, u"Вставити запитання"_s);
        row(u"Button8"_s, u"З&нищити запис"_s, u"Знищити запитання"_s);
        row(u"BitBtn9"_s, u"Список"_s, u"Вивести список запитань"_s);
        row(u"Button3"_s, u"Вий&ти"_s, u"Закрити вікно"_s);
        row(u"Button10"_s, u"&Рисунок"_s, u"Вставити малюнок"_s);
        row(u"Button11"_s, u"Копіювати"_s, u"Копіювати запитання у буфер обміну"_s);
        row(u"Button12"_s, u"Вставити"_s, u"Вставити запитання з буферу обміну"_s);
        row(u"BitBtn1"_s, u"Звук"_s, u"Вставити звуковий запис"_s);
        row(u"BitBtn2"_s, u"Відео"_s, u"Вставити відеофрагмент"_s);
        row(u"BitBtn3"_s, {}, u"Переглянути"_s);
        row(u"BitBtn4"_s, {}, u"Вилучити"_s);
        row(u"BitBtn5"_s, {}, u"Прослухати"_s);
        row(u"BitBtn6"_s, {}, u"Вилучити"_s);
        row(u"BitBtn7"_s, {}, u"Переглянути"_s);
        row(u"BitBtn8"_s, {}, u"Вилучити"_s);
    }
    void controlsCarryTheirTexts() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        EditorFixture f;
        QWidget* w = f.w(name);
        QVERIFY(w);
        QCOMPARE(w->toolTip(), hint);
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            QCOMPARE(b->text(), caption);
        else if (!caption.isEmpty())
            QCOMPARE(f.text(name), caption);
    }

    void windowAtCreation() {
        EditorFixture f;
        QCOMPARE(f.editor->objectName(), u"TForm3"_s);
        QCOMPARE(f.editor->windowTitle(), u"Тестові запитання"_s);
        QCOMPARE(f.w<QGroupBox>(u"GroupBox1"_s)->title(), u"Рівень"_s);
        QVERIFY(f.w<QRadioButton>(u"RadioButton1"_s)->isChecked());
        QVERIFY(f.w(u"Label12"_s)->isHidden());
        QVERIFY(f.w(u"Gauge1"_s)->isHidden());
        QCOMPARE(f.w<QProgressBar>(u"Gauge1"_s)->maximum(), 6000);
        QVERIFY(!f.w<QLineEdit>(u"Memo6"_s)->isEnabled());
        QVERIFY(!f.w<QLineEdit>(u"Memo8"_s)->isEnabled());
        QVERIFY(!f.w<QLineEdit>(u"Memo9"_s)->isEnabled());
        QVERIFY(f.editor->findChild<QTimer*>(u"Timer1"_s));
        QVERIFY(f.editor->findChild<QAction*>(u"N6"_s));
        QCOMPARE(f.editor->findChild<QAction*>(u"N3"_s)->text(), u"Вилучити "_s);
        QCOMPARE(f.editor->findChild<QAction*>(u"N4"_s)->text(), u"Змінити"_s);
        QCOMPARE(f.editor->findChild<QAction*>(u"N1"_s)->text(), u"Шрифт..."_s);
        QCOMPARE(f.editor->findChild<QAction*>(u"N2"_s)->text(), u"Фон.."_s);
        // The commands are tabbed through in their column's order.
        QCOMPARE(f.w(u"Button1"_s)->nextInFocusChain(), f.w(u"Button2"_s));
        QCOMPARE(f.w(u"Button2"_s)->nextInFocusChain(), f.w(u"Button9"_s));
    }

    void scaledAtCreation() {
        QTemporaryDir dir;
        AppState state;
        state.ScaleX = 1.6;
        state.ScaleY = 1.6;
        ScriptedServices services;
        AppContext ctx{state, services, {}};
        EditorWindow editor(ctx, nullptr);
        // Memo1 is at 8, 32, 488 x 94 in the design; 94 x 1.6 = 150.4.
        QCOMPARE(editor.Memo1->geometry(), QRect(13, 51, 781, 150));
        // Every font follows the screen: buttons (10 x 1.6 = 16), labels
        // (12 x 1.6 = 19.2), the question and answer fields (15 x 1.6 = 24).
        QCOMPARE(editor.Button1->font().pixelSize(), 16);
        QCOMPARE(editor.Label3->font().pixelSize(), 19);
        QCOMPARE(editor.Memo1->font().pixelSize(), 24);
        // A caption too long for its place at the design's width gets a smaller type.
        QVERIFY(editor.CheckBox6->font().pixelSize() > 12);
        QVERIFY(editor.CheckBox6->fontMetrics().horizontalAdvance(editor.CheckBox6->text()) <
                editor.CheckBox6->width() - 20);
    }

    void openShowsQuestionOne_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("one-level") << int(TestKind::Tsm);
        QTest::newRow("four-level") << int(TestKind::Tsr);
    }
    void openShowsQuestionOne() {
        QFETCH(int, kind);
        const auto k = TestKind(kind);
        EditorFixture f;
        writeNumbered(f.path(u"five"_s), k, 4);
        QVERIFY(f.open(u"five"_s, k));
        QCOMPARE(f.editor->windowTitle(), u"Редагування тестового файлу - "_s + f.path(u"five"_s));
        QCOMPARE(f.numbers(), u"1 of 4"_s);
        QCOMPARE(f.text(u"Edit2"_s), u"1"_s);
        QCOMPARE(f.text(u"Memo1"_s), u"Q1"_s);
        QCOMPARE(f.w(u"GroupBox1"_s)->isHidden(), k == TestKind::Tsm);
        QVERIFY(f.editor->isVisible());
        QVERIFY(!f.dirty());
        QVERIFY(f.services.messages.isEmpty());
    }

    // A missing picture: one message, the picture hidden, its name kept.
    void missingPictureOnOpen_data() { openShowsQuestionOne_data(); }
    void missingPictureOnOpen() {
        QFETCH(int, kind);
        const auto k = TestKind(kind);
        EditorFixture f;
        Question q = question(u"Q1"_s, k);
        q.PictureFile = f.path(u"gone.bmp"_s);
        writeQuestions(f.path(u"p"_s), k, {q, question(u"Q2"_s, k)});
        f.answer({MsgAnswer::Ok});
        QVERIFY(f.open(u"p"_s, k));
        QCOMPARE(f.services.messageTexts(),
                 QStringList{u"Відсутній файл малюнку!\r"_s + q.PictureFile});
        QCOMPARE(f.services.messages.first().icon, MsgIcon::Error);
        QVERIFY(f.w(u"Image1"_s)->isHidden());
        QCOMPARE(f.text(u"Memo6"_s), q.PictureFile);
        QVERIFY(!f.dirty());
        // Saved as it stands, the question keeps its picture's name.
        f.click(u"Button1"_s);
        QCOMPARE(readQuestions(f.path(u"p"_s), k).at(1).PictureFile, q.PictureFile);
        // Shown again by navigation, the name stays and the message comes once.
        f.click(u"Button6"_s);
        f.answer({MsgAnswer::Ok});
        f.click(u"Button4"_s);
        QCOMPARE(f.services.messages.size(), 2);
        QCOMPARE(f.text(u"Memo6"_s), q.PictureFile);
    }

    void pictureAndItsLayout() {
        EditorFixture f;
        Question q = question(u"Q1"_s, TestKind::Tsm);
        q.PictureFile = picture(f, u"pic.bmp"_s);
        q.QuestionAndPicture = true;
        writeQuestions(f.path(u"pic.tsm"_s), TestKind::Tsm, {q, question(u"Q2"_s, TestKind::Tsm)});
        QVERIFY(f.open(u"pic.tsm"_s, TestKind::Tsm));
        auto* image = f.w<PictureBox>(u"Image1"_s);
        QVERIFY(!image->isHidden());
        QVERIFY(f.w(u"Memo2"_s)->isHidden());
        QVERIFY(f.w(u"Memo7"_s)->isHidden());
        const QRect memo2 = f.w(u"Memo2"_s)->geometry();
        const QRect memo7 = f.w(u"Memo7"_s)->geometry();
        QCOMPARE(image->geometry().topLeft(), memo2.topLeft());
        QCOMPARE(image->height(), memo7.y() + memo7.height() - memo2.y());
        QCOMPARE(image->width(), f.w(u"Memo1"_s)->width() - memo2.x());
        // The picture is drawn whole, centred.
        const QRect drawn = image->pictureRect();
        QCOMPARE(drawn.size(), QSize(40, 20));
        QVERIFY((drawn.center() - image->rect().center()).manhattanLength() <= 2);

        // Unchecking the box brings the answers back and makes the window dirty.
        f.w<QCheckBox>(u"CheckBox6"_s)->click();
        QVERIFY(!f.w(u"Memo2"_s)->isHidden());
        QVERIFY(f.dirty());
        // The next question has no picture: normal layout, picture hidden.
        f.answer({MsgAnswer::No});
        f.click(u"Button6"_s);
        QCOMPARE(f.text(u"Memo1"_s), u"Q2"_s);
        QVERIFY(image->isHidden());
        QVERIFY(!f.w(u"Memo7"_s)->isHidden());
    }

    void missingTextFileOfTheQuestion_data() {
        QTest::addColumn<int>("how"); // 0 open, 1 next (one-level), 2 last (one-level)
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        const QString name = u"/nowhere/q.txt"_s;
        QTest::newRow("open") << 0 << u"Відсутній текстовий файл для поля запитання!\r"_s + name
                              << u"Відсутній файл "_s + name;
        QTest::newRow("next")
            << 1 << u"Запитання № 2: ВІДСУТНІЙ ТЕКСТОВИЙ ФАЙЛ для поля запитання!\r"_s + name
            << name;
        QTest::newRow("last") << 2 << u"Відсутній текстовий файл для поля запитання!\r"_s + name
                              << name;
    }
    void missingTextFileOfTheQuestion() {
        QFETCH(int, how);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        EditorFixture f;
        Question linked = question(u"/nowhere/q.txt"_s, TestKind::Tsm);
        linked.QuestionInTextFile = true;
        const QList<Question> qs = how == 0
                                       ? QList<Question>{linked, question(u"Q2"_s, TestKind::Tsm)}
                                       : QList<Question>{question(u"Q1"_s, TestKind::Tsm), linked};
        writeQuestions(f.path(u"t.tsm"_s), TestKind::Tsm, qs);
        if (how == 0)
            f.answer({MsgAnswer::Ok});
        QVERIFY(f.open(u"t.tsm"_s, TestKind::Tsm));
        if (how == 1) {
            f.answer({MsgAnswer::Ok});
            f.click(u"Button6"_s);
        } else if (how == 2) {
            f.answer({MsgAnswer::Ok, MsgAnswer::No});
            f.click(u"Button7"_s);
        }
        QCOMPARE(f.services.messageTexts().first(), message);
        QCOMPARE(f.text(u"Memo1"_s), shown);
        QCOMPARE(f.w(u"Memo1"_s)->toolTip(), linked.Question);
        // Saving without touching the question keeps the record's link.
        f.type(u"Memo2"_s, u"answer"_s);
        f.click(u"Button1"_s);
        const Question saved =
            readQuestions(f.path(u"t.tsm"_s), TestKind::Tsm).at(how == 0 ? 1 : 2);
        QCOMPARE(saved.Question, linked.Question);
        QVERIFY(saved.QuestionInTextFile);
        QCOMPARE(saved.Answer1, u"answer"_s);
    }

    void navigation() {
        EditorFixture f;
        writeNumbered(f.path(u"n.tsm"_s), TestKind::Tsm, 3);
        QVERIFY(f.open(u"n.tsm"_s, TestKind::Tsm));
        f.click(u"Button5"_s); // previous on question 1 stays
        QCOMPARE(f.numbers(), u"1 of 3"_s);
        f.click(u"Button6"_s);
        QCOMPARE(f.text(u"Memo1"_s), u"Q2"_s);
        QCOMPARE(f.numbers(), u"2 of 3"_s);
        f.answer({MsgAnswer::Cancel});
        f.click(u"Button7"_s);
        QCOMPARE(f.services.messageTexts(), QStringList{u"Останній запис! Добавити запис?"_s});
        QCOMPARE(f.text(u"Memo1"_s), u"Q3"_s);
        QCOMPARE(f.text(u"Edit2"_s), u"3"_s);
        // Next on the last question runs Last, which offers to append.
        f.answer({MsgAnswer::No});
        f.click(u"Button6"_s);
        QCOMPARE(f.services.messages.size(), 2);
        QCOMPARE(f.text(u"Memo1"_s), u"Q3"_s);
        f.click(u"Button4"_s);
        QCOMPARE(f.text(u"Memo1"_s), u"Q1"_s);
        f.click(u"Button5"_s);
        QCOMPARE(f.numbers(), u"1 of 3"_s);
        QCOMPARE(questionTexts(f.path(u"n.tsm"_s), TestKind::Tsm),
                 (QStringList{u"R0"_s, u"Q1"_s, u"Q2"_s, u"Q3"_s}));
    }

    void goToRecord_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("edit");
        QTest::newRow("zero") << u"0"_s << u"Вихід за межі записів!"_s << u"Q2"_s << u"2"_s;
        QTest::newRow("negative") << u"-3"_s << u"Вихід за межі записів!"_s << u"Q2"_s << u"2"_s;
        QTest::newRow("above the count")
            << u"8"_s << u"Вихід за межі записів!"_s << u"Q2"_s << u"2"_s;
        QTest::newRow("blank before") << u" 7"_s << QString() << u"Q7"_s << u"7"_s;
        QTest::newRow("blank after")
            << u"7 "_s << u"Неправильний тип значення!"_s << u"Q2"_s << u"7 "_s;
        QTest::newRow("letters") << u"сім"_s << u"Неправильний тип значення!"_s << u"Q2"_s
                                 << u"сім"_s;
    }
    void goToRecord() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, question);
        QFETCH(QString, edit);
        EditorFixture f;
        writeNumbered(f.path(u"g.tsr"_s), TestKind::Tsr, 7);
        QVERIFY(f.open(u"g.tsr"_s, TestKind::Tsr));
        f.click(u"Button6"_s);
        f.type(u"Edit2"_s, typed);
        if (!message.isEmpty())
            f.answer({MsgAnswer::Ok});
        QTest::keyClick(f.w(u"Edit2"_s), Qt::Key_Return);
        QCOMPARE(f.services.messageTexts(),
                 message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(f.text(u"Memo1"_s), question);
        QCOMPARE(f.text(u"Edit2"_s), edit);
        QCOMPARE(f.editor->session().position(), question.mid(1).toInt());
    }

    void goToByDoubleClickAsksAboutChanges() {
        EditorFixture f;
        writeNumbered(f.path(u"d.tsm"_s), TestKind::Tsm, 3);
        QVERIFY(f.open(u"d.tsm"_s, TestKind::Tsm));
        f.type(u"Memo1"_s, u"changed"_s);
        f.type(u"Edit2"_s, u"3"_s);
        QVERIFY(f.dirty()); // typing the number does not drop the changes
        f.answer({MsgAnswer::Yes});
        QTest::mouseDClick(f.w(u"Edit2"_s), Qt::LeftButton);
        QCOMPARE(f.services.messageTexts(), QStringList{u"Текст змінено! Зберегти?"_s});
        QCOMPARE(f.text(u"Memo1"_s), u"Q3"_s);
        QCOMPARE(questionTexts(f.path(u"d.tsm"_s), TestKind::Tsm).at(1), u"changed"_s);
    }

    // Cancel leaves the record, the position and the changes as they were.
    void cancelLeavesEverything_data() {
        QTest::addColumn<QString>("button");
        for (const char* b : {"Button4", "Button5", "Button6", "Button7", "Button9", "Button3"})
            QTest::newRow(b) << QString::fromLatin1(b);
    }
    void cancelLeavesEverything() {
        QFETCH(QString, button);
        EditorFixture f;
        writeNumbered(f.path(u"c.tsm"_s), TestKind::Tsm, 3);
        const QByteArray before = readWholeFile(f.path(u"c.tsm"_s));
        QVERIFY(f.open(u"c.tsm"_s, TestKind::Tsm));
        f.click(u"Button6"_s);
        f.type(u"Memo3"_s, u"unsaved"_s);
        f.answer({MsgAnswer::Cancel});
        f.click(button);
        QCOMPARE(f.services.messageTexts(), QStringList{u"Текст змінено! Зберегти?"_s});
        QCOMPARE(f.services.messages.first().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(f.services.messages.first().icon, MsgIcon::Confirmation);
        QCOMPARE(f.text(u"Memo3"_s), u"unsaved"_s);
        QCOMPARE(f.numbers(), u"2 of 3"_s);
        QCOMPARE(f.editor->session().position(), 2);
        QVERIFY(f.dirty());
        QVERIFY(f.editor->isVisible());
        QCOMPARE(readWholeFile(f.path(u"c.tsm"_s)), before);
    }

    void promptNoShowsTheStoredQuestion() {
        EditorFixture f;
        writeNumbered(f.path(u"no.tsm"_s), TestKind::Tsm, 2);
        QVERIFY(f.open(u"no.tsm"_s, TestKind::Tsm));
        f.type(u"Memo1"_s, u"changed"_s);
        f.answer({MsgAnswer::No});
        f.click(u"Button5"_s); // previous on question 1: stays there
        QCOMPARE(f.text(u"Memo1"_s), u"Q1"_s);
        QVERIFY(!f.dirty());
        QCOMPARE(questionTexts(f.path(u"no.tsm"_s), TestKind::Tsm).at(1), u"Q1"_s);
    }

    void discardShowsTheStoredQuestion() {
        EditorFixture f;
        writeNumbered(f.path(u"x.tsm"_s), TestKind::Tsm, 2);
        QVERIFY(f.open(u"x.tsm"_s, TestKind::Tsm));
        f.type(u"Memo1"_s, u"changed"_s);
        f.w<QCheckBox>(u"CheckBox3"_s)->click();
        f.click(u"Button2"_s);
        QCOMPARE(f.text(u"Memo1"_s), u"Q1"_s);
        QVERIFY(!f.w<QCheckBox>(u"CheckBox3"_s)->isChecked());
        QVERIFY(!f.dirty());
    }

    void levelShownFromItsBytes_data() {
        QTest::addColumn<QByteArray>("bytes"); // low, medium, high, sufficient
        QTest::addColumn<QString>("selected");
        QTest::newRow("medium") << QByteArray("0100") << u"RadioButton2"_s;
        QTest::newRow("high") << QByteArray("0010") << u"RadioButton3"_s;
        QTest::newRow("sufficient") << QByteArray("0001") << u"RadioButton4"_s;
        QTest::newRow("low and high: the later") << QByteArray("1010") << u"RadioButton3"_s;
        QTest::newRow("none") << QByteArray("0000") << QString();
    }
    void levelShownFromItsBytes() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, selected);
        EditorFixture f;
        Question q = question(u"Q1"_s, TestKind::Tsr);
        q.LevelLow = bytes[0] == '1';
        q.LevelMedium = bytes[1] == '1';
        q.LevelHigh = bytes[2] == '1';
        q.LevelSufficient = bytes[3] == '1';
        writeQuestions(f.path(u"l.tsr"_s), TestKind::Tsr, {q});
        QVERIFY(f.open(u"l.tsr"_s, TestKind::Tsr));
        for (const QString& name :
             {u"RadioButton1"_s, u"RadioButton2"_s, u"RadioButton3"_s, u"RadioButton4"_s})
            QCOMPARE(f.w<QRadioButton>(name)->isChecked(), name == selected);
        // Saved again, the record keeps what the window shows.
        f.click(u"Button1"_s);
        const Question saved = readQuestions(f.path(u"l.tsr"_s), TestKind::Tsr).at(1);
        QCOMPARE(saved.LevelHigh, selected == u"RadioButton3"_s);
        QCOMPARE(saved.LevelLow, false);
    }

    void leavingAsksAndCloses() {
        EditorFixture f;
        writeNumbered(f.path(u"lv.tsm"_s), TestKind::Tsm, 2);
        QVERIFY(f.open(u"lv.tsm"_s, TestKind::Tsm));
        f.type(u"Memo2"_s, u"a1"_s);
        f.answer({MsgAnswer::Yes});
        f.click(u"Button3"_s);
        QVERIFY(!f.editor->isVisible());
        QVERIFY(!f.w(u"Edit2"_s)->isEnabled());
        QCOMPARE(readQuestions(f.path(u"lv.tsm"_s), TestKind::Tsm).at(1).Answer1, u"a1"_s);
        // The title bar's close asks the same.
        QVERIFY(f.open(u"lv.tsm"_s, TestKind::Tsm));
        f.type(u"Memo2"_s, u"a2"_s);
        f.answer({MsgAnswer::Cancel});
        QVERIFY(!f.editor->close());
        QVERIFY(f.editor->isVisible());
    }

    void timer() {
        EditorFixture f;
        writeNumbered(f.path(u"tm.tsm"_s), TestKind::Tsm, 1);
        QVERIFY(f.open(u"tm.tsm"_s, TestKind::Tsm));
        auto* gauge = f.w<QProgressBar>(u"Gauge1"_s);
        f.click(u"Button1"_s);
        QVERIFY(!gauge->isHidden());
        for (int i = 0; i < 599; ++i)
            f.editor->housekeeping();
        QCOMPARE(gauge->value(), 5990);
        QVERIFY(!gauge->isHidden());
        f.editor->housekeeping();
        QVERIFY(gauge->isHidden());
        QCOMPARE(f.w(u"Image1"_s)->toolTip(), u"Подвійний Click-збільшує!\n ПКМ-меню!"_s);
        // A long answer gets a scroll bar, a short one none.
        auto* memo = f.w<QPlainTextEdit>(u"Memo2"_s);
        memo->setPlainText(u"1\n2\n3\n4\n5\n6"_s);
        f.editor->housekeeping();
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        memo->setPlainText(u"1"_s);
        f.editor->housekeeping();
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        // The main window's journal writing stops the timer.
        QVERIFY(f.state.stopEditorTimer);
        f.state.stopEditorTimer();
        QVERIFY(!f.editor->findChild<QTimer*>(u"Timer1"_s)->isActive());
    }

    // A file cut short is said to be damaged; its whole questions are shown.
    void truncatedFileIsReported() {
        EditorFixture f;
        writeNumbered(f.path(u"cut.tsm"_s), TestKind::Tsm, 2);
        QFile file(f.path(u"cut.tsm"_s));
        QVERIFY(file.resize(3 * TsmRecord::Size - 1000));
        f.answer({MsgAnswer::Ok});
        QVERIFY(f.open(u"cut.tsm"_s, TestKind::Tsm));
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].icon, MsgIcon::Warning);
        QVERIFY(f.services.messages[0].text.contains(u"пошкоджено!"_s));
        const QString torn = f.path(u"cut.tsm.torn"_s);
        QVERIFY(f.services.messages[0].text.contains(torn));
        QCOMPARE(f.numbers(), u"1 of 1"_s);
        // The first change keeps the incomplete tail beside the file.
        const QByteArray tail = readWholeFile(f.path(u"cut.tsm"_s)).sliced(2 * TsmRecord::Size);
        f.click(u"Button9"_s);
        QCOMPARE(readWholeFile(torn), tail);
        QCOMPARE(questionTexts(f.path(u"cut.tsm"_s), TestKind::Tsm),
                 (QStringList{u"R0"_s, QString(), u"Q1"_s}));
    }
};

QTEST_MAIN(EditorNavigationTest)
#include "tst_editornavigation.moc"
