// The merge window, driven from the main window's menu as a teacher would.
#include "toolfixture.h"

#include "tools/mergewindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

class MergeWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ToolShell> shell_;

    template <typename T = QWidget> static T* child(QDialog* d, const QString& name) {
        T* w = d->findChild<T*>(name);
        if (!w)
            qFatal("no %s", qPrintable(name));
        return w;
    }
    static void click(QDialog* d, const QString& name) { child<QPushButton>(d, name)->click(); }
    static QString text(QDialog* d, const QString& name) {
        return child<QLineEdit>(d, name)->text();
    }

    // Opens the merge window from the menu; `drive` works it and returns its result.
    void runMerge(std::function<void(QDialog*)> drive) {
        shell_->services.modalHandlers.push_back([drive](QDialog* d) {
            drive(d);
            return d->result();
        });
        shell_->trigger(u"MenuMerge"_s);
    }
    // Chooses the first, second and result files (names without a folder).
    void chooseAll(QDialog* d, const QString& first, const QString& second, const QString& result) {
        shell_->chooseFile(shell_->path(first));
        click(d, u"Button1"_s);
        shell_->chooseFile(shell_->path(second));
        click(d, u"Button2"_s);
        shell_->chooseFile(shell_->path(result));
        click(d, u"Button3"_s);
    }

