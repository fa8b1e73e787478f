// The split command and its window, beside the main window.
#include "toolfixture.h"

#include "tools/splitwindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

class SplitWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ToolShell> shell_;
    SplitWindow* form_ = nullptr;

    // "Ро&збити..." with `name` chosen.
    void splitCommand(const QString& name) {
        shell_->chooseFile(shell_->path(name));
        shell_->trigger(u"MenuSplit"_s);
    }
    void answer(const QString& a) {
        form_->Edit2->setText(a);
        form_->BitBtn1->click();
    }
    QString confirmation(const QString& first, const QString& second) const {
        return u"Будуть створені файли\r "_s + shell_->path(first) + u" та "_s + u"\r"_s + u" "_s +
               shell_->path(second);
    }

private slots:
    void init() {
        shell_ = std::make_unique<ToolShell>();
        form_ = new SplitWindow(shell_->ctx, &shell_->main);
        shell_->ctx.windows.add(form_);
    }
    void cleanup() {
        QVERIFY(shell_->services.allUsed());
        shell_.reset();
    }

    void commandShowsTheSource_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("questions");
        QTest::newRow("one-level") << u"math.tsm"_s << 10;
        QTest::newRow("four-level") << u"math.tsr"_s << 4;
    }
    void commandShowsTheSource() {
        QFETCH(QString, name);
        QFETCH(int, questions);
        shell_->makeTest(name, questions);
        splitCommand(name);

        const FileDialogSpec& request = shell_->services.fileDialogs.at(0);
        QCOMPARE(request.title, u"Розбиття файла"_s);
        QCOMPARE(request.filter, u"Всі тестові файли (*.tsm, *.tsr)|*.tsm;*.tsr|Тестові файли "
                                 u"одного рівня (*.tsm)|*.tsm|Тестові файли 4-ох рівнів "
                                 u"(*.tsr)|*.tsr"_s);
        QCOMPARE(request.defaultExt, u"tsm"_s);
        QVERIFY(request.fileName.isEmpty());

        QVERIFY(form_->isVisible());
        QVERIFY(!form_->isModal());
        QVERIFY(form_->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(form_->windowTitle(), u"Розбити файл - "_s + shell_->path(name));
        QCOMPARE(form_->Edit1->text(), QString::number(questions));
        QVERIFY(!form_->Edit1->isEnabled());
        QVERIFY(form_->Edit2->text().isEmpty());
        QCOMPARE(form_->Label2->text(), u"Файл буде розбито на два!"_s);
        QCOMPARE(form_->Label1->text(), u"Всього запитань у тестовому файлі"_s);
        QCOMPARE(form_->Label3->text(),
                 u"Задайте кількість запитань  у першому  тестовому файлі:"_s);
        QCOMPARE(form_->BitBtn1->text(), u"&ОК"_s);
        QCOMPARE(form_->BitBtn2->text(), u"&Відміна"_s);
        QCOMPARE(shell_->state.TestFileName, shell_->path(name));
        QCOMPARE(shell_->state.TestFileExt, name.right(4));
        QCOMPARE(shell_->state.TestDir, shell_->dir.path());
        form_->BitBtn2->click();
        QVERIFY(!form_->isVisible());
    }

    void commandAgainSwitchesTheSource() {
        shell_->makeTest(u"math.tsm"_s, 10);
        shell_->makeTest(u"bio.tsr"_s, 6);
        splitCommand(u"math.tsm"_s);
        form_->Edit2->setText(u"3"_s);
        splitCommand(u"bio.tsr"_s);
        QCOMPARE(form_->windowTitle(), u"Розбити файл - "_s + shell_->path(u"bio.tsr"_s));
        QCOMPARE(form_->Edit1->text(), u"6"_s);
        QVERIFY(form_->Edit2->text().isEmpty());
        shell_->services.answers = {MsgAnswer::Yes};
        answer(u"2"_s);
        QCOMPARE(shell_->recordsOf(u"bio1.tsr"_s), 3);
        QCOMPARE(shell_->recordsOf(u"bio2.tsr"_s), 5);
    }

    void commandOnAMissingOrForeignFile() {
        shell_->services.answers = {MsgAnswer::Ok};
        splitCommand(u"gone.tsm"_s);
        QCOMPARE(shell_->services.messageTexts(), QStringList{u"Помилка в назві файлу!"_s});
        QVERIFY(!form_->isVisible());

        shell_->makeTest(u"MATH.TSM"_s, 3);
        splitCommand(u"MATH.TSM"_s); // nothing said, nothing shown
        QCOMPARE(shell_->services.messages.size(), 1);
        QVERIFY(!form_->isVisible());
        QCOMPARE(shell_->state.TestFileExt, u".TSM"_s);
    }

    void valuesAreChecked_data() {
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("emptied");
        QTest::newRow("blank") << 10 << u"  "_s << u"Задайте кількість запитань у першому файлі!"_s
                               << false;
        QTest::newRow("letters") << 10 << u"три"_s << u"Неправильний тип значення!"_s << true;
        QTest::newRow("fraction") << 10 << u"2.5"_s << u"Неправильний тип значення!"_s << true;
        QTest::newRow("11 of 10") << 10 << u"11"_s
                                  << u"Запитань у першому файлі більше, ніж у вихідному!"_s << true;
        QTest::newRow("10 of 10") << 10 << u"10"_s << u"Недоцільне розбиття!"_s << true;
        QTest::newRow("0 of 10") << 10 << u"0"_s << u"Недоцільне розбиття!"_s << true;
        QTest::newRow("-2 of 10") << 10 << u"-2"_s << u"Неправильне введене значення!"_s << true;
        QTest::newRow("1 of 1") << 1 << u"1"_s << u"Недоцільне розбиття!"_s << true;
        QTest::newRow("0 of 1") << 1 << u"0"_s << u"Недоцільне розбиття!"_s << true;
    }
    void valuesAreChecked() {
        QFETCH(int, questions);
        QFETCH(QString, a);
        QFETCH(QString, message);
        QFETCH(bool, emptied);
        shell_->makeTest(u"math.tsm"_s, questions);
        splitCommand(u"math.tsm"_s);
        const QStringList files = shell_->listing();
        shell_->services.answers = {MsgAnswer::Ok};
        answer(a);
        QCOMPARE(shell_->services.messageTexts(), QStringList{message});
        QCOMPARE(shell_->services.messages[0].icon, MsgIcon::Error);
        QCOMPARE(form_->Edit2->text().isEmpty(), emptied);
        QCOMPARE(form_->focusWidget(), form_->Edit2);
        QVERIFY(form_->isVisible());
        QCOMPARE(shell_->listing(), files);
    }

    void splits_data() {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("10 at 3") << u".tsm"_s << QStringList{} << u"math1"_s << u"math2"_s;
        QTest::newRow("math1 exists")
            << u".tsm"_s << QStringList{u"math1"_s} << u"math2"_s << u"math3"_s;
        QTest::newRow("math2 exists, replaced")
            << u".tsm"_s << QStringList{u"math2"_s} << u"math1"_s << u"math2"_s;
        QTest::newRow("four-level") << u".tsr"_s << QStringList{} << u"math1"_s << u"math2"_s;
    }
    void splits() {
        QFETCH(QString, ext);
        QFETCH(QStringList, existing);
        QFETCH(QString, first);
        QFETCH(QString, second);
        shell_->makeTest(u"math"_s + ext, 10);
        const QByteArray source = shell_->bytesOf(u"math"_s + ext);
        for (const QString& name : existing)
            shell_->makeTest(name + ext, 20, u"old"_s);
        splitCommand(u"math"_s + ext);
        // A second result that exists is another test: asked about by name.
        const bool replacing = existing.contains(second);
        shell_->services.answers = {MsgAnswer::Yes};
        if (replacing)
            shell_->services.answers.push_back(MsgAnswer::Yes);
        answer(u"3"_s);

        QStringList expected{confirmation(first + ext, second + ext)};
        if (replacing)
            expected << u"Файл "_s + shell_->path(second + ext) +
                            u" вже існує!\rЙого буде замінено. Замінити?"_s;
        QCOMPARE(shell_->services.messageTexts(), expected);
        QCOMPARE(shell_->services.messages[0].icon, MsgIcon::Confirmation);
        QCOMPARE(shell_->services.messages[0].buttons, MsgButtons::YesNoCancel);
        QVERIFY(!form_->isVisible());
        QCOMPARE(shell_->recordsOf(first + ext), 4);
        QCOMPARE(shell_->recordsOf(second + ext), 8);
        QCOMPARE(shell_->questionOf(first + ext, 3), u"Q 3"_s);
        QCOMPARE(shell_->questionOf(second + ext, 1), u"Q 4"_s);
        QCOMPARE(shell_->questionOf(second + ext, 7), u"Q 10"_s);
        QCOMPARE(shell_->bytesOf(u"math"_s + ext), source);
        if (ext == u".tsr"_s) {
            // Question 3, of level high, keeps it.
            const QByteArray q3 = shell_->bytesOf(first + ext).mid(3 * TsrRecord::Size);
            QVERIFY(TsrRecord::decode(q3).LevelHigh);
        }
    }

    void declinedConfirmationWritesNothing_data() {
        QTest::addColumn<QList<MsgAnswer>>("replies");
        QTest::newRow("No") << QList<MsgAnswer>{MsgAnswer::No};
        QTest::newRow("Cancel") << QList<MsgAnswer>{MsgAnswer::Cancel};
        QTest::newRow("not replacing math2") << QList<MsgAnswer>{MsgAnswer::Yes, MsgAnswer::No};
    }
    void declinedConfirmationWritesNothing() {
        QFETCH(QList<MsgAnswer>, replies);
        shell_->makeTest(u"math.tsm"_s, 10);
        shell_->makeTest(u"math2.tsm"_s, 20, u"old"_s);
        const QByteArray old = shell_->bytesOf(u"math2.tsm"_s);
        splitCommand(u"math.tsm"_s);
        const QStringList files = shell_->listing();
        shell_->services.answers = {replies.begin(), replies.end()};
        answer(u"3"_s);
        QVERIFY(form_->isVisible());
        QCOMPARE(shell_->listing(), files);
        QCOMPARE(shell_->bytesOf(u"math2.tsm"_s), old);
    }

    // The main window reuses the shared test file while the split window
    // stands open: the split still reads its own source.
    void readsItsOwnSource() {
        shell_->makeTest(u"math.tsm"_s, 4);
        shell_->makeTest(u"other.tsm"_s, 9, u"other"_s);
        splitCommand(u"math.tsm"_s);
        shell_->state.TsmFile.openExisting(shell_->path(u"other.tsm"_s), TsmRecord::Size);
        shell_->state.TsmFile.seek(5);
        shell_->state.TestFileName = shell_->path(u"other.tsm"_s);
        shell_->services.answers = {MsgAnswer::Yes};
        answer(u"2"_s);
        QCOMPARE(shell_->questionOf(u"math1.tsm"_s, 2), u"Q 2"_s);
        QCOMPARE(shell_->questionOf(u"math2.tsm"_s, 2), u"Q 4"_s);
        QCOMPARE(shell_->recordsOf(u"math2.tsm"_s), 3);
        QCOMPARE(shell_->state.TsmFile.position(), 5);
    }

    void changedSourceIsCountedAgain() {
        shell_->makeTest(u"math.tsm"_s, 10);
        splitCommand(u"math.tsm"_s);
        shell_->makeTest(u"math.tsm"_s, 3); // edited meanwhile
        shell_->services.answers = {MsgAnswer::Ok};
        answer(u"5"_s);
        QCOMPARE(form_->Edit1->text(), u"3"_s);
        QCOMPARE(shell_->services.messageTexts(),
                 QStringList{u"Запитань у першому файлі більше, ніж у вихідному!"_s});
    }

    void failureHalfWayLeavesNoFiles_data() {
        QTest::addColumn<QString>("failing");
        QTest::newRow("first file") << u"math1.tsm"_s;
        QTest::newRow("second file") << u"math2.tsm"_s;
    }
    void failureHalfWayLeavesNoFiles() {
        QFETCH(QString, failing);
        shell_->makeTest(u"math.tsm"_s, 10);
        shell_->makeTest(u"math2.tsm"_s, 20, u"old"_s);
        const QByteArray old = shell_->bytesOf(u"math2.tsm"_s);
        splitCommand(u"math.tsm"_s);
        const QStringList files = shell_->listing();
        ScopedWriteFault fault(*shell_, shell_->path(failing));
        shell_->services.answers = {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Ok};
        answer(u"3"_s);
        QCOMPARE(shell_->services.messageTexts().last(),
                 u"Розбиття файлу не виконано!\rНе вдалося записати файл "_s +
                     shell_->path(failing) + u":\rNo space left on device"_s);
        QVERIFY(form_->isVisible());
        QCOMPARE(shell_->listing(), files);
        QCOMPARE(shell_->bytesOf(u"math2.tsm"_s), old);
    }
};

QTEST_MAIN(SplitWindowTest)
#include "tst_splitwindow.moc"
