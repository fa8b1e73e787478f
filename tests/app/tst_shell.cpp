// The start-up, the main window, the splash, About and help, driven headless.
#include "app/aboutbox.h"
#include "app/application.h"
#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "core/localetext.h"
#include "support/scriptedservices.h"
#include "ui/scaling.h"
#include "ui/statusbar.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

class ShellTest : public QObject {
    Q_OBJECT

    // Ticks the splash until it hands over; returns the number of ticks.
    static int runSplash(SplashWindow& splash) {
        splash.FormActivate();
        int ticks = 0;
        while (!splash.finished() && ticks < 10000) {
            splash.Timer1Timer();
            ++ticks;
        }
        return ticks;
    }

private slots:
    void scaling_data() {
        QTest::addColumn<double>("factor");
        QTest::addColumn<int>("design");
        QTest::addColumn<int>("scaled");
        QTest::newRow("640x480 unchanged") << 1.0 << 42 << 42;
        QTest::newRow("1024x768: 42 -> 67") << 1.6 << 42 << 67;
        QTest::newRow("7.5 -> 8") << 1.5 << 5 << 8;
        QTest::newRow("2.5 -> 2") << 0.5 << 5 << 2;
    }
    void scaling() {
        QFETCH(double, factor);
        QFETCH(int, design);
        const Scale s{factor, factor};
        QTEST(s.height(design), "scaled");
        QTEST(s.width(design), "scaled");
        QTEST(s.fontHeight(design), "scaled");
    }

    void screenFactorsAndButtonSize() {
        ScriptedServices services;
        services.screen = QSize(1024, 768);
        Application program(services, u"/tmp"_s);
        program.createWindows();
        QCOMPARE(program.state().ScaleX, 1.6);
        QCOMPARE(program.state().ScaleY, 1.6);
        QCOMPARE(program.mainWindow()->Button4->height(), 67);
        QCOMPARE(program.mainWindow()->Button4->width(), 336);
    }

    void programDirAtRoot() {
        QCOMPARE(programDirFrom(u"/"_s), QString());
        QCOMPARE(programDirFrom(u"/"_s) + u"/test.ns1"_s, u"/test.ns1"_s);
        QCOMPARE(programDirFrom(u"/home/t/"_s), u"/home/t"_s);
        QCOMPARE(programDirFrom(u"/home/t"_s), u"/home/t"_s);
        ScriptedServices services;
        Application program(services, u"/"_s);
        QCOMPARE(program.state().ProgramDir, QString());
    }

    void startUpOrder() {
        ScriptedServices services;
        Application program(services, u"/tmp"_s);
        program.createWindows();
        QVERIFY(program.splash());
        QCOMPARE(QApplication::applicationName(), u"Zorvik"_s);
        const QStringList names = program.context().windows.names();
        QCOMPARE(names.first(), u"TForm2"_s);
        const QStringList order = {u"TForm2"_s,  u"TForm3"_s,  u"TForm4"_s,  u"TForm5"_s,
                                   u"TForm6"_s,  u"TForm8"_s,  u"TForm10"_s, u"TForm11"_s,
                                   u"TForm14"_s, u"TForm16"_s, u"TForm17"_s, u"TForm18"_s};
        // Every long-lived window exists, not only those that do come in order.
        for (const QString& name : order)
            QVERIFY2(names.contains(name), qPrintable(name + u" was not created"_s));
        qsizetype last = -1;
        for (const QString& name : names) {
            const qsizetype at = order.indexOf(name);
            if (at < 0)
                continue; // windows of other kinds are not in this list
            QVERIFY2(at > last, qPrintable(name + u" created out of order"_s));
            last = at;
        }
        // Every long-lived window is owned by the main window and dies with it.
        for (const QString& name : names)
            QVERIFY(name == u"TForm2"_s ||
                    program.context().windows.window(name)->parent() == program.mainWindow());
    }