private slots:
    void init() { shell_ = std::make_unique<ToolShell>(); }
    void cleanup() {
        QVERIFY(shell_->services.allUsed());
        shell_.reset();
    }

    void showsEmptyWithOnlyTheFirstToChoose() {
        runMerge([](QDialog* d) {
            QCOMPARE(d->objectName(), u"TForm13"_s);
            QCOMPARE(d->windowTitle(), u"Об'єднання тестових файлів"_s);
            QVERIFY(d->windowFlags() & Qt::WindowStaysOnTopHint);
            QCOMPARE(child<QLabel>(d, u"Label1"_s)->text(), u"Об'єднання двох тестових файлів"_s);
            QCOMPARE(child<QLabel>(d, u"Label2"_s)->text(), u"Виберіть перший файл:"_s);
            QCOMPARE(child<QLabel>(d, u"Label3"_s)->text(), u"Виберіть другий файл:"_s);
            QCOMPARE(child<QLabel>(d, u"Label4"_s)->text(), u"Збережіть результуючий файл:"_s);
            QCOMPARE(child<QPushButton>(d, u"BitBtn2"_s)->text(), u"&Відміна"_s);
            for (const QString& e : {u"Edit1"_s, u"Edit2"_s, u"Edit3"_s}) {
                QVERIFY(text(d, e).isEmpty());
                QVERIFY(!child(d, e)->isEnabled());
            }
            QVERIFY(child(d, u"Button1"_s)->isEnabled());
            QVERIFY(!child(d, u"Button2"_s)->isEnabled());
            QVERIFY(!child(d, u"Button3"_s)->isEnabled());
            click(d, u"BitBtn2"_s);
            QCOMPARE(d->result(), int(QDialog::Rejected));
        });
        QCOMPARE(shell_->services.modalShown, QStringList{u"TForm13"_s});
        // Destroyed once closed.
        QVERIFY(!shell_->main.findChild<MergeWindow*>());
    }

    void mergesThreeAndTwoIntoSix_data() {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("filter");
        QTest::newRow("one-level") << u".tsm"_s << u"Тестові файли одного рівня (*.tsm)|*.tsm"_s;
        QTest::newRow("four-level") << u".tsr"_s << u"Тестові файли 4-ох рівнів (*.tsr)|*.tsr"_s;
    }
    void mergesThreeAndTwoIntoSix() {
        QFETCH(QString, ext);
        QFETCH(QString, filter);
        shell_->makeTest(u"a"_s + ext, 3, u"A"_s);
        shell_->makeTest(u"b"_s + ext, 2, u"B"_s);
        shell_->state.TestFileName = u"/elsewhere/current.tsm"_s;
        shell_->services.answers = {MsgAnswer::Ok};
        runMerge([&](QDialog* d) {
            chooseAll(d, u"a"_s + ext, u"b"_s + ext, u"ab"_s);
            QCOMPARE(text(d, u"Edit1"_s), u"a"_s + ext);
            QCOMPARE(text(d, u"Edit2"_s), u"b"_s + ext);
            QCOMPARE(text(d, u"Edit3"_s), shell_->path(u"ab"_s + ext));
            click(d, u"BitBtn1"_s);
            QCOMPARE(d->result(), int(QDialog::Accepted));
        });
        QCOMPARE(shell_->services.messageTexts(), QStringList{u"Об'єднання файлів виконано!"_s});
        QCOMPARE(shell_->services.messages[0].icon, MsgIcon::Information);
        const QString ab = u"ab"_s + ext;
        QCOMPARE(shell_->recordsOf(ab), 6);
        QCOMPARE(shell_->questionOf(ab, 0), QString());
        QCOMPARE(shell_->questionOf(ab, 1), u"A 1"_s);
        QCOMPARE(shell_->questionOf(ab, 3), u"A 3"_s);
        QCOMPARE(shell_->questionOf(ab, 4), u"B 1"_s);
        QCOMPARE(shell_->questionOf(ab, 5), u"B 2"_s);

        const auto& dialogs = shell_->services.fileDialogs;
        QCOMPARE(dialogs.size(), 3);
        QCOMPARE(dialogs[0].title, u"Об'єднання: перший тестовий файл"_s);
        QCOMPARE(dialogs[0].filter, u"Всі тестові файли (*.tsm, *.tsr)|*.tsm;*.tsr|Тестові файли "
                                    u"одного рівня (*.tsm)|*.tsm|Тестові файли 4-ох рівнів "
                                    u"(*.tsr)|*.tsr"_s);
        QCOMPARE(dialogs[0].defaultExt, u"tsm"_s);
        QCOMPARE(dialogs[1].title, u"Об'єднання: другий тестовий файл"_s);
        QCOMPARE(dialogs[1].filter, filter);
        QCOMPARE(dialogs[2].title, u"Новий файл (об'єднаний)"_s);
        QCOMPARE(dialogs[2].filter, filter);
        for (const FileDialogSpec& request : dialogs) {
            QCOMPARE(request.initialDir, shell_->dir.path());
            QVERIFY(request.fileName.isEmpty());
        }
        QCOMPARE(shell_->state.TestFileExt, ext);
        QCOMPARE(shell_->state.TestFileName, u"/elsewhere/current.tsm"_s);
    }

    void resultAlwaysGetsTheExtension() {
        shell_->makeTest(u"a.tsm"_s, 1);
        runMerge([&](QDialog* d) {
            chooseAll(d, u"a.tsm"_s, u"a.tsm"_s, u"abc.tsm"_s);
            QCOMPARE(text(d, u"Edit3"_s), shell_->path(u"abc.tsm.tsm"_s));
        });
    }

    void mergedWithItselfGivesEachQuestionTwice() {
        shell_->makeTest(u"a.tsm"_s, 2);
        shell_->services.answers = {MsgAnswer::Ok};
        runMerge([&](QDialog* d) {
            chooseAll(d, u"a.tsm"_s, u"a.tsm"_s, u"twice"_s);
            click(d, u"BitBtn1"_s);
        });
        QCOMPARE(shell_->recordsOf(u"twice.tsm"_s), 5);
        QCOMPARE(shell_->questionOf(u"twice.tsm"_s, 3), u"Q 1"_s);
    }

    void okAsksForWhatIsMissing_data() {
        QTest::addColumn<int>("chosen"); // files chosen before OK
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("nothing") << 0 << u"Введіть перший тестовий файл!"_s << u"Button1"_s;
        QTest::newRow("first only") << 1 << u"Введіть другий тестовий файл!"_s << u"Button2"_s;
        QTest::newRow("no result") << 2 << u"Введіть результуючий тестовий файл!"_s << u"Button3"_s;
    }
    void okAsksForWhatIsMissing() {
        QFETCH(int, chosen);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        shell_->makeTest(u"a.tsm"_s, 1);
        shell_->services.answers = {MsgAnswer::Ok};
        runMerge([&](QDialog* d) {
            d->show();
            for (int i = 0; i < chosen; ++i) {
                shell_->chooseFile(shell_->path(u"a.tsm"_s));
                click(d, i == 0 ? u"Button1"_s : u"Button2"_s);
            }
            click(d, u"BitBtn1"_s);
            QCOMPARE(d->focusWidget(), child(d, focus));
            QVERIFY(d->isVisible()); // stays open for the correction
            d->hide();
        });
        QCOMPARE(shell_->services.messageTexts(), QStringList{message});
        QCOMPARE(shell_->services.messages[0].icon, MsgIcon::Error);
    }

    void missingFileIsAnError() {
        runMerge([&](QDialog* d) {
            shell_->chooseFile(shell_->path(u"gone.tsm"_s));
            shell_->services.answers.push_back(MsgAnswer::Ok);
            click(d, u"Button1"_s);
            QVERIFY(text(d, u"Edit1"_s).isEmpty());
            QVERIFY(!child(d, u"Button2"_s)->isEnabled());
        });
        QCOMPARE(shell_->services.messageTexts(), QStringList{u"Помилка в назві файлу!"_s});
    }

    void unknownFirstExtensionDisablesTheOthers_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ext");
        QTest::newRow("other extension") << u"notes.doc"_s << u".doc"_s;
        QTest::newRow("capitals") << u"MATH.TSM"_s << u".TSM"_s;
    }
    void unknownFirstExtensionDisablesTheOthers() {
        QFETCH(QString, name);
        QFETCH(QString, ext);
        shell_->makeTest(u"a.tsm"_s, 1);
        shell_->makeTest(name, 1);
        runMerge([&](QDialog* d) {
            chooseAll(d, u"a.tsm"_s, u"a.tsm"_s, u"out"_s);
            shell_->chooseFile(shell_->path(name));
            click(d, u"Button1"_s);
            QCOMPARE(text(d, u"Edit1"_s), name);
            QVERIFY(text(d, u"Edit2"_s).isEmpty());
            QVERIFY(text(d, u"Edit3"_s).isEmpty());
            QVERIFY(!child(d, u"Button2"_s)->isEnabled());
            QVERIFY(!child(d, u"Button3"_s)->isEnabled());
        });
        QCOMPARE(shell_->state.TestFileExt, ext);
    }

    void declinedReplacementLeavesTheFile_data() {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("No") << MsgAnswer::No;
        QTest::newRow("Cancel") << MsgAnswer::Cancel;
    }
    void declinedReplacementLeavesTheFile() {
        QFETCH(MsgAnswer, answer);
        shell_->makeTest(u"a.tsm"_s, 2);
        shell_->makeTest(u"old.tsm"_s, 7, u"old"_s);
        const QByteArray old = shell_->bytesOf(u"old.tsm"_s);
        shell_->services.answers = {answer};
        runMerge([&](QDialog* d) {
            chooseAll(d, u"a.tsm"_s, u"a.tsm"_s, u"old"_s);
            click(d, u"BitBtn1"_s);
        });
        QCOMPARE(shell_->services.messageTexts(),
                 QStringList{u"Файл "_s + shell_->path(u"old.tsm"_s) + u" вже існує! Замінити?"_s});
        QCOMPARE(shell_->services.messages[0].icon, MsgIcon::Confirmation);
        QCOMPARE(shell_->services.messages[0].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(shell_->bytesOf(u"old.tsm"_s), old);
    }

    void replacesAfterYes() {
        shell_->makeTest(u"a.tsm"_s, 2);
        shell_->makeTest(u"old.tsm"_s, 7, u"old"_s);
        shell_->services.answers = {MsgAnswer::Yes, MsgAnswer::Ok};
        runMerge([&](QDialog* d) {
            chooseAll(d, u"a.tsm"_s, u"a.tsm"_s, u"old"_s);
            click(d, u"BitBtn1"_s);
        });
        QCOMPARE(shell_->services.messageTexts().last(), u"Об'єднання файлів виконано!"_s);
        QCOMPARE(shell_->recordsOf(u"old.tsm"_s), 5);
    }

    // The result typed without its extension can name an input: refused
    // before the replacement question, and the input is kept.
    void resultThatIsAnInputIsRefused() {
        shell_->makeTest(u"a.tsm"_s, 2);
        shell_->makeTest(u"b.tsm"_s, 2);
        const QByteArray b = shell_->bytesOf(u"b.tsm"_s);
        shell_->services.answers = {MsgAnswer::Ok};
        runMerge([&](QDialog* d) {
            d->show();
            chooseAll(d, u"a.tsm"_s, u"b.tsm"_s, u"b"_s);
            click(d, u"BitBtn1"_s);
            QVERIFY(d->isVisible());
            QCOMPARE(d->focusWidget(), child(d, u"Button3"_s));
            d->hide();
        });
        QCOMPARE(shell_->services.messageTexts(),
                 QStringList{u"Файл "_s + shell_->path(u"b.tsm"_s) +
                             u" є одним з вихідних файлів!\rЗадайте інший файл для результату."_s});
        QCOMPARE(shell_->bytesOf(u"b.tsm"_s), b);
    }

    void secondOfTheOtherKindIsRefused() {
        shell_->makeTest(u"a.tsm"_s, 2);
        shell_->makeTest(u"r.tsr"_s, 2);
        shell_->services.answers = {MsgAnswer::Ok};
        runMerge([&](QDialog* d) {
            shell_->chooseFile(shell_->path(u"a.tsm"_s));
            click(d, u"Button1"_s);
            shell_->chooseFile(shell_->path(u"r.tsr"_s)); // typed past the filter
            click(d, u"Button2"_s);
            QVERIFY(text(d, u"Edit2"_s).isEmpty());
        });
        QCOMPARE(shell_->services.messageTexts(),
                 QStringList{u"Файл "_s + shell_->path(u"r.tsr"_s) +
                             u" має інший тип!\rФайли одного рівня і файли 4-ох рівнів не "
                             u"поєднуються."_s});
    }

    void failureHalfWayLeavesNoResult_data() {
        QTest::addColumn<bool>("oldResult");
        QTest::newRow("new result") << false;
        QTest::newRow("old result") << true;
    }
    void failureHalfWayLeavesNoResult() {
        QFETCH(bool, oldResult);
        shell_->makeTest(u"a.tsm"_s, 3);
        if (oldResult)
            shell_->makeTest(u"out.tsm"_s, 1, u"old"_s);
        const QByteArray old = shell_->bytesOf(u"out.tsm"_s);
        const QStringList files = shell_->listing();
        const QString out = shell_->path(u"out.tsm"_s);
        ScopedWriteFault fault(*shell_, out);
        if (oldResult)
            shell_->services.answers.push_back(MsgAnswer::Yes);
        shell_->services.answers.push_back(MsgAnswer::Ok);
        runMerge([&](QDialog* d) {
            chooseAll(d, u"a.tsm"_s, u"a.tsm"_s, u"out"_s);
            click(d, u"BitBtn1"_s);
            QCOMPARE(d->result(), int(QDialog::Rejected)); // still open
        });
        QCOMPARE(shell_->services.messageTexts().last(),
                 u"Об'єднання файлів не виконано!\rНе вдалося записати файл "_s + out +
                     u":\rNo space left on device"_s);
        QCOMPARE(shell_->services.messages.last().icon, MsgIcon::Error);
        QCOMPARE(shell_->listing(), files);
        QCOMPARE(shell_->bytesOf(u"out.tsm"_s), old);
    }
};

QTEST_MAIN(MergeWindowTest)
#include "tst_mergewindow.moc"
