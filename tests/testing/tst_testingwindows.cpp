#include "core/cp1251.h"
#include "core/journalfile.h"
#include "media/mediaplayerpanel.h"
#include "media/picturebox.h"
#include "media/picturewindow.h"
#include "media/soundwindow.h"
#include "support/runparams.h"
#include "support/scriptedservices.h"
#include "testing/namewindow.h"
#include "testing/resultwindow.h"
#include "testing/testingwindow.h"
#include "ui/statusbar.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace zorvik;
using zorvik::testing::ScriptedServices;

namespace {

template <typename R> R question(int no, int correct) {
    R q;
    q.Question = u"Запитання "_s + QString::number(no);
    for (int k = 1; k <= 5; ++k)
        q.answer(k) = u"Відповідь "_s + QString::number(no) + u'.' + QString::number(k);
    if (correct > 0)
        q.correct(correct) = true;
    return q;
}

QString panel(TestingWindow* w, int i) {
    return w->StatusBar1->panelText(i);
}

} // namespace

class TestingWindowsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<ScriptedServices> services_;
    std::unique_ptr<AppContext> ctx_;
    std::unique_ptr<NameWindow> names_;
    std::unique_ptr<PlainTestingWindow> plain_;
    std::unique_ptr<GoBackTestingWindow> goBack_;

    QString journalPath() const { return dir_.filePath(u"9a.ocn"_s); }
    QStringList logLines() const {
        QFile f(dir_.filePath(u"result.txt"_s));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return fromCp1251(f.readAll()).split(u"\r\n"_s);
    }
    void writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(dir_.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    void useTest(const QString& name) {
        state_->TestFileName = dir_.filePath(name);
        state_->TestFileExt = name.right(4);
        state_->TestDir = dir_.path();
        state_->JournalPath = journalPath();
        state_->ParamsFound = true;
    }
    // A one-level test of the given questions, all asked in file order.
    void prepareTsm(const QList<TsmRecord>& questions, quint8 mode = 1, bool goBack = false) {
        QByteArray bytes = TsmRecord::empty().encode();
        for (const TsmRecord& q : questions)
            bytes += q.encode();
        writeFile(u"math.tsm"_s, bytes);
        useTest(u"math.tsm"_s);
        const int n = static_cast<int>(questions.size());
        Ns1Record& p = state_->Ns1Record;
        p = testing::oneLevelRun(u"math.tsm"_s, n, n, journalPath(), mode);
        p.TestingMode.QuestionTime = mode >= 3 ? 10 : -1;
        p.TestingMode.GoBack = goBack;
    }
    QList<TsmRecord> plainQuestions(int n) {
        QList<TsmRecord> qs;
        for (int i = 1; i <= n; ++i)
            qs.append(question<TsmRecord>(i, 1));
        return qs;
    }
    // Starts a run in `window` as the name window would.
    void begin(TestingWindow* window) {
        state_->Run.StudentName = u"Коваль Марія"_s;
        state_->Run.StudentGroup = u"10-Б"_s;
        state_->Run.QuestionCounter = 1;
        RunEngine::writeLogHeader(*state_, services_->fakeClock);
        window->show();
    }
    void tick(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton); }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
        QVERIFY(dir_.isValid());
    }
    void init() {
        for (const QString& f : QDir(dir_.path()).entryList(QDir::Files))
            QFile::remove(dir_.filePath(f));
        state_ = std::make_unique<AppState>();
        state_->ProgramDir = dir_.path();
        services_ = std::make_unique<ScriptedServices>();
        ctx_ = std::make_unique<AppContext>(AppContext{*state_, *services_, {}});
        plain_ = std::make_unique<PlainTestingWindow>(*ctx_, nullptr);
        names_ = std::make_unique<NameWindow>(*ctx_, nullptr);
        goBack_ = std::make_unique<GoBackTestingWindow>(*ctx_, nullptr);
        ctx_->windows.add(plain_.get());
        ctx_->windows.add(names_.get());
        ctx_->windows.add(goBack_.get());
        writeFile(u"9a.ocn"_s, {});
    }
    void cleanup() {
        QVERIFY2(services_->allUsed(), "a scripted answer was left");
        goBack_.reset();
        names_.reset();
        plain_.reset();
    }

    void fromNameToResult() {
        QList<TsmRecord> qs = plainQuestions(3);
        qs[1].correct(3) = true; // question 2: answers 1 and 3
        prepareTsm(qs, 2);
        names_->show();
        QCOMPARE(names_->windowTitle(), u"Введіть дані про себе"_s);
        QCOMPARE(names_->Label1->text(), u"Прізвище, ім'я, по-батькові:"_s);
        QCOMPARE(names_->Label2->text(), u"Група (клас)"_s);
        QCOMPARE(names_->Button1->text(), u"&OK"_s);
        names_->Edit1->insert(u"Коваль Марія"_s);
        names_->Edit2->insert(u"10-Б"_s);

        bool ranInside = false;
        services_->modalHandlers.push_back([&](QDialog* d) {
            auto* w = qobject_cast<PlainTestingWindow*>(d);
            if (!w)
                return -1;
            w->show();
            ranInside = true;
            [&] {
                QVERIFY(names_->isHidden());
                QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
                QCOMPARE(w->windowTitle(), u"Тестування - "_s + state_->TestFileName);
                QCOMPARE(w->Label1->text(), u"Запитання №"_s);
                QCOMPARE(w->Label2->text(), u"1"_s);
                QCOMPARE(w->Label10->text(), u"із"_s);
                QCOMPARE(w->Label11->text(), u"3"_s);
                QCOMPARE(w->Label2->palette().color(QPalette::WindowText), QColor(Qt::red));
                QVERIFY(w->Label13->isHidden() && w->Label14->isHidden());
                QCOMPARE(w->Label15->text(), u"Відповіді:"_s);
                QCOMPARE(w->Label16->text(), u"1."_s);
                QCOMPARE(w->Label20->text(), u"5."_s);
                QCOMPARE(w->Memo1->toPlainText(), u"Запитання 1"_s);
                QCOMPARE(w->Memo4->toPlainText(), u"Відповідь 1.3"_s);
                QCOMPARE(w->Button1->text(), u"Наступне запитання->"_s);
                QCOMPARE(w->Button2->text(), u"&Результат"_s);
                QCOMPARE(w->Button3->text(), u"&Вийти"_s);
                QVERIFY(!w->Button2->isEnabled() && !w->Button3->isEnabled());
                QVERIFY(w->Bevel3->isVisibleTo(w) && w->Label6->isVisibleTo(w));
                QCOMPARE(w->Label6->text(), u"Всього балів:"_s);
                QCOMPARE(w->Label8->text(), u"Максимально балів:"_s);
                QCOMPARE(w->Label9->text(), u"3"_s);
                QVERIFY(w->Label12->isHidden() && w->Label21->isHidden());
                QVERIFY(w->ProgressBar1->isHidden());
                QCOMPARE(panel(w, 0), u"Тест: "_s + state_->TestFileName);
                QCOMPARE(panel(w, 1), u"Зап: 3/3"_s);
                QCOMPARE(panel(w, 2), u"Оц.: 12"_s);
                QCOMPARE(panel(w, 3), u"КБЗ: 1"_s);
                QCOMPARE(panel(w, 4), u"МКБ: 3"_s);
                QCOMPARE(panel(w, 5), u"09:00:00"_s);
                QCOMPARE(w->Image1->toolTip(), u"Подвійний Click - збільшує!"_s);

                tick(w->CheckBox1);
                services_->fakeClock.advance(12000);
                QTest::mouseClick(w->Button1, Qt::LeftButton);
                QCOMPARE(w->Label4->text(), u"Чудово!"_s);
                QCOMPARE(w->Label4->palette().color(QPalette::WindowText), QColor(Qt::red));
                QVERIFY(w->Image5->isVisibleTo(w) && w->Image2->isHidden());
                QCOMPARE(w->Label5->text(), u"1"_s);
                QCOMPARE(w->Label7->text(), u"1"_s);
                QVERIFY(!w->CheckBox1->isChecked());
                QCOMPARE(w->Label2->text(), u"2"_s);
                QCOMPARE(w->ProgressBar1->value(), 33);
                QCOMPARE(w->Label3->text(), u"33 %"_s);
                QCOMPARE(w->Button1->text(), u"Наступне запитання->"_s);
                QCOMPARE(w->Button1->palette().color(QPalette::ButtonText), QColor(Qt::black));

                tick(w->CheckBox1); // one of two right answers
                QTest::mouseClick(w->Button1, Qt::LeftButton);
                QCOMPARE(w->Button1->text(), u"Ввести відповідь->"_s);
                QCOMPARE(w->Button1->palette().color(QPalette::ButtonText), QColor(Qt::red));
                QCOMPARE(w->Button1->toolTip(),
                         u"Завершує тестування. ПОВЕРНУТИСЬ НАЗАД БУДЕ НЕМОЖЛИВО!"_s);
                QCOMPARE(w->Label4->text(), u"Добре!"_s);
                QCOMPARE(w->Label5->text(), u"0,5"_s);
                QCOMPARE(w->Label7->text(), u"1,5"_s);
                QVERIFY(w->Image4->isVisibleTo(w));

                tick(w->CheckBox2); // wrong
                QTest::mouseClick(w->Button1, Qt::LeftButton);
                QCOMPARE(w->Label4->text(), u"Погано!"_s);
                QCOMPARE(w->Label2->text(), u"3"_s);
                QVERIFY(!w->Button1->isEnabled());
                QVERIFY(w->Button2->isEnabled() && w->Button3->isEnabled());
                QVERIFY(!w->CheckBox1->isEnabled() && !w->BitBtn1->isEnabled());
                QCOMPARE(services_->beeps, (QList<QPair<int, int>>{{700, 50}}));

                services_->modalHandlers.push_back([&](QDialog* r) {
                    auto* result = qobject_cast<ResultWindow*>(r);
                    if (!result)
                        return -1;
                    result->show();
                    [&] {
                        QCOMPARE(result->windowTitle(), u"Результат"_s);
                        QCOMPARE(result->Label17->text(), u"Коваль Марія"_s);
                        QCOMPARE(result->Label18->text(), u"10-Б"_s);
                        QCOMPARE(result->Label1->text(), u"Всіх запитань: "_s);
                        QCOMPARE(result->Label2->text(), u"3"_s);
                        QCOMPARE(result->Label14->text(), u"Система оцінювання  (балів):"_s);
                        QCOMPARE(result->Label13->text(), u"12"_s);
                        QCOMPARE(result->Label9->text(), u"Балів за 1-е запитання :"_s);
                        QCOMPARE(result->Label10->text(), u"1"_s);
                        QCOMPARE(result->Label3->text(), u"Максимально - балів:"_s);
                        QCOMPARE(result->Label4->text(), u"3"_s);
                        QCOMPARE(result->Label6->text(), u"Набрали балів:"_s);
                        QCOMPARE(result->Label7->text(), u"1,5"_s);
                        QCOMPARE(result->Label15->text(), u"Ваша оцінка:"_s);
                        QCOMPARE(result->Label16->text(), u"3"_s); // 50 %
                        QCOMPARE(result->Label5->text(), u"08.12.26"_s);
                        QCOMPARE(result->Label8->text(), u"09:00:12"_s);
                        QCOMPARE(result->BitBtn1->text(), u"&Закрити"_s);
                        QTest::mouseClick(result->BitBtn2, Qt::LeftButton);
                        QCOMPARE(services_->printedImages.size(), 1);
                        QCOMPARE(services_->printedImages[0].pixelColor(2, 2), QColor(Qt::white));
                        QVERIFY(result->BitBtn1->isVisible() && result->BitBtn2->isVisible());
                    }();
                    QTest::mouseClick(result->BitBtn1, Qt::LeftButton);
                    return result->result();
                });
                QTest::mouseClick(w->Button2, Qt::LeftButton);
                QCOMPARE(services_->modalShown.last(), u"TForm7"_s);
                QTest::mouseClick(w->Button3, Qt::LeftButton);
            }();
            if (w->isVisible())
                w->reject();
            return w->result();
        });
        QTest::mouseClick(names_->Button1, Qt::LeftButton);
        QVERIFY(ranInside);
        QCOMPARE(services_->modalShown, (QStringList{u"TForm4"_s, u"TForm7"_s}));
        QCOMPARE(names_->result(), int(QDialog::Accepted));
        QVERIFY(!plain_->isVisible());

        const QStringList lines = logLines();
        QCOMPARE(lines.at(3), u" Прізвище: Коваль Марія"_s);
        QCOMPARE(lines.at(4), u" Група (клас): 10-Б"_s);
        QCOMPARE(lines.at(8), u"    1"_s + QString(21, u' ') + u"1"_s + QString(28, u' ') + u"1"_s +
                                  QString(30, u' ') + u"00:00:12"_s);
        QCOMPARE(lines.at(13), u"  Балів за тест (3): 1,5"_s);
        QCOMPARE(lines.at(14), u"  Оцінка (12): 3"_s);
        QCOMPARE(lines.size(), 17); // nothing more after closing
        const auto entries = readJournal(journalPath());
        QCOMPARE(entries.size(), size_t(1));
        QCOMPARE(entries[0].Points, 1.5);
        QCOMPARE(entries[0].Interrupted, QString());
    }

    void goBackWindowFromTheNameWindow() {
        prepareTsm(plainQuestions(3), 1, true);
        names_->show();
        names_->Edit1->insert(u"Іван"_s);
        names_->Edit2->insert(u"7"_s);
        services_->modalHandlers.push_back([&](QDialog* d) {
            auto* w = qobject_cast<GoBackTestingWindow*>(d);
            if (!w)
                return -1;
            w->show();
            [&] {
                QCOMPARE(w->Button4->text(), u"<-&Попереднє"_s);
                QCOMPARE(w->Button1->text(), u"Наступне ->"_s);
                QVERIFY(!w->Button4->isEnabled());
                tick(w->CheckBox1);
                QTest::mouseClick(w->Button1, Qt::LeftButton);
                QVERIFY(w->Button4->isEnabled());
                tick(w->CheckBox3);
                QTest::mouseClick(w->Button4, Qt::LeftButton);
                QCOMPARE(w->Label2->text(), u"1"_s);
                QVERIFY(w->CheckBox1->isChecked()); // the marks left on question 1
                QVERIFY(!w->Button4->isEnabled());
                QTest::mouseClick(w->Button1, Qt::LeftButton);
                QVERIFY(w->CheckBox3->isChecked()); // and on question 2
                QCOMPARE(w->Memo1->toPlainText(), u"Запитання 2"_s);
                QCOMPARE(w->Button1->text(), u"Наступне ->"_s);
                tick(w->CheckBox3);
                tick(w->CheckBox1);
                QTest::mouseClick(w->Button1, Qt::LeftButton);
                QCOMPARE(w->Button1->text(), u"Ввести ->"_s);
                QTest::mouseClick(w->Button1, Qt::LeftButton);
                QVERIFY(!w->Button1->isEnabled() && !w->Button4->isEnabled());
                QStringList shown;
                services_->modalHandlers.push_back([&](QDialog* r) {
                    auto* result = qobject_cast<ResultWindow*>(r);
                    if (!result)
                        return -1;
                    result->show();
                    shown = QStringList{result->Label2->text(), result->Label7->text(),
                                        result->Label16->text()};
                    result->accept();
                    return 1;
                });
                QTest::mouseClick(w->Button2, Qt::LeftButton);
                QCOMPARE(shown, (QStringList{u"3"_s, u"2"_s, u"5"_s}));
                QTest::mouseClick(w->Button3, Qt::LeftButton);
            }();
            if (w->isVisible())
                w->reject();
            return w->result();
        });
        QTest::mouseClick(names_->Button1, Qt::LeftButton);
        QCOMPARE(services_->modalShown, (QStringList{u"TForm18"_s, u"TForm7"_s}));
        const QStringList lines = logLines();
        QStringList numbers;
        for (const QString& l : lines.mid(8, 5))
            numbers.append(l.simplified().section(u' ', 0, 1));
        QCOMPARE(numbers, (QStringList{u"1 1"_s, u"2 2"_s, u"1 1"_s, u"2 2"_s, u"3 3"_s}));
        QCOMPARE(lines.filter(u"ПЕРЕРВАНО"_s).size(), 0);
        QCOMPARE(readJournal(journalPath()).at(0).Interrupted, QString());
        QCOMPARE(readJournal(journalPath()).at(0).Points, 2.0);
        QCOMPARE(state_->Run.SavedScores.at(1), 0.0); // cleared on close
    }

    void draggingThePictureEdge() {
        QImage image(100, 80, QImage::Format_RGB32);
        image.fill(Qt::green);
        QVERIFY(image.save(dir_.filePath(u"leaf.png"_s)));
        QList<TsmRecord> qs = plainQuestions(2);
        qs[0].PictureFile = dir_.filePath(u"leaf.png"_s);
        prepareTsm(qs);
        begin(plain_.get());
        PlainTestingWindow* w = plain_.get();
        const QRect normal = w->Image1->geometry();
        auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButton button,
                         Qt::MouseButtons buttons) {
            QMouseEvent e(type, QPointF(at), QPointF(w->Image1->mapToGlobal(at)), button, buttons,
                          Qt::NoModifier);
            QApplication::sendEvent(w->Image1, &e);
        };
        mouse(QEvent::MouseMove, {3, 40}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(w->Image1->cursor().shape(), Qt::SizeHorCursor);
        mouse(QEvent::MouseButtonPress, {3, 40}, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, {-10, 40}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(w->Image1->geometry(), normal.adjusted(-10, 0, 0, 0));
        mouse(QEvent::MouseButtonRelease, {-10, 40}, Qt::LeftButton, Qt::NoButton);
        mouse(QEvent::MouseMove, {-14, 40}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(w->Image1->x(), normal.x() - 10); // no drag without the button
        QTest::mouseClick(w->Button1, Qt::LeftButton);
        QCOMPARE(w->Image1->geometry(), normal); // the next question: normal frame

        // The going-back window has no edge dragging.
        w->close();
        prepareTsm(qs, 1, true);
        begin(goBack_.get());
        const QRect before = goBack_->Image1->geometry();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 40), QPointF(3, 40), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(goBack_->Image1, &press);
        QMouseEvent move(QEvent::MouseMove, QPointF(-10, 40), QPointF(-10, 40), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(goBack_->Image1, &move);
        QCOMPARE(goBack_->Image1->geometry(), before);
        goBack_->close();
    }

    void nameWindowChecksItsInput() {
        prepareTsm(plainQuestions(2));
        names_->show();
        services_->answers = {MsgAnswer::Ok, MsgAnswer::Ok};
        names_->Edit1->insert(u"   "_s);
        QTest::mouseClick(names_->Button1, Qt::LeftButton);
        names_->Edit1->insert(u"  Довге ім'я, яке має більше сорока знаків!!"_s);
        QTest::mouseClick(names_->Button1, Qt::LeftButton);
        QCOMPARE(services_->messageTexts(),
                 (QStringList{u"Введіть дані про себе!"_s, u"Введіть номер групи (клас)!"_s}));
        QCOMPARE(services_->messages[0].icon, MsgIcon::Error);
        QCOMPARE(state_->Run.StudentName, u"     Довге ім'я, яке має більше сорока з"_s);
        QCOMPARE(state_->Run.StudentName.size(), 40);
        QVERIFY(logLines().isEmpty());
        QVERIFY(names_->isVisible());

        // Activation empties both fields.
        names_->hide();
        names_->show();
        QVERIFY(names_->Edit1->text().isEmpty() && names_->Edit2->text().isEmpty());
    }

    void nameWindowRefusesBrokenParameters() {
        prepareTsm(plainQuestions(2));
        state_->Ns1Record.TestQuestions = 5; // a hand-edited test.ns1
        names_->show();
        names_->Edit1->insert(u"Іван"_s);
        names_->Edit2->insert(u"7"_s);
        services_->answers = {MsgAnswer::Ok};
        QTest::mouseClick(names_->Button1, Qt::LeftButton);
        QVERIFY(services_->messageTexts().at(0).contains(u"від 1 до 2"_s));
        QVERIFY(services_->modalShown.isEmpty());
        QVERIFY(logLines().isEmpty());
        QCOMPARE(names_->result(), int(QDialog::Rejected));
        QVERIFY(!names_->isVisible());
    }

    void nameWindowStaysOpenWhenTheLogFails() {
        prepareTsm(plainQuestions(2));
        QVERIFY(QDir(dir_.path()).mkdir(u"result.txt"_s));
        names_->show();
        names_->Edit1->insert(u"Іван"_s);
        names_->Edit2->insert(u"7"_s);
        services_->answers = {MsgAnswer::Ok};
        QTest::mouseClick(names_->Button1, Qt::LeftButton);
        QVERIFY(QDir(dir_.path()).rmdir(u"result.txt"_s));
        QCOMPARE(
            services_->messageTexts(),
            QStringList{u"     ПОМИЛКА ВВОДУ/ВИВОДУ!\rПомилка при відкритті тестового файлу"_s});
        QVERIFY(names_->isVisible());
        QVERIFY(services_->modalShown.isEmpty());
    }

    void mediaOfAQuestion() {
        writeFile(u"song.wav"_s, "RIFF");
        writeFile(u"film.avi"_s, "RIFF");
        QVERIFY(QDir(dir_.path()).mkdir(u"folder.avi"_s));
        QList<TsmRecord> qs = plainQuestions(4);
        qs[0].AudioFile = u"  "_s + dir_.filePath(u"song.wav"_s) + u" "_s;
        qs[0].VideoFile = dir_.filePath(u"film.avi"_s);
        qs[1].AudioFile = u"   "_s; // blanks only: no button, no message
        qs[2].AudioFile = dir_.filePath(u"gone.mp3"_s);
        qs[2].VideoFile = dir_.filePath(u"folder.avi"_s);
        prepareTsm(qs);
        begin(plain_.get());
        PlainTestingWindow* w = plain_.get();
        QVERIFY(w->BitBtn1->isVisibleTo(w) && w->BitBtn2->isVisibleTo(w));
        QString playing;
        services_->modalHandlers.push_back([&](QDialog* d) {
            if (auto* sound = qobject_cast<SoundWindow*>(d))
                playing = sound->WindowsMediaPlayer1->source();
            return 1;
        });
        QTest::mouseClick(w->BitBtn1, Qt::LeftButton);
        QCOMPARE(services_->modalShown, QStringList{u"TForm22"_s});
        QCOMPARE(playing, dir_.filePath(u"song.wav"_s)); // trimmed
        QTest::mouseClick(w->BitBtn2, Qt::LeftButton);
        QCOMPARE(services_->opened, QStringList{dir_.filePath(u"film.avi"_s)});

        QTest::mouseClick(w->Button1, Qt::LeftButton);
        QVERIFY(w->BitBtn1->isHidden() && w->BitBtn2->isHidden());
        QVERIFY(services_->messages.isEmpty());

        services_->answers = {MsgAnswer::Ok, MsgAnswer::Ok};
        QTest::mouseClick(w->Button1, Qt::LeftButton);
        QCOMPARE(services_->messageTexts(),
                 (QStringList{
                     u"Не існує файла аудіо \r\n"_s + dir_.filePath(u"gone.mp3"_s) + u"!!!"_s,
                     u"Не існує файла відео \r\n"_s + dir_.filePath(u"folder.avi"_s) + u"!!!"_s}));
        QVERIFY(w->BitBtn1->isHidden() && w->BitBtn2->isHidden());
        QCOMPARE(services_->opened.size(), 1); // a folder is never handed to the system
        QVERIFY(QDir(dir_.path()).rmdir(u"folder.avi"_s));
        w->close();
    }

    // Shuffled, a question of two answers shows two boxes in the first two
    // places, numbered 1 and 2; ticking the right one scores as before.
    void onlyFilledAnswersAreShown() {
        QList<TsmRecord> qs = plainQuestions(1);
        for (int k : {2, 4, 5})
            qs[0].answer(k).clear();
        qs[0].correct(1) = false;
        qs[0].correct(3) = true;
        prepareTsm(qs, 2); // with hints: the score is shown
        state_->Ns1Record.TestingMode.ShuffleAnswers = true;
        begin(plain_.get());
        PlainTestingWindow* w = plain_.get();
        QCOMPARE(w->Memo2->isVisibleTo(w), true);
        QCOMPARE(w->Memo4->isVisibleTo(w), true);
        for (QWidget* hidden : std::initializer_list<QWidget*>{
                 w->Memo3, w->Memo5, w->Memo6, w->CheckBox2, w->CheckBox4, w->CheckBox5, w->Label18,
                 w->Label19, w->Label20})
            QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));
        // In the first two places (a place's number stands 12 px below its top).
        QList<int> tops{w->Memo2->y(), w->Memo4->y()};
        std::sort(tops.begin(), tops.end());
        QCOMPARE(tops, QList<int>({w->Label16->y() - 12, w->Label17->y() - 12}));
        QVERIFY(w->Bevel1->isHidden()); // no picture, no frame
        tick(w->CheckBox3);
        QTest::mouseClick(w->Button1, Qt::LeftButton);
        QCOMPARE(w->Label7->text(), u"1"_s);
        w->close();
    }

    void pictureInPlaceOfTheAnswers() {
        QImage image(300, 150, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(dir_.filePath(u"map.png"_s)));
        QList<TsmRecord> qs = plainQuestions(3);
        qs[0].PictureFile = dir_.filePath(u"map.png"_s);
        qs[0].QuestionAndPicture = true;
        qs[1].PictureFile = dir_.filePath(u"lost.png"_s);
        prepareTsm(qs);
        state_->Ns1Record.TestingMode.ShuffleAnswers = true;
        begin(plain_.get());
        PlainTestingWindow* w = plain_.get();
        QVERIFY(w->Image1->isVisibleTo(w));
        QVERIFY(w->Memo2->isHidden() && w->Memo6->isHidden());
        QVERIFY(w->CheckBox1->isVisibleTo(w) && w->Memo1->isVisibleTo(w));
        QCOMPARE(w->Image1->x(), w->Memo2->x());
        QCOMPARE(w->Image1->width(), w->Memo1->width() - w->Memo2->x());
        // never shuffled: each answer in its own slot
        QVERIFY(w->CheckBox1->y() < w->CheckBox2->y() && w->CheckBox4->y() < w->CheckBox5->y());

        QString caption;
        QSize size;
        services_->modalHandlers.push_back([&](QDialog* d) {
            if (auto* big = qobject_cast<PictureWindow*>(d)) {
                caption = big->windowTitle();
                size = big->Image1->image().size();
            }
            return 1;
        });
        QTest::mouseDClick(w->Image1, Qt::LeftButton);
        QCOMPARE(services_->modalShown, QStringList{u"TForm21"_s});
        QCOMPARE(caption, dir_.filePath(u"map.png"_s));
        QCOMPARE(size, QSize(300, 150));

        services_->answers = {MsgAnswer::Ok};
        QTest::mouseClick(w->Button1, Qt::LeftButton);
        QCOMPARE(services_->messageTexts(),
                 QStringList{u"Відсутній файл малюнку!\r"_s + dir_.filePath(u"lost.png"_s)});
        QVERIFY(w->Image1->isHidden());
        QVERIFY(w->Memo2->isVisibleTo(w));
        // shuffled: the check box stays beside its own answer
        for (QPair<QPlainTextEdit*, QCheckBox*> pair :
             {qMakePair(w->Memo2, w->CheckBox1), qMakePair(w->Memo6, w->CheckBox5)})
            QCOMPARE(pair.second->y() - pair.first->y(), w->CheckBox1->y() - w->Memo2->y());
        w->close();
        // back in their own slots after the run
        QVERIFY(w->Memo2->y() < w->Memo3->y() && w->Memo5->y() < w->Memo6->y());
    }

    void missingFieldTextFile() {
        QList<TsmRecord> qs = plainQuestions(2);
        for (TsmRecord& q : qs) {
            q.QuestionInTextFile = true;
            q.Question = dir_.filePath(u"none.txt"_s);
        }
        prepareTsm(qs);
        writeFile(u"long.txt"_s, toCp1251(u"Довгий текст\r\nзапитання\r\n"_s));
        services_->answers = {MsgAnswer::Ok, MsgAnswer::Ok};
        begin(plain_.get());
        PlainTestingWindow* w = plain_.get();
        QCOMPARE(w->Memo1->toPlainText(), dir_.filePath(u"none.txt"_s));
        QCOMPARE(w->Memo1->toolTip(), dir_.filePath(u"none.txt"_s));
        QTest::mouseClick(w->Button1, Qt::LeftButton);
        QCOMPARE(services_->messageTexts(),
                 (QStringList{u"Відсутній текстовий файл для поля запитання!\r"_s +
                                  dir_.filePath(u"none.txt"_s),
                              u"Запитання № 2: ВІДСУТНІЙ ТЕКСТОВИЙ ФАЙЛ для поля запитання!\r"_s +
                                  dir_.filePath(u"none.txt"_s)}));
        w->close();

        qs[0].Question = dir_.filePath(u"long.txt"_s);
        prepareTsm(qs);
        services_->answers = {};
        begin(plain_.get());
        QCOMPARE(w->Memo1->toPlainText(), u"Довгий текст\nзапитання"_s);
        w->close();
    }

    void fourLevelLevelLabel() {
        QByteArray bytes = TsrRecord::empty().encode();
        for (int i = 1; i <= 4; ++i) {
            TsrRecord q = question<TsrRecord>(i, 1);
            q.LevelLow = i == 1;
            q.LevelMedium = i == 2;
            q.LevelSufficient = i == 3;
            q.LevelHigh = i == 4;
            bytes += q.encode();
        }
        writeFile(u"bio.tsr"_s, bytes);
        useTest(u"bio.tsr"_s);
        Ns2Record& p = state_->Ns2Record;
        p.TestName = u"bio.tsr"_s;
        p.QuestionsInFile = 4;
        p.InFileLow = p.InFileMedium = p.InFileSufficient = p.InFileHigh = 1;
        p.TestLow = p.TestMedium = p.TestSufficient = p.TestHigh = 1;
        p.PointsLow = 1;
        p.PointsMedium = 2;
        p.PointsSufficient = 3;
        p.PointsHigh = 4;
        p.GradeScale = 12;
        p.TestingMode.Mode = 1;
        p.TestingMode.InputOrder = true;
        begin(goBack_.get());
        GoBackTestingWindow* w = goBack_.get();
        QVERIFY(w->Label13->isVisibleTo(w) && w->Label14->isVisibleTo(w));
        QCOMPARE(w->Label13->text(), u"Рівень:"_s);
        const QStringList texts{u"низький"_s, u"середній"_s, u"достатній"_s, u"високий"_s};
        const QList<QColor> colours{QColor(0, 128, 0), QColor(0, 0, 255), QColor(0, 128, 0),
                                    QColor(255, 0, 0)};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(w->Label14->text(), texts[i]);
            QCOMPARE(w->Label14->palette().color(QPalette::Window), colours[i]);
            if (i < 3)
                QTest::mouseClick(w->Button1, Qt::LeftButton);
        }
        QCOMPARE(panel(w, 1), u"Зап: 4/4 (1/1/1/1)"_s);
        QCOMPARE(panel(w, 3), u"КБЗ: 1/2/3/4"_s);
        QCOMPARE(panel(w, 4), u"МКБ: 10"_s);
        QCOMPARE(w->Button1->text(), u"Ввести ->"_s);
        w->close(); // the system's close command, mid-run
        QCOMPARE(logLines().filter(u"   ТЕСТУВАННЯ ПЕРЕРВАНО!!!"_s).size(), 1);
        QCOMPARE(readJournal(journalPath()).at(0).Interrupted, u"Пер."_s);
        QCOMPARE(services_->beeps, (QList<QPair<int, int>>{{700, 50}}));
    }

    void timersDriveTheRun() {
        prepareTsm(plainQuestions(3), 3);
        state_->Ns1Record.TestingMode.TestTimeOn = true;
        state_->Ns1Record.TestingMode.TestTime = 1;
        state_->Ns1Record.TestingMode.QuestionTime = 40;
        begin(plain_.get());
        PlainTestingWindow* w = plain_.get();
        QApplication::setActiveWindow(w); // as the run keeps it
        QVERIFY(w->Timer1->isActive() && w->Timer2->isActive());
        QVERIFY(w->Label12->isVisibleTo(w) && w->Image3->isVisibleTo(w));
        QVERIFY(w->Label21->isVisibleTo(w) && w->Image6->isVisibleTo(w));
        QCOMPARE(w->Label12->text(), u"40"_s);
        QCOMPARE(w->Label21->text(), u"00:01:00"_s);
        for (int s = 0; s < 40; ++s) {
            services_->fakeClock.advance(1000);
            w->Timer2Timer();
            w->Timer1Timer();
        }
        QCOMPARE(w->Label2->text(), u"2"_s); // answered by the countdown
        QCOMPARE(w->Label12->text(), u"40"_s);
        QCOMPARE(w->Label21->text(), u"00:00:20"_s);
        QCOMPARE(panel(w, 5), u"09:00:40"_s);
        for (int s = 0; s < 22; ++s) {
            services_->fakeClock.advance(1000);
            w->Timer2Timer();
            w->Timer1Timer();
        }
        QVERIFY(!w->Button1->isEnabled() && w->Button3->isEnabled() && w->Button2->isEnabled());
        QVERIFY(!w->CheckBox1->isEnabled());
        QCOMPARE(services_->beeps, (QList<QPair<int, int>>{{700, 50}}));
        QTest::keyClick(w, Qt::Key_Escape); // does not end anything
        QVERIFY(w->isVisible());
        QTest::mouseClick(w->Button3, Qt::LeftButton);
        QVERIFY(!w->isVisible() && !w->Timer1->isActive() && !w->Timer2->isActive());
        QCOMPARE(logLines().filter(u"   ТЕСТУВАННЯ ПЕРЕРВАНО!!!"_s).size(), 1);
        QCOMPARE(readJournal(journalPath()).at(0).Interrupted, u"Пер."_s);
    }

    void memoFontAndBackground() {
        prepareTsm(plainQuestions(2));
        begin(plain_.get());
        PlainTestingWindow* w = plain_.get();
        QFont font(u"Liberation Serif"_s);
        font.setPixelSize(22);
        services_->fontAnswers = {font};
        services_->colorAnswers = {QColor(Qt::yellow)};
        w->N1->trigger();
        w->N2->trigger();
        QCOMPARE(w->N1->text(), u"Шрифт..."_s);
        QCOMPARE(w->N2->text(), u"Фон..."_s);
        for (QPlainTextEdit* m : {w->Memo1, w->Memo3, w->Memo6}) {
            QCOMPARE(m->font().pixelSize(), 22);
            QCOMPARE(m->palette().color(QPalette::Base), QColor(Qt::yellow));
            QCOMPARE(m->focusPolicy(), Qt::NoFocus);
            QCOMPARE(m->textInteractionFlags(), Qt::NoTextInteraction);
        }
        w->close();
    }

    // The result that could not go to the test's journal says where it went;
    // a 40-character name is shown whole.
    void resultWindowSaysWhereTheResultWent_data() {
        QTest::addColumn<bool>("elsewhere");
        QTest::newRow("the test's journal") << false;
        QTest::newRow("the default journal") << true;
    }
    void resultWindowSaysWhereTheResultWent() {
        QFETCH(bool, elsewhere);
        prepareTsm(plainQuestions(1));
        state_->Run.StudentName = u"Костянтиненко-Загорулько Олександра Вікт"_s;
        QCOMPARE(state_->Run.StudentName.size(), 40);
        state_->LastEntryJournal = elsewhere ? state_->defaultJournalPath() : journalPath();
        ResultWindow result(*ctx_, nullptr);
        result.show();
        QCOMPARE(result.JournalNote->isVisible(), elsewhere);
        if (elsewhere)
            QVERIFY(result.JournalNote->text().endsWith(state_->defaultJournalPath()));
        QVERIFY(result.Label17->fontMetrics().horizontalAdvance(result.Label17->text()) <=
                result.Label17->width());
    }

    void scaledToTheScreen() {
        state_->ScaleX = 2;
        state_->ScaleY = 2;
        PlainTestingWindow big(*ctx_, nullptr);
        QCOMPARE(big.geometry().size(), QSize(1280, 960));
        QCOMPARE(big.Memo1->geometry(), QRect(16, 52, 1248, 224));
        QCOMPARE(big.Image1->geometry(), QRect(2 * 408, 2 * 158, 2 * 224, 2 * 172));
        QCOMPARE(big.Button1->font().pixelSize(), 2 * plain_->Button1->font().pixelSize());
        QCOMPARE(big.Label1->font().pixelSize(), 2 * plain_->Label1->font().pixelSize());
        QCOMPARE(big.Memo1->font().pixelSize(), 2 * plain_->Memo1->font().pixelSize());
    }
};

QTEST_MAIN(TestingWindowsTest)
#include "tst_testingwindows.moc"