    void splashTicks_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("ticks");
        // Centred at (640 - 335) / 2 = 152: 82 slides of 6 pixels reach 640.
        QTest::newRow("640x480") << QSize(640, 480) << 6 + 1 + 31 + 82;
        // Centred at 715: it vanishes when the by-line is complete.
        QTest::newRow("wide screen") << QSize(3000, 480) << 6 + 1 + 31;
    }
    void splashTicks() {
        QFETCH(QSize, screen);
        ScriptedServices services;
        services.screen = screen;
        AppState state;
        AppContext ctx{state, services, {}};
        SplashWindow splash(ctx);
        QTEST(runSplash(splash), "ticks");
        QCOMPARE(splash.Label1->text(), u"Zorvik"_s);
        QCOMPARE(splash.Label3->text(), SplashWindow::kByLine);
        QVERIFY(splash.x() >= 640);
        QVERIFY(splash.isHidden());
    }

    void splashTypesAndShowsInOrder() {
        ScriptedServices services;
        AppState state;
        AppContext ctx{state, services, {}};
        SplashWindow splash(ctx);
        QCOMPARE(SplashWindow::kByLine.size(), 31);
        QCOMPARE(SplashWindow::kByLine.trimmed().size(), 19);
        splash.FormActivate();
        for (int i = 0; i < 3; ++i)
            splash.Timer1Timer();
        QCOMPARE(splash.Label1->text(), u"Zor"_s);
        QVERIFY(splash.Label2->isHidden());
        for (int i = 0; i < 4; ++i)
            splash.Timer1Timer();
        QVERIFY(!splash.Label2->isHidden());
        QVERIFY(!splash.Bevel2->isHidden());
        QVERIFY(splash.Label3->isHidden());
        splash.Timer1Timer();
        QVERIFY(!splash.Label3->isHidden());
        QCOMPARE(splash.Label3->text(), SplashWindow::kByLine.left(1));
    }

    void statusHintFollowsFocus() {
        ScriptedServices services;
        Application program(services, u"/tmp"_s);
        program.createWindows();
        MainWindow* main = program.mainWindow();
        QCOMPARE(main->statusText(0), u"Створення тестового файлу"_s);
        QCOMPARE(main->statusText(1), u"Дата/час"_s);
        main->show();
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        main->Button4->setFocus();
        main->Timer1Timer();
        QCOMPARE(main->statusText(0), u" Провести тестування"_s);
        QCOMPARE(main->statusText(1), longTimeText(QTime(9, 0, 0)));
        main->BitBtn1->setFocus();
        main->Timer1Timer();
        QCOMPARE(main->statusText(0), u" Вихід з програми"_s);
        // Activation restarts the clock and the question counter.
        program.state().Run.QuestionCounter = 7;
        main->Timer1->stop();
        main->FormActivate();
        QCOMPARE(program.state().Run.QuestionCounter, 1);
        QVERIFY(main->Timer1->isActive());
    }

    void mainWindowLooksAsDesigned() {
        ScriptedServices services;
        Application program(services, u"/tmp"_s);
        program.createWindows();
        MainWindow* main = program.mainWindow();
        QCOMPARE(main->windowTitle(), u"Zorvik-Teacher"_s);
        const QList<QPair<QPushButton*, QString>> buttons = {
            {main->Button1, u"&Створити тестовий файл"_s},
            {main->Button3, u"&Відкрити тестовий файл"_s},
            {main->Button2, u"&Параметри тестування"_s},
            {main->Button4, u"&Тестування"_s},
            {main->Button5, u"&Журнал"_s},
            {main->BitBtn1, u"&Вихід"_s}};
        for (const auto& [button, text] : buttons) {
            QCOMPARE(button->text(), text);
            QVERIFY(button->font().bold());
            QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        }
        QCOMPARE(main->Button1->size(), QSize(210, 42));
        QCOMPARE(main->Button3->y() - main->Button1->y(), 48);
        QVERIFY(!main->BitBtn1->icon().isNull());
        QVERIFY(!main->Image1->pixmap().isNull());
        QVERIFY(!(main->windowFlags() & Qt::WindowMaximizeButtonHint));
        // The clock fits whole, and the two panels fill the bar between them.
        main->show();
        main->Timer1Timer();
        QLabel* hint = main->StatusBar1->panel(0);
        QLabel* clock = main->StatusBar1->panel(1);
        QVERIFY(clock->contentsRect().width() >=
                clock->fontMetrics().horizontalAdvance(clock->text()));
        QVERIFY(clock->geometry().left() - hint->geometry().right() <= 8);
    }

    void menuShortcuts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QKeySequence>("shortcut");
        const auto row = [](const char16_t* n, const char16_t* t, QKeySequence k) {
            QTest::newRow(QString::fromUtf16(n).toUtf8().constData())
                << QString::fromUtf16(n) << QString::fromUtf16(t) << k;
        };
        row(u"MenuCreate", u"&Створити...", QKeySequence(Qt::CTRL | Qt::Key_N));
        row(u"MenuOpen", u"&Відкрити...", QKeySequence(Qt::CTRL | Qt::Key_E));
        row(u"MenuParams", u"&Параметри...", QKeySequence(Qt::CTRL | Qt::Key_M));
        row(u"MenuTesting", u"&Тестування...", QKeySequence(Qt::CTRL | Qt::Key_T));
        row(u"MenuExportWithout", u"Без вказання правильних...",
            QKeySequence(Qt::CTRL | Qt::Key_W));
        row(u"MenuExportWith", u"З вказанням правильних...",
            QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_W));
        row(u"MenuPrint", u"&Друк...", QKeySequence(Qt::CTRL | Qt::Key_P));
        row(u"MenuMerge", u"&Об'єднати...", QKeySequence());
        row(u"MenuSplit", u"Ро&збити...", QKeySequence());
        row(u"MenuExit", u"&Вихід", QKeySequence(Qt::ALT | Qt::Key_F4));
        row(u"MenuJournal", u"&Журнал..", QKeySequence(Qt::CTRL | Qt::Key_J));
        row(u"MenuConverter", u"&Конвертор...", QKeySequence(Qt::CTRL | Qt::Key_K));
        row(u"MenuAbout", u"&Про програму...", QKeySequence());
        row(u"MenuHelp", u"&Користування...", QKeySequence());
    }
    void menuShortcuts() {
        QFETCH(QString, name);
        ScriptedServices services;
        Application program(services, u"/tmp"_s);
        program.createWindows();
        QAction* action = program.mainWindow()->menuAction(name);
        QVERIFY(action);
        QTEST(action->text(), "text");
        QTEST(action->shortcut(), "shortcut");
    }

    void aboutIsFreshEachTime() {
        ScriptedServices services;
        Application program(services, u"/tmp"_s);
        program.createWindows();
        QList<QPointer<QDialog>> boxes;
        QStringList seen;
        for (int i = 0; i < 2; ++i)
            services.modalHandlers.push_back([&](QDialog* d) -> int {
                boxes.append(d);
                auto* box = qobject_cast<AboutBox*>(d);
                seen << box->windowTitle() << box->ProductName->text() << box->Version->text()
                     << box->findChild<QLabel*>(u"Comments"_s)->text();
                // One sentence in two lines: the same type size.
                if (box->findChild<QLabel*>(u"Line1"_s)->font().pixelSize() !=
                    box->findChild<QLabel*>(u"Line2"_s)->font().pixelSize())
                    seen << u"cut: lines 7 and 8 differ in size"_s;
                for (auto* l : box->findChildren<QLabel*>())
                    if (!l->text().isEmpty() &&
                        l->fontMetrics().horizontalAdvance(l->text()) > l->width())
                        seen << u"cut: "_s + l->text();
                box->OKButton->click(); // the real button closes the real box
                return d->result();
            });
        program.mainWindow()->menuAction(u"MenuAbout"_s)->trigger();
        program.mainWindow()->menuAction(u"MenuAbout"_s)->trigger();
        QCOMPARE(services.modalShown, QStringList({u"TAboutBox"_s, u"TAboutBox"_s}));
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(seen.filter(u"cut: "_s), QStringList());
        QCOMPARE(seen.mid(0, 4), QStringList({u"Про програму"_s, u"Zorvik"_s, u"8.0"_s,
                                              u"Універсальна тестуюча програма."_s}));
        QVERIFY(boxes[0].isNull() && boxes[1].isNull()); // destroyed on close
    }

    void helpWithoutDocument() {
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        ScriptedServices services;
        Application program(services, dir.path());
        program.createWindows();
        services.answers.push_back(MsgAnswer::Ok);
        program.mainWindow()->menuAction(u"MenuHelp"_s)->trigger();
        QCOMPARE(services.messageTexts(), QStringList{u"Відсутній файл довідки test.doc!"_s});
        QCOMPARE(services.messages.first().icon, MsgIcon::Error);
        // With the document present it is opened, and nothing is said.
        QFile doc(dir.filePath(u"test.doc"_s));
        QVERIFY(doc.open(QIODevice::WriteOnly));
        doc.write("{\\rtf1 help}");
        doc.close();
        program.mainWindow()->menuAction(u"MenuHelp"_s)->trigger();
        QCOMPARE(services.opened.last(), dir.filePath(u"test.doc"_s));
        QCOMPARE(services.messages.size(), 1);
        QDir::setCurrent(previous);
    }

    // The scripted seam answers the real Create command's confirmation.
    void confirmationAnsweredInsideTheMainWindow() {
        QTemporaryDir dir;
        ScriptedServices services;
        Application program(services, dir.path());
        program.createWindows();
        const QString path = dir.filePath(u"new.tsm"_s);
        services.fileAnswers.push_back({path, 1});
        services.answers.push_back(MsgAnswer::No);
        program.mainWindow()->Button1->click();
        QCOMPARE(services.messages.size(), 1);
        QCOMPARE(services.messages[0].text, u"Будете вносити запитання?"_s);
        QCOMPARE(services.messages[0].icon, MsgIcon::Confirmation);
        QCOMPARE(services.messages[0].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(QFileInfo(path).size(), 2 * 2316);
        QVERIFY(!program.context().windows.window(u"TForm3"_s)->isVisible());
    }

    // Closing the program asks about the question being written; Cancel stays.
    void closingAsksTheEditor() {
        QTemporaryDir dir;
        ScriptedServices services;
        Application program(services, dir.path());
        program.createWindows();
        MainWindow* main = program.mainWindow();
        main->show();
        services.fileAnswers.push_back({dir.filePath(u"q.tsm"_s), 1});
        services.answers.push_back(MsgAnswer::Yes); // enter questions
        main->Button1->click();
        QWidget* editor = program.context().windows.window(u"TForm3"_s);
        QVERIFY(editor->isVisible());
        editor->findChild<QPlainTextEdit*>(u"Memo1"_s)->setPlainText(u"Нове запитання"_s);
        services.answers.push_back(MsgAnswer::Cancel);
        main->close();
        QVERIFY(main->isVisible());
        QCOMPARE(services.messages.last().text, u"Текст змінено! Зберегти?"_s);
        // Answered No from "Вихід": the program ends, its editor with it.
        services.answers.push_back(MsgAnswer::No);
        QTimer::singleShot(0, main->BitBtn1, &QPushButton::click);
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!main->isVisible());
        QVERIFY(!editor->isVisible());
    }

    // A test file named on the command line opens in the question editor;
    // a name that is no test file is told as Open tells it.
    void testNamedOnTheCommandLine() {
        QTemporaryDir dir;
        ScriptedServices services;
        Application program(services, dir.path());
        program.createWindows();
        const QString test = dir.filePath(u"урок.tsm"_s);
        QFile(test).open(QIODevice::WriteOnly);
        QFile(test).resize(2 * 2316);
        program.openNamed(test);
        QWidget* editor = program.context().windows.window(u"TForm3"_s);
        QVERIFY(editor->isVisible());
        QVERIFY(editor->windowTitle().endsWith(test));
        QCOMPARE(program.state().TestFileName, test);
        services.answers.push_back(MsgAnswer::Ok);
        program.openNamed(dir.filePath(u"notes.txt"_s));
        QCOMPARE(services.messageTexts(), QStringList{u"Помилка в назві файлу!"_s});
    }

    void exitClosesTheProgram() {
        ScriptedServices services;
        Application program(services, u"/tmp"_s);
        program.createWindows();
        MainWindow* main = program.mainWindow();
        main->show();
        main->BitBtn1->click();
        QCOMPARE(main->statusText(0), u" Вихід з програми"_s);
        QVERIFY(!main->isVisible());
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
