// The main window's test-file commands, driven through its buttons and menu.
#include "app/application.h"
#include "app/mainwindow.h"
#include "editor/editorfixture.h"

#include "core/testfile.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QRadioButton>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

namespace {
const QString kF1 = u"Тестові файли одного рівня (*.tsm)|*.tsm|Тестові файли 4-ох рівнів "
                    u"(*.tsr)|*.tsr|Всі тестові файли (*.tsm,*.tsr)|*.tsm;*.tsr"_s;
const QString kF2 = u"Всі тестові файли (*.tsm, *.tsr)|*.tsm;*.tsr|Тестові файли одного рівня "
                    u"(*.tsm)|*.tsm|Тестові файли 4-ох рівнів (*.tsr)|*.tsr|Всі файли (*.*)|*.*"_s;
const QString kF3 = u"Всі тестові файли (*.tsm, *.tsr)|*.tsm;*.tsr|Тестові файли одного рівня "
                    u"(*.tsm)|*.tsm|Тестові файли 4-ох рівнів (*.tsr)|*.tsr"_s;

struct Shell {
    QTemporaryDir dir;
    ScriptedServices services;
    Application program{services, dir.path()};
    MainWindow* main = nullptr;
    EditorWindow* editor = nullptr;

    Shell() {
        program.createWindows();
        main = program.mainWindow();
        editor = program.context().windows.find<EditorWindow>();
    }
    AppState& state() { return program.state(); }
    QString path(const QString& name) const { return dir.filePath(name); }
    void click(const char16_t* button) {
        main->findChild<QPushButton*>(QString::fromUtf16(button))->click();
    }
    void choose(const QString& file) { services.fileAnswers.push_back({file, 1}); }
    QString editorText(const QString& name) const {
        if (auto* l = editor->findChild<QLabel*>(name))
            return l->text();
        if (auto* m = editor->findChild<QPlainTextEdit*>(name))
            return m->toPlainText();
        return editor->findChild<QLineEdit*>(name)->text();
    }
    // Expects the next modal window and records what the state held then.
    void expectModal(const QString& name, std::function<void()> check = {}) {
        services.modalHandlers.push_back([name, check](QDialog* d) {
            if (d->objectName() != name)
                qWarning("modal %s instead of %s", qPrintable(d->objectName()), qPrintable(name));
            if (check)
                check();
            return int(QDialog::Accepted);
        });
    }
};

Ns1Record ns1(const QString& name, qint32 questions) {
    Ns1Record r;
    r.TestName = name;
    r.QuestionsInFile = questions;
    r.TestQuestions = questions;
    r.QuestionPoints = 1;
    r.GradeScale = 12;
    r.TestingMode.Mode = 1;
    r.JournalPath = u"/j/x.ocn"_s;
    return r;
}

Question ofLevel(char level) {
    Question q = question(u"q"_s, TestKind::Tsr);
    q.LevelLow = level == 'L';
    q.LevelMedium = level == 'M';
    q.LevelSufficient = level == 'S';
    q.LevelHigh = level == 'H';
    return q;
}
} // namespace

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void createOneLevel() {
        Shell s;
        const QString file = s.path(u"a.tsm"_s);
        s.choose(file);
        s.services.answers.push_back(MsgAnswer::Yes);
        s.click(u"Button1");
        QCOMPARE(s.main->statusText(0), u" Створення тестового тестового файла"_s);
        const FileDialogSpec& request = s.services.fileDialogs.first();
        QCOMPARE(request.title, u"Новий файл"_s);
        QCOMPARE(request.filter, kF1);
        QCOMPARE(request.defaultExt, u"tsm"_s);
        QCOMPARE(request.initialDir, s.dir.path());
        QVERIFY(request.overwritePrompt);
        QCOMPARE(readWholeFile(file), newTestFileBytes(TestKind::Tsm));
        QCOMPARE(QFileInfo(file).size(), 2 * 2316);
        QCOMPARE(s.services.messageTexts(), QStringList{u"Будете вносити запитання?"_s});
        QCOMPARE(s.services.messages.first().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(s.state().TestFileName, file);
        QCOMPARE(s.state().TestFileExt, u".tsm"_s);
        QCOMPARE(s.state().TestDir, s.dir.path());
        QVERIFY(s.editor->isVisible());
        QCOMPARE(s.editor->windowTitle(), u"Новий тестовий файл - "_s + file);
        QCOMPARE(s.editorText(u"Label2"_s), u"1"_s);
        QCOMPARE(s.editorText(u"Label11"_s), u"1"_s);
        QCOMPARE(s.editorText(u"Edit2"_s), u"1"_s);
        QVERIFY(s.editor->findChild<QGroupBox*>(u"GroupBox1"_s)->isHidden());
        QVERIFY(!s.editor->isDirty());
    }

    void createFourLevel() {
        Shell s;
        const QString file = s.path(u"b.tsr"_s);
        s.choose(file);
        s.services.answers.push_back(MsgAnswer::Yes);
        s.main->menuAction(u"MenuCreate"_s)->trigger();
        QCOMPARE(QFileInfo(file).size(), 2 * 2320);
        const QList<Question> records = readQuestions(file, TestKind::Tsr);
        QVERIFY(records.at(0).LevelLow);
        QVERIFY(records.at(1).LevelLow);
        QVERIFY(!s.editor->findChild<QGroupBox*>(u"GroupBox1"_s)->isHidden());
        QVERIFY(s.editor->findChild<QRadioButton*>(u"RadioButton1"_s)->isChecked());
    }

    void createOtherExtensionDoesNothing() {
        Shell s;
        s.choose(s.path(u"c.txt"_s));
        s.click(u"Button1");
        QVERIFY(!QFileInfo::exists(s.path(u"c.txt"_s)));
        QVERIFY(s.services.messages.isEmpty());
        QCOMPARE(s.state().TestFileExt, u".txt"_s);
        QVERIFY(!s.editor->isVisible());
    }

    void createWithoutEditing() {
        Shell s;
        s.choose(s.path(u"d.tsm"_s));
        s.services.answers.push_back(MsgAnswer::No);
        s.click(u"Button1");
        QCOMPARE(QFileInfo(s.path(u"d.tsm"_s)).size(), 2 * 2316);
        QVERIFY(!s.editor->isVisible());
    }

    void openForEditing() {
        Shell s;
        QDir(s.dir.path()).mkdir(u"sub"_s);
        const QString file = s.path(u"sub/five.tsmx"_s); // counts as ".tsm"
        writeNumbered(file, TestKind::Tsm, 4);
        s.choose(file);
        s.click(u"Button3");
        QCOMPARE(s.main->statusText(0), u" Редагування тестового файла"_s);
        const FileDialogSpec& request = s.services.fileDialogs.first();
        QCOMPARE(request.title, u"Редагувати тестовий файл"_s);
        QCOMPARE(request.filter, kF2);
        QCOMPARE(request.fileName, QString());
        QVERIFY(s.editor->isVisible());
        QCOMPARE(s.editor->windowTitle(), u"Редагування тестового файлу - "_s + file);
        QCOMPARE(s.editorText(u"Label11"_s), u"4"_s);
        QCOMPARE(s.editorText(u"Memo1"_s), u"Q1"_s);
        QCOMPARE(s.state().TestDir, s.path(u"sub"_s));
        // The next dialog starts in the folder of this file.
        s.services.fileAnswers.push_back({});
        s.click(u"Button2");
        QCOMPARE(s.services.fileDialogs.last().initialDir, s.path(u"sub"_s));
    }

    void openRefusals_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("missing file")
            << u"nope.tsm"_s << false << QStringList{u"Помилка в назві файлу!"_s};
        QTest::newRow("upper-case extension") << u"X.TSM"_s << true << QStringList{};
    }
    void openRefusals() {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        QFETCH(QStringList, messages);
        Shell s;
        if (exists)
            writeNumbered(s.path(name), TestKind::Tsm, 1);
        s.choose(s.path(name));
        if (!messages.isEmpty())
            s.services.answers.push_back(MsgAnswer::Ok);
        s.click(u"Button3");
        QCOMPARE(s.services.messageTexts(), messages);
        QVERIFY(!s.editor->isVisible());
    }

    void parametersOfAnEmptyFile() {
        Shell s;
        writeFileAtomically(s.path(u"z.tsm"_s), QByteArray());
        s.choose(s.path(u"z.tsm"_s));
        s.services.answers.push_back(MsgAnswer::Ok);
        s.click(u"Button2");
        QCOMPARE(s.main->statusText(0), u"Задайте параметри тестування"_s);
        QCOMPARE(s.services.fileDialogs.first().title, u"Параметри тестування"_s);
        QCOMPARE(s.services.fileDialogs.first().filter, kF3);
        QCOMPARE(s.services.messageTexts(),
                 QStringList{u"Тестовий файл не містить записів!\rЗаповніть файл, а потім задайте "
                             u"параметри тестування!"_s});
        QCOMPARE(s.state().TestFileName, QString());
        QCOMPARE(s.state().TestFileExt, QString());
        QVERIFY(!s.state().TsmFile.isOpen());
    }

    void parametersShowTheirWindow_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("window");
        QTest::newRow("one-level") << u"p.tsm"_s << u"TForm5"_s;
        QTest::newRow("four-level") << u"p.tsr"_s << u"TForm16"_s;
    }
    void parametersShowTheirWindow() {
        QFETCH(QString, name);
        QFETCH(QString, window);
        Shell s;
        const TestKind kind = testKindOfExt(name.right(4));
        writeNumbered(s.path(name), kind, 2);
        s.choose(s.path(name));
        bool open = false;
        s.expectModal(window, [&] {
            const RecordFile& f = kind == TestKind::Tsm ? s.state().TsmFile : s.state().TsrFile;
            open = f.isOpen() && f.position() == 0 && f.path() == s.path(name);
        });
        s.main->menuAction(u"MenuParams"_s)->trigger();
        QCOMPARE(s.services.modalShown, QStringList{window});
        QVERIFY(open);
    }

    void testingChecks_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        const QString changed = u"Кількість записів у файлі було ЗМІНЕНО!!!\rЗМІНІТЬ ПАРАМЕТРИ "
                                u"ТЕСТУВАННЯ ДЛЯ ДАНОГО ФАЙЛУ \rТА ПОВТОРІТЬ КОМАНДУ!!!"_s;
        const QString missing = u"Відсутні дані про тестовий файл у файлі настройки!"_s;
        // The file has 11 questions; the record stored 10 or 11.
        QTest::newRow("count changed")
            << u"x.tsm"_s << u"x.tsm|10"_s << changed << int(MsgIcon::Information);
        QTest::newRow("another folder's x.tsm matches")
            << u"x.tsm"_s << u"D:\\old\\x.tsm|11"_s << QString() << 0;
        QTest::newRow("X.tsm is not x.tsm")
            << u"X.tsm"_s << u"x.tsm|11"_s << missing << int(MsgIcon::Error);
    }
    void testingChecks() {
        QFETCH(QString, file);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        QFETCH(int, icon);
        Shell s;
        writeNumbered(s.path(file), TestKind::Tsm, 11);
        const QStringList parts = stored.split(u'|');
        writeFileAtomically(s.path(u"test.ns1"_s), ns1(parts.at(0), parts.at(1).toInt()).encode());
        s.choose(s.path(file));
        bool handedOver = false;
        if (message.isEmpty()) {
            s.expectModal(u"TForm6"_s, [&] {
                handedOver = s.state().ParamsFound && s.state().JournalPath == u"/j/x.ocn"_s &&
                             s.state().TsmFile.position() == 0 &&
                             s.state().TestFileName == s.path(file);
            });
        } else {
            s.services.answers.push_back(MsgAnswer::Ok);
        }
        s.click(u"Button4");
        QCOMPARE(s.main->statusText(0), u" Провести тестування"_s);
        QCOMPARE(s.services.fileDialogs.first().title, u"Тестування"_s);
        QCOMPARE(s.services.fileDialogs.first().filter, kF3);
        if (message.isEmpty()) {
            QVERIFY(handedOver);
            QVERIFY(s.services.messages.isEmpty());
        } else {
            QCOMPARE(s.services.messageTexts(), QStringList{message});
            QCOMPARE(int(s.services.messages.first().icon), icon);
            QVERIFY(!s.state().ParamsFound);
            QVERIFY(s.services.modalShown.isEmpty());
        }
    }

    // Parameters no run can be given with are refused before the name window,
    // with the message the run itself would give.
    void impossibleParametersBeforeTheNameWindow_data() {
        QTest::addColumn<qint32>("points");
        QTest::addColumn<QString>("message");
        const QString again =
            u"\rЗМІНІТЬ ПАРАМЕТРИ ТЕСТУВАННЯ ДЛЯ ДАНОГО ФАЙЛУ \rТА ПОВТОРІТЬ КОМАНДУ!!!"_s;
        QTest::newRow("no points") << 0
                                   << u"Неправильні параметри тестування: балів за запитання має "
                                      u"бути більше 0."_s +
                                          again;
        // 10 questions of a thousand million points: past the journal's field.
        QTest::newRow("too many points")
            << 1000000000
            << u"Максимальна кількість балів за тест (10000000000) не вміщується у поле журналу "
               u"«Макс.балів»:\rнайбільше можна 2147483647 балів!"_s +
                   again;
    }
    void impossibleParametersBeforeTheNameWindow() {
        QFETCH(qint32, points);
        QFETCH(QString, message);
        Shell s;
        writeNumbered(s.path(u"x.tsm"_s), TestKind::Tsm, 10);
        Ns1Record r = ns1(u"x.tsm"_s, 10);
        r.QuestionPoints = points;
        writeFileAtomically(s.path(u"test.ns1"_s), r.encode());
        s.choose(s.path(u"x.tsm"_s));
        s.services.answers.push_back(MsgAnswer::Ok);
        s.click(u"Button4");
        QCOMPARE(s.services.messageTexts(), QStringList{message});
        QVERIFY(s.services.modalShown.isEmpty());
    }

    // X.TSM is neither kind: the command ends after the dialog, silently.
    void testingUpperCaseExtension() {
        Shell s;
        writeNumbered(s.path(u"X.TSM"_s), TestKind::Tsm, 1);
        writeFileAtomically(s.path(u"test.ns1"_s), ns1(u"x.tsm"_s, 1).encode());
        s.choose(s.path(u"X.TSM"_s));
        s.click(u"Button4");
        QCOMPARE(s.state().TestFileExt, u".TSM"_s);
        QVERIFY(s.services.messages.isEmpty());
        QVERIFY(s.services.modalShown.isEmpty());
        QVERIFY(!s.state().TsmFile.isOpen());
    }

    void testingWithoutParameterFile() {
        Shell s;
        writeNumbered(s.path(u"y.tsm"_s), TestKind::Tsm, 1);
        s.choose(s.path(u"y.tsm"_s));
        s.services.answers.push_back(MsgAnswer::Ok);
        s.click(u"Button4");
        QCOMPARE(s.services.messageTexts(),
                 QStringList{u"Не існує файла настройки "_s + s.dir.path() + u"/test.ns1"_s});
    }

    void testingFourLevel_data() {
        QTest::addColumn<QByteArray>("levels");
        QTest::addColumn<bool>("runs");
        // Stored: 2 low, 1 medium, 1 high.
        QTest::newRow("counts agree") << QByteArray("LHML") << true;
        QTest::newRow("levels changed, same total") << QByteArray("LHMS") << false;
    }
    void testingFourLevel() {
        QFETCH(QByteArray, levels);
        QFETCH(bool, runs);
        Shell s;
        QList<Question> qs;
        for (char c : levels)
            qs.append(ofLevel(c));
        writeQuestions(s.path(u"g.tsr"_s), TestKind::Tsr, qs);
        Ns2Record r;
        r.TestName = u"g.tsr"_s;
        r.QuestionsInFile = 4;
        r.InFileLow = 2;
        r.InFileMedium = 1;
        r.InFileHigh = 1;
        r.TestLow = 2;
        r.PointsLow = 1;
        r.GradeScale = 12;
        r.TestingMode.Mode = 1;
        writeFileAtomically(s.path(u"test.ns2"_s), r.encode());
        s.choose(s.path(u"g.tsr"_s));
        std::vector<int> low;
        if (runs)
            s.expectModal(u"TForm6"_s, [&] { low = s.state().LevelLowList; });
        else
            s.services.answers.push_back(MsgAnswer::Ok);
        s.main->menuAction(u"MenuTesting"_s)->trigger();
        if (runs) {
            QCOMPARE(low, (std::vector<int>{1, 4}));
            QCOMPARE(s.state().TsrFile.position(), s.state().TsrFile.count());
        } else {
            QCOMPARE(s.services.messageTexts(),
                     QStringList{u"Кількість запитань у файлі або кількість запитань певних рівнів "
                                 u"БУЛО ЗМІНЕНО!!!\rЗМІНІТЬ ПАРАМЕТРИ ТЕСТУВАННЯ ДЛЯ ДАНОГО ФАЙЛУ "
                                 u"\rТА ПОВТОРІТЬ КОМАНДУ!!!"_s});
            QCOMPARE(s.services.messages.first().icon, MsgIcon::Error);
        }
    }

    void journal() {
        Shell s;
        s.expectModal(u"TForm10"_s);
        s.click(u"Button5");
        QCOMPARE(s.main->statusText(0), u" Журнал оцінювання"_s);
        QCOMPARE(s.services.modalShown, QStringList{u"TForm10"_s});
        s.expectModal(u"TForm10"_s);
        s.main->menuAction(u"MenuJournal"_s)->trigger();
        QCOMPARE(s.services.modalShown.size(), 2);
    }

    // Each menu item runs its button's command (cancelled at the dialog).
    void menuTwins_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("status");
        QTest::newRow("create") << u"MenuCreate"_s << u" Створення тестового тестового файла"_s;
        QTest::newRow("open") << u"MenuOpen"_s << u" Редагування тестового файла"_s;
        QTest::newRow("params") << u"MenuParams"_s << u"Задайте параметри тестування"_s;
        QTest::newRow("testing") << u"MenuTesting"_s << u" Провести тестування"_s;
    }
    void menuTwins() {
        QFETCH(QString, action);
        QFETCH(QString, status);
        Shell s;
        s.services.fileAnswers.push_back({});
        s.main->menuAction(action)->trigger();
        QCOMPARE(s.main->statusText(0), status);
        QVERIFY(s.services.allUsed());
        QVERIFY(s.services.messages.isEmpty());
    }

    // Commands started while the editor is open do not move its saves to
    // their file; opening another file asks about the editor's changes.
    void editorKeepsItsFile() {
        Shell s;
        writeNumbered(s.path(u"mine.tsm"_s), TestKind::Tsm, 2);
        writeNumbered(s.path(u"other.tsr"_s), TestKind::Tsr, 2);
        writeFileAtomically(s.path(u"test.ns2"_s), QByteArray());
        s.choose(s.path(u"mine.tsm"_s));
        s.click(u"Button3");
        s.editor->findChild<QPlainTextEdit*>(u"Memo1"_s)->setPlainText(u"changed"_s);

        s.choose(s.path(u"other.tsr"_s));
        s.expectModal(u"TForm16"_s);
        s.click(u"Button2");
        s.choose(s.path(u"other.tsr"_s));
        s.services.answers.push_back(MsgAnswer::Ok); // "Заповніть файл настройки!"
        s.click(u"Button4");
        QCOMPARE(s.state().TestFileName, s.path(u"other.tsr"_s));

        s.editor->findChild<QPushButton*>(u"Button1"_s)->click();
        QCOMPARE(questionTexts(s.path(u"mine.tsm"_s), TestKind::Tsm),
                 (QStringList{u"R0"_s, u"changed"_s, u"Q2"_s}));
        QCOMPARE(questionTexts(s.path(u"other.tsr"_s), TestKind::Tsr),
                 (QStringList{u"R0"_s, u"Q1"_s, u"Q2"_s}));

        // Opening another file while the editor holds changes asks first.
        s.editor->findChild<QPlainTextEdit*>(u"Memo2"_s)->setPlainText(u"pending"_s);
        s.choose(s.path(u"other.tsr"_s));
        s.services.answers.push_back(MsgAnswer::Cancel);
        s.click(u"Button3");
        QCOMPARE(s.services.messageTexts().last(), u"Текст змінено! Зберегти?"_s);
        QCOMPARE(s.editor->session().path(), s.path(u"mine.tsm"_s));
        QCOMPARE(s.editorText(u"Memo2"_s), u"pending"_s);
    }

    // Creating the very file the editor works on: the editor's changes are
    // asked about first, and Cancel leaves the file alone.
    void createOverTheEditorsFile() {
        Shell s;
        const QString file = s.path(u"e.tsm"_s);
        writeNumbered(file, TestKind::Tsm, 3);
        const QByteArray before = readWholeFile(file);
        s.choose(file);
        s.click(u"Button3");
        s.editor->findChild<QPlainTextEdit*>(u"Memo1"_s)->setPlainText(u"changed"_s);
        s.choose(file);
        s.services.answers.push_back(MsgAnswer::Cancel);
        s.click(u"Button1");
        QCOMPARE(readWholeFile(file), before);
        QVERIFY(s.editor->isVisible());

        s.choose(file);
        s.services.answers.push_back(MsgAnswer::No); // drop the editor's changes
        s.services.answers.push_back(MsgAnswer::Yes);
        s.click(u"Button1");
        QCOMPARE(readWholeFile(file), newTestFileBytes(TestKind::Tsm));
        QCOMPARE(s.editorText(u"Label11"_s), u"1"_s);
        s.editor->findChild<QPlainTextEdit*>(u"Memo1"_s)->setPlainText(u"new"_s);
        s.editor->findChild<QPushButton*>(u"Button1"_s)->click();
        QCOMPARE(questionTexts(file, TestKind::Tsm), (QStringList{QString(), u"new"_s}));
    }
};

QTEST_MAIN(CommandsTest)
#include "tst_commands.moc"
