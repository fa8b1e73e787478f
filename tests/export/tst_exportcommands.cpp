// The main window's export and print commands driven through the scripted
// services, and the printed test's pages.
#include "exportfixture.h"

#include "export/exportcommands.h"
#include "report/testreport.h"
#include "support/pdftext.h"
#include "support/rtfreader.h"
#include "support/scriptedservices.h"

#include <QAction>
#include <QDir>
#include <QMainWindow>
#include <QPdfWriter>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

namespace {

const QString kFilter = u"Тестові файли одного рівня (*.tsm)|*.tsm|Тестові файли 4-ох рівнів "
                        u"(*.tsr)|*.tsr|Всі файли(*.*)|*.*"_s;

// The bands of each page of a report laid out on A4.
std::vector<std::vector<report::PlacedBand>> pagesOf(const report::Report& r) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(r.pageLayout);
    writer.setResolution(300);
    return r.paginate(writer);
}

} // namespace

class ExportCommandsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    AppState state_;
    ScriptedServices services_;
    AppContext ctx_{state_, services_, {}};
    std::unique_ptr<QMainWindow> main_;
    ExportCommands* commands_ = nullptr;

    QString path(const QString& name) const { return dir_.filePath(name); }
    void choose(const QString& file) { services_.fileAnswers.push_back({file, 1}); }
    QAction* action(const QString& name) { return main_->findChild<QAction*>(name); }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        writeFileAtomically(path(u"map.png"_s), pictureBytes("PNG"));
        Question q1 = makeQuestion(TestKind::Tsm, u"Скільки?"_s, {u"три"_s, u"чотири"_s}, {2});
        q1.PictureFile = path(u"map.png"_s);
        Question q2 = makeQuestion(TestKind::Tsm, u"Де?"_s, {u"тут"_s}, {});
        q2.PictureFile = path(u"gone.png"_s);
        writeTest(path(u"test.tsm"_s), TestKind::Tsm, {q1, q2});
        Question r1 = makeQuestion(TestKind::Tsr, u"Перше"_s, {u"x"_s}, {1});
        Question r2 = makeQuestion(TestKind::Tsr, u"Друге"_s, {u"y"_s}, {});
        r2.LevelMedium = true;
        Question r3 = makeQuestion(TestKind::Tsr, u"Третє"_s, {u"z"_s}, {});
        writeTest(path(u"test.tsr"_s), TestKind::Tsr, {r1, r2, r3});
        writeFileAtomically(path(u"empty.tsm"_s),
                            encodeQuestion(emptyQuestion(TestKind::Tsm), TestKind::Tsm));
        writeFileAtomically(path(u"test.txt"_s), "not a test");
    }

    void init() {
        services_ = {};
        state_ = AppState();
        state_.ProgramDir = dir_.path();
        state_.TestDir = dir_.path();
        main_ = std::make_unique<QMainWindow>();
        for (const QString& name : {u"MenuExportWithout"_s, u"MenuExportWith"_s, u"MenuPrint"_s}) {
            auto* a = new QAction(name, main_.get());
            a->setObjectName(name);
        }
        commands_ = installExportCommands(ctx_, main_.get());
    }
    void cleanup() {
        QVERIFY2(services_.allUsed(), "an answer was left unused");
        main_.reset();
    }

    void exportDialogAndEndings_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("export cancelled")
            << u"MenuExportWith"_s << u"Експорт тестового файлу у Word"_s << QString()
            << QStringList();
        QTest::newRow("export of a missing file")
            << u"MenuExportWithout"_s << u"Експорт тестового файлу у Word"_s << u"none.tsm"_s
            << QStringList{u"Помилка в назві файлу!"_s};
        QTest::newRow("export of another extension")
            << u"MenuExportWithout"_s << u"Експорт тестового файлу у Word"_s << u"test.txt"_s
            << QStringList();
        QTest::newRow("print cancelled")
            << u"MenuPrint"_s << u"Друк тестового файлу"_s << QString() << QStringList();
        QTest::newRow("print of a missing file")
            << u"MenuPrint"_s << u"Друк тестового файлу"_s << u"none.tsr"_s
            << QStringList{u"Помилка в назві файлу!"_s};
        QTest::newRow("print of another extension")
            << u"MenuPrint"_s << u"Друк тестового файлу"_s << u"test.txt"_s << QStringList();
    }
    void exportDialogAndEndings() {
        QFETCH(QString, menu);
        QFETCH(QString, title);
        QFETCH(QString, file);
        QFETCH(QStringList, messages);
        services_.fileAnswers.push_back({file.isEmpty() ? QString() : path(file), 1});
        for (qsizetype i = 0; i < messages.size(); ++i)
            services_.answers.push_back(MsgAnswer::Ok);
        action(menu)->trigger();
        QCOMPARE(services_.fileDialogs.size(), 1);
        const FileDialogSpec& request = services_.fileDialogs.first();
        QCOMPARE(request.title, title);
        QCOMPARE(request.filter, kFilter);
        QCOMPARE(request.defaultExt, u"tsm"_s);
        QCOMPARE(request.initialDir, dir_.path());
        QCOMPARE(request.fileName, QString());
        QCOMPARE(services_.messageTexts(), messages);
        QVERIFY(services_.opened.isEmpty());
        QVERIFY(services_.printJobs.isEmpty());
        QCOMPARE(state_.TestFileName, QString());
    }

    void exportWithCorrectAnswers() {
        state_.TestDir = u"/elsewhere"_s;
        choose(path(u"test.tsm"_s));
        services_.answers = {MsgAnswer::Ok, MsgAnswer::Ok};
        action(u"MenuExportWith"_s)->trigger();
        const QString doc = path(u"test_В.doc"_s);
        const QString txt = path(u"test_В.txt"_s);
        QCOMPARE(services_.messageTexts(),
                 QStringList({u"Відсутній файл малюнку\r"_s + path(u"gone.png"_s) + u"!"_s,
                              u"Виконано експорт файлу "_s + path(u"test.tsm"_s) + u"\rу файли "_s +
                                  doc + u" та\r"_s + txt + u"!"_s}));
        QCOMPARE(services_.messages[0].icon, MsgIcon::Error);
        QCOMPARE(services_.messages[1].icon, MsgIcon::Information);
        QCOMPARE(services_.opened, QStringList{doc});
        QCOMPARE(state_.TestFileName, path(u"test.tsm"_s));
        QCOMPARE(state_.TestFileExt, u".tsm"_s);
        QCOMPARE(state_.TestDir, u"/elsewhere"_s); // not changed by the export
        QVERIFY(fromCp1251(readWholeFile(txt)).contains(u" *2) чотири\r\n"_s));
        const RtfText text = readRtf(readWholeFile(doc));
        QVERIFY(text.paragraphs.contains(u"[picture png]"_s));
        QVERIFY(text.paragraphs.contains(u" *2) чотири"_s));
    }

    void exportWithoutCorrectAnswersOfAFourLevelFile() {
        choose(path(u"test.tsr"_s));
        services_.answers = {MsgAnswer::Ok};
        action(u"MenuExportWithout"_s)->trigger();
        QCOMPARE(services_.messages.size(), 1);
        QCOMPARE(services_.opened, QStringList{path(u"test_4Б.doc"_s)});
        const QString txt = fromCp1251(readWholeFile(path(u"test_4Б.txt"_s)));
        QVERIFY(txt.contains(u"1. Перше\r\n   \r\n   1) x\r\n"_s));
        QVERIFY(txt.contains(u"3. Третє\r\n   Рівень: середній\r\n"_s));
    }

    // A document that cannot be written: the failure with its reason, and
    // no word of success.
    void exportFailureIsReported() {
        QDir(dir_.path()).mkpath(u"test_Б.doc"_s);
        choose(path(u"test.tsm"_s));
        services_.answers = {MsgAnswer::Ok, MsgAnswer::Ok};
        action(u"MenuExportWithout"_s)->trigger();
        const QStringList texts = services_.messageTexts();
        QCOMPARE(texts.size(), 2); // the missing picture, then the failure
        QVERIFY2(
            texts[1].startsWith(u"Не вдалося створити файл "_s + path(u"test_Б.doc"_s) + u":\r"_s),
            qPrintable(texts[1]));
        QVERIFY(services_.opened.isEmpty());
        QDir(path(u"test_Б.doc"_s)).removeRecursively();
    }

    // The print table holds the rows while the preview is open and none after.
    void printRowsGoneAfterThePreview() {
        QVERIFY2(havePdfToText(), "pdftotext is needed: it is not installed");
        QString during;
        size_t rowsDuring = 0;
        services_.previewHandler = [&](const PrintJob& job) {
            rowsDuring = commands_->printTable().size();
            QVERIFY(renderToPdf(job, path(u"during.pdf"_s)));
            during = pdfText(path(u"during.pdf"_s));
        };
        choose(path(u"test.tsr"_s));
        action(u"MenuPrint"_s)->trigger();
        QCOMPARE(rowsDuring, size_t(3));
        QCOMPARE(services_.printJobs.size(), 1);
        QCOMPARE(services_.printJobs[0].title, u"Тест"_s);
        QVERIFY2(during.contains(u"Третє"_s) && during.contains(u"Рівень: середній"_s),
                 qPrintable(during));
        QVERIFY(commands_->printTable().empty());
        QVERIFY(renderToPdf(services_.printJobs[0], path(u"after.pdf"_s)));
        const QString after = pdfText(path(u"after.pdf"_s));
        QVERIFY(after.contains(u"Тести"_s));
        QVERIFY(!after.contains(u"Третє"_s));
        QCOMPARE(state_.TestFileName, path(u"test.tsr"_s));
        QCOMPARE(state_.TestDir, dir_.path());
        QVERIFY(services_.messages.isEmpty());
    }

    // A file gone between the dialog and the reading: the reason is told and
    // no rows are left for the next print.
    void printFailureIsReported() {
        services_.answers = {MsgAnswer::Ok};
        commands_->PrintTestTsm(path(u"vanished.tsm"_s));
        QCOMPARE(services_.messages.size(), 1);
        QVERIFY2(services_.messageTexts()[0].startsWith(u"Не вдалося відкрити файл "_s +
                                                        path(u"vanished.tsm"_s) + u":\r"_s),
                 qPrintable(services_.messageTexts()[0]));
        QVERIFY(services_.printJobs.isEmpty());
        QVERIFY(commands_->printTable().empty());
    }

    // An empty test: the title band alone.
    void reportOfAnEmptyTest() {
        const report::Report r =
            testReport(path(u"empty.tsm"_s), loadPrintTestRows(path(u"empty.tsm"_s), TestKind::Tsm),
                       services_.fakeClock.now());
        const auto pages = pagesOf(r);
        QCOMPARE(pages.size(), size_t(1));
        QCOMPARE(pages[0].size(), size_t(1));
        QCOMPARE(pages[0][0].kind, report::PlacedBand::Title);
        QCOMPARE(pages[0][0].height, 19.8);
        QCOMPARE(r.title, u"Тест"_s);
        const QMarginsF margins = r.pageLayout.margins(QPageLayout::Millimeter);
        QCOMPARE(margins, QMarginsF(10, 10, 8, 10));
        QCOMPARE(r.pageLayout.pageSize().id(), QPageSize::A4);
        QCOMPARE(r.pageLayout.orientation(), QPageLayout::Portrait);
    }

    // A four-level test whose first question has no level: an empty level
    // line, then the levels; a long answer makes its block taller.
    void reportOfAFourLevelTest() {
        QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
        std::vector<PrintTestRow> rows = loadPrintTestRows(path(u"test.tsr"_s), TestKind::Tsr);
        rows[1].V1 = QString(40, u'x').append(u' ').repeated(8); // several lines
        const report::Report r =
            testReport(path(u"test.tsr"_s), rows, QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7)));
        const auto pages = pagesOf(r);
        QCOMPARE(pages.size(), size_t(1));
        QCOMPARE(pages[0].size(), size_t(4));
        QCOMPARE(pages[0][1].kind, report::PlacedBand::Detail);
        QCOMPARE(pages[0][1].height, 51.1);
        QVERIFY(pages[0][2].height > 51.1 + 5); // the long answer pushes b) to e) down
        QCOMPARE(pages[0][3].height, 51.1);
        QCOMPARE(r.rows[0].last(), QString());
        QCOMPARE(r.rows[2].last(), u"Рівень: середній"_s);

        if (!havePdfToText())
            return;
        r.writePdf(path(u"four.pdf"_s));
        const QString text = pdfText(path(u"four.pdf"_s));
        for (const QString& expected :
             {u"Тести"_s, u"Тестовий файл:"_s, path(u"test.tsr"_s), u"08.12.26 09:05:07"_s, u"1)"_s,
              u"a)"_s, u"e)"_s, u"Перше"_s, u"Рівень: середній"_s})
            QVERIFY2(text.contains(expected), qPrintable(expected + u" in:\n"_s + text));
        QCOMPARE(text.count(u"a)"_s), 3); // every letter, answers or not
        QCOMPARE(text.count(u"e)"_s), 3);
    }

    // A question longer than its box: three lines printed, the rest not.
    void longQuestionIsCut() {
        QVERIFY2(havePdfToText(), "pdftotext is needed: it is not installed");
        PrintTestRow row;
        row.Num = 1;
        QStringList words;
        for (int i = 1; i <= 80; ++i)
            words << u"слово%1"_s.arg(i);
        row.Zap = words.join(u' ');
        testReport(u"t.tsm"_s, std::vector<PrintTestRow>{row}, QDateTime::currentDateTime())
            .writePdf(path(u"cut.pdf"_s));
        const QString text = pdfText(path(u"cut.pdf"_s));
        QVERIFY(text.contains(u"слово1 "_s));
        QVERIFY(!text.contains(u"слово80"_s));
    }
};

QTEST_MAIN(ExportCommandsTest)
#include "tst_exportcommands.moc"
