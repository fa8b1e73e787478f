// The export text file byte for byte, the export document as a reader sees
// it, the print table's rows, and the question list with its document and
// workbook.
#include "exportfixture.h"

#include "core/cp1251.h"
#include "core/questionlist.h"
#include "core/testexport.h"
#include "core/testprint.h"
#include "report/documentpicture.h"
#include "support/metafiles.h"
#include "support/rtfreader.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

namespace {
ExportQuestion question(const QString& text, const QStringList& answers, QList<int> correct) {
    ExportQuestion q;
    q.fields.Question = text;
    for (int k = 1; k <= answers.size(); ++k)
        q.fields.answer(k) = answers[k - 1];
    for (int k : correct)
        q.fields.correct(k) = true;
    return q;
}
QString lines(const QStringList& l) {
    return l.join(u"\r\n"_s) + u"\r\n"_s;
}
const QString kHead = QString(19, u' ') + u"Тест"_s;
const QString kRule = QString(115, u'-');
bool exists(const QString& name) {
    return name.startsWith(u"/есть/"_s);
}
} // namespace

class TestExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString path(const QString& name) const { return dir_.filePath(name); }

    // A four-level file: a question without a level, one of level high and
    // sufficient both, one without a level again, one kept in a field text file.
    QString fourLevelFile() {
        Question q1 = makeQuestion(TestKind::Tsr, u"  Перше  "_s,
                                   {u"a1"_s, u"a2"_s, u"a3"_s, u"a4"_s, u"a5"_s}, {1});
        q1.PictureFile = path(u"pic.png"_s);
        Question q2 = makeQuestion(TestKind::Tsr, u"Друге"_s, {u"b1"_s}, {1});
        q2.LevelHigh = true;
        q2.LevelSufficient = true;
        Question q3 = makeQuestion(TestKind::Tsr, u"Третє"_s, {u"c1"_s}, {});
        Question q4 = makeQuestion(TestKind::Tsr, path(u"long.txt"_s), {u"d1"_s}, {});
        q4.QuestionInTextFile = true;
        q4.LevelMedium = true;
        const QString file = path(u"four.tsr"_s);
        writeTest(file, TestKind::Tsr, {q1, q2, q3, q4});
        return file;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        writeFileAtomically(path(u"pic.png"_s), pictureBytes("PNG"));
        writeFileAtomically(path(u"pic.jpg"_s), pictureBytes("JPEG"));
        writeFileAtomically(path(u"pic.bmp"_s), pictureBytes("BMP"));
        writeFileAtomically(path(u"not-a-picture.png"_s), "plain text");
        writeFileAtomically(path(u"scheme.wmf"_s), wmfPicture());
        writeFileAtomically(path(u"scheme.emf"_s), emfPicture());
        writeFileAtomically(path(u"long.txt"_s), toCp1251(u"Довге запитання\r\nу два рядки\r\n"_s));
    }

    void names_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("withCorrect");
        QTest::addColumn<QString>("doc");
        QTest::addColumn<QString>("txt");
        QTest::newRow("tsm plain")
            << int(TestKind::Tsm) << false << u"/t/math_Б.doc"_s << u"/t/math_Б.txt"_s;
        QTest::newRow("tsm marked")
            << int(TestKind::Tsm) << true << u"/t/math_В.doc"_s << u"/t/math_В.txt"_s;
        QTest::newRow("tsr plain")
            << int(TestKind::Tsr) << false << u"/t/math_4Б.doc"_s << u"/t/math_4Б.txt"_s;
        QTest::newRow("tsr marked")
            << int(TestKind::Tsr) << true << u"/t/math_4В.doc"_s << u"/t/math_4В.txt"_s;
    }
    void names() {
        QFETCH(int, kind);
        QFETCH(bool, withCorrect);
        const ExportNames n = exportNames(u"/t/math.tsm"_s, TestKind(kind), withCorrect);
        QTEST(n.document, "doc");
        QTEST(n.text, "txt");
    }

    void textFile_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("withCorrect");
        QTest::addColumn<QList<ExportQuestion>>("questions");
        QTest::addColumn<QString>("expected");
        const QString head = lines({kHead, u"       /t/a.tsm"_s, u"       "_s}).chopped(2);

        const ExportQuestion two = question(u"Скільки?"_s, {u"три"_s, u"чотири"_s}, {2});
        QTest::newRow("with correct answers")
            << int(TestKind::Tsm) << true << QList<ExportQuestion>{two}
            << lines({head, u"1. Скільки?"_s, u"   1) три"_s, u" *2) чотири"_s, kRule});
        QTest::newRow("without correct answers")
            << int(TestKind::Tsm) << false << QList<ExportQuestion>{two}
            << lines({head, u"1. Скільки?"_s, u"   1) три"_s, u"   2) чотири"_s, kRule});

        ExportQuestion gaps = question(u"Q"_s, {u"a"_s, u"   "_s, u"c"_s}, {3});
        gaps.fields.PictureFile = u"/нема/p.jpg"_s; // missing: no line
        gaps.fields.AudioFile = u"/нема/s.mp3"_s;   // sounds are not checked
        QTest::newRow("blank answer skipped, missing picture, sound")
            << int(TestKind::Tsm) << true << QList<ExportQuestion>{gaps}
            << lines({head, u"1. Q"_s, u"Аудіо: /нема/s.mp3"_s, u"   1) a"_s, u" *3) c"_s, kRule});

        ExportQuestion media = question(u"M"_s, {u"x"_s}, {});
        media.fields.PictureFile = u"/есть/p.jpg"_s;
        media.fields.VideoFile = u"/v.mp4"_s;
        media.levelText = u"Рівень: достатній"_s;
        ExportQuestion inFile = question(u"/t/long.txt"_s, {u"y"_s}, {});
        inFile.fields.QuestionInTextFile = true;
        inFile.levelText = u"Рівень: достатній"_s;
        QTest::newRow("four-level with media and a field text file")
            << int(TestKind::Tsr) << false << QList<ExportQuestion>{media, inFile}
            << lines({head, u"1. M"_s, u"   Рівень: достатній"_s, u"Мал. /есть/p.jpg"_s,
                      u"Відео: /v.mp4"_s, u"   1) x"_s, kRule, u"2. /t/long.txt"_s,
                      u"   Рівень: достатній"_s, u"   1) y"_s, kRule});
        QTest::newRow("empty test")
            << int(TestKind::Tsm) << false << QList<ExportQuestion>{} << lines({head});
    }
    void textFile() {
        QFETCH(int, kind);
        QFETCH(bool, withCorrect);
        QFETCH(QList<ExportQuestion>, questions);
        QFETCH(QString, expected);
        const std::vector<ExportQuestion> qs(questions.begin(), questions.end());
        const QByteArray bytes =
            exportTextFile(u"/t/a.tsm"_s, TestKind(kind), qs, withCorrect, exists);
        QCOMPARE(fromCp1251(bytes), expected);
    }

    void levelRule() {
        TsrRecord r;
        QCOMPARE(levelTextOf(r, QString()), QString()); // no flag, nothing before
        r.LevelHigh = true;
        r.LevelSufficient = true; // the last flag wins
        QCOMPARE(levelTextOf(r, QString()), u"Рівень: достатній"_s);
        QCOMPARE(levelTextOf(TsrRecord(), u"Рівень: високий"_s), u"Рівень: високий"_s);
    }

    void documentReadsAsAUserSeesIt() {
        ExportQuestion q1 = question(u"Столиця?"_s, {u"Київ"_s, u"  "_s, u"Львів"_s}, {1});
        q1.fields.PictureFile = u"/есть/map.png"_s;
        q1.fields.AudioFile = u"/media/гімн.mp3"_s;
        q1.levelText = u"Рівень: низький"_s;
        ExportQuestion q2 = question(u"/t/long.txt"_s, {u"так"_s}, {});
        q2.fields.QuestionInTextFile = true;
        q2.fields.PictureFile = u"/нема/x.bmp"_s;
        q2.levelText = u"Рівень: низький"_s;
        ExportDocumentInput in;
        in.testFileName = u"/t/geo.tsr"_s;
        in.kind = TestKind::Tsr;
        in.withCorrect = true;
        in.fileExists = exists;
        in.loadPicture = [](const QString&) {
            return std::optional<PictureData>(
                PictureData{QByteArray("\x89PNG", 4), PictureFormat::Png, {10, 10}, {}});
        };
        in.readTextFile = [](const QString&) {
            return std::optional<QString>(u"Довге запитання 😀\r\nу два рядки\r\n"_s);
        };
        const ExportDocumentResult r = exportDocument(in, {q1, q2});
        QCOMPARE(r.missingPictures, QStringList{u"/нема/x.bmp"_s});
        const RtfText doc = readRtf(rtf::write(r.document));
        const QString rule = QString(100, u'-');
        QCOMPARE(doc.paragraphs,
                 QStringList({u"Тести"_s, u"/t/geo.tsr"_s, u"1. Столиця?"_s, u"Рівень: низький"_s,
                              u"Мал. /есть/map.png"_s, u"[picture png]"_s,
                              u"Аудіо: /media/гімн.mp3"_s, u" *1) Київ"_s, u"   3) Львів"_s, rule,
                              u"2. Довге запитання 😀\nу два рядки"_s, u"Рівень: низький"_s,
                              u"   1) так"_s, rule}));
        QVERIFY(doc.centred.contains(u"Тести"_s));
        QVERIFY(doc.centred.contains(u"[picture png]"_s));
        QCOMPARE(doc.fonts.first(), u"Times New Roman Cyr|Times New Roman"_s);
        QCOMPARE(doc.hyperlinks, QStringList{u"file:///media/%D0%B3%D1%96%D0%BC%D0%BD.mp3"_s});
        QCOMPARE(doc.footer, QStringList{u"[PAGE]"_s});
    }

    void levelsFromTheFile() {
        const std::vector<ExportQuestion> qs = loadExportQuestions(fourLevelFile(), TestKind::Tsr);
        QStringList levels;
        for (const ExportQuestion& q : qs)
            levels << q.levelText;
        // Nothing before the first; both flags: the last tested wins; repeated.
        QCOMPARE(levels, QStringList({QString(), u"Рівень: достатній"_s, u"Рівень: достатній"_s,
                                      u"Рівень: середній"_s}));
    }

    // LibreOffice reads the document's WMF and EMF as the metafiles they are.
    void metafilesReadBackByLibreOffice() {
        const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
        QVERIFY2(!soffice.isEmpty(), "soffice is needed: it is not installed "
                                     "(scripts/install-deps.sh installs libreoffice-writer-nogui)");
        QVERIFY2(WorkbookText::canRead(), "unzip is needed: it is not installed");
        Question q1 = makeQuestion(TestKind::Tsm, u"Схема"_s, {u"x"_s}, {1});
        q1.PictureFile = path(u"scheme.wmf"_s);
        Question q2 = makeQuestion(TestKind::Tsm, u"Креслення"_s, {u"y"_s}, {1});
        q2.PictureFile = path(u"scheme.emf"_s);
        QTemporaryDir out;
        const QString test = out.filePath(u"meta.tsm"_s);
        writeTest(test, TestKind::Tsm, {q1, q2});
        const PreparedExport p = prepareTestExport(test, TestKind::Tsm, false, loadDocumentPicture);
        QCOMPARE(p.issues, QList<ExportIssue>());
        writeTestExport(p);
        QProcess convert;
        convert.start(soffice,
                      {u"--headless"_s,
                       u"-env:UserInstallation=file://"_s + out.filePath(u"profile"_s),
                       u"--convert-to"_s, u"odt"_s, u"--outdir"_s, out.path(), p.names.document});
        QVERIFY(convert.waitForFinished(120000));
        const QString odt =
            out.filePath(QFileInfo(p.names.document).completeBaseName() + u".odt"_s);
        QVERIFY2(QFileInfo::exists(odt), convert.readAllStandardError().constData());
        QProcess list;
        list.start(u"unzip"_s, {u"-l"_s, odt});
        QVERIFY(list.waitForFinished(20000));
        const QString names = QString::fromUtf8(list.readAllStandardOutput());
        QVERIFY2(names.contains(u".wmf"_s), qPrintable(names));
        QVERIFY2(names.contains(u".emf"_s), qPrintable(names));
    }

    void pictures_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("kind"); // "" when it cannot be used
        QTest::addColumn<bool>("asItIs");
        QTest::newRow("png as it is") << u"pic.png"_s << QByteArray("png") << true;
        QTest::newRow("jpeg as it is") << u"pic.jpg"_s << QByteArray("jpeg") << true;
        QTest::newRow("bmp converted") << u"pic.bmp"_s << QByteArray("png") << false;
        QTest::newRow("wmf as it is") << u"scheme.wmf"_s << QByteArray("wmf") << true;
        QTest::newRow("emf as it is") << u"scheme.emf"_s << QByteArray("emf") << true;
        QTest::newRow("not a picture") << u"not-a-picture.png"_s << QByteArray() << false;
        QTest::newRow("missing") << u"none.png"_s << QByteArray() << false;
    }
    void pictures() {
        QFETCH(QString, file);
        QFETCH(QByteArray, kind);
        QFETCH(bool, asItIs);
        const std::optional<PictureData> pic = loadDocumentPicture(path(file));
        QCOMPARE(pic.has_value(), !kind.isEmpty());
        if (!pic)
            return;
        const PictureFormat format = kind == "jpeg"  ? PictureFormat::Jpeg
                                     : kind == "wmf" ? PictureFormat::Wmf
                                     : kind == "emf" ? PictureFormat::Emf
                                                     : PictureFormat::Png;
        QCOMPARE(pic->format, format);
        if (format == PictureFormat::Wmf || format == PictureFormat::Emf) {
            // 4 x 2 cm, from its own header; a WMF without its placeable header.
            QCOMPARE(qRound(pic->metafile.width() / 100), 40);
            QCOMPARE(qRound(pic->metafile.height() / 100), 20);
            QCOMPARE(pic->data, format == PictureFormat::Wmf ? readWholeFile(path(file)).mid(22)
                                                             : readWholeFile(path(file)));
            return;
        }
        QCOMPARE(pic->pixels, QSize(40, 20));
        if (asItIs)
            QCOMPARE(pic->data, readWholeFile(path(file)));
        else
            QVERIFY(pic->data.startsWith("\x89PNG"));
    }

    // Both files beside the test file, old ones replaced, every picture kind
    // embedded, what was left out reported in question order.
    void writesBesideTheTestFile() {
        Question q1 = makeQuestion(TestKind::Tsm, u"Q1"_s, {u"x"_s, u"y"_s}, {2});
        q1.PictureFile = path(u"pic.jpg"_s);
        Question q2 = makeQuestion(TestKind::Tsm, u"Q2"_s, {u"z"_s}, {});
        q2.PictureFile = path(u"gone.png"_s);
        Question q3 = makeQuestion(TestKind::Tsm, u"Q3"_s, {u"w"_s}, {});
        q3.PictureFile = path(u"pic.bmp"_s);
        Question q4 = makeQuestion(TestKind::Tsm, path(u"gone.txt"_s), {u"v"_s}, {});
        q4.QuestionInTextFile = true;
        Question q5 = makeQuestion(TestKind::Tsm, u"Q5"_s, {u"u"_s}, {});
        q5.PictureFile = path(u"not-a-picture.png"_s);
        Question q6 = makeQuestion(TestKind::Tsm, u"Q6"_s, {u"t"_s}, {});
        q6.PictureFile = path(u"scheme.wmf"_s);
        Question q7 = makeQuestion(TestKind::Tsm, u"Q7"_s, {u"s"_s}, {});
        q7.PictureFile = path(u"scheme.emf"_s);
        const QString test = path(u"one.tsm"_s);
        writeTest(test, TestKind::Tsm, {q1, q2, q3, q4, q5, q6, q7});
        writeFileAtomically(path(u"one_В.txt"_s), "old text");
        writeFileAtomically(path(u"one_В.doc"_s), "old document");

        const PreparedExport p = prepareTestExport(test, TestKind::Tsm, true, loadDocumentPicture);
        QCOMPARE(p.names.document, path(u"one_В.doc"_s));
        QCOMPARE(p.issues, QList<ExportIssue>(
                               {{ExportIssue::MissingPicture, path(u"gone.png"_s)},
                                {ExportIssue::MissingTextFile, path(u"gone.txt"_s)},
                                {ExportIssue::UnreadablePicture, path(u"not-a-picture.png"_s)}}));
        writeTestExport(p);

        const QString text = fromCp1251(readWholeFile(path(u"one_В.txt"_s)));
        QVERIFY(text.startsWith(kHead + u"\r\n       "_s + test + u"\r\n       \r\n1. Q1\r\n"_s));
        QVERIFY(text.contains(u"Мал. "_s + path(u"pic.jpg"_s)));
        QVERIFY(!text.contains(u"gone.png"_s));
        QVERIFY(text.contains(u" *2) y\r\n"_s));

        const RtfText doc = readRtf(readWholeFile(path(u"one_В.doc"_s)));
        QCOMPARE(doc.paragraphs.count(u"[picture jpeg]"_s), 1);
        QCOMPARE(doc.paragraphs.count(u"[picture png]"_s), 1); // the BMP
        QCOMPARE(doc.paragraphs.count(u"[picture wmf]"_s), 1);
        QCOMPARE(doc.paragraphs.count(u"[picture emf]"_s), 1);
        QVERIFY(doc.paragraphs.contains(u"4. "_s + path(u"gone.txt"_s)));
        QVERIFY(doc.paragraphs.contains(u"Мал. "_s + path(u"not-a-picture.png"_s)));
    }

    void exportOfAFieldTextFile() {
        const QString test = fourLevelFile();
        const PreparedExport p = prepareTestExport(test, TestKind::Tsr, false, loadDocumentPicture);
        QCOMPARE(p.names.text, path(u"four_4Б.txt"_s));
        const RtfText doc = readRtf(p.document);
        QVERIFY(doc.paragraphs.contains(u"4. Довге запитання\nу два рядки"_s));
        QVERIFY(fromCp1251(p.text).contains(u"4. "_s + path(u"long.txt"_s) + u"\r\n"_s));
    }

    void printRows() {
        const std::vector<PrintTestRow> rows = loadPrintTestRows(fourLevelFile(), TestKind::Tsr);
        QCOMPARE(rows.size(), size_t(4));
        QCOMPARE(rows[0].values(), QStringList({u"1"_s, u"  Перше  "_s, path(u"pic.png"_s), u"a1"_s,
                                                u"a2"_s, u"a3"_s, u"a4"_s, u"a5"_s, QString()}));
        QCOMPARE(rows[1].Riven, u"Рівень: достатній"_s);
        QCOMPARE(rows[2].Riven, u"Рівень: достатній"_s); // no flag: the one before
        QCOMPARE(rows[3].Zap, path(u"long.txt"_s));
        QCOMPARE(rows[3].Num, 4);

        const QString one = path(u"print.tsm"_s);
        writeTest(one, TestKind::Tsm, {makeQuestion(TestKind::Tsm, u"Q"_s, {u"a"_s})});
        const std::vector<PrintTestRow> plain = loadPrintTestRows(one, TestKind::Tsm);
        QCOMPARE(plain.size(), size_t(1));
        QCOMPARE(plain[0].Riven, QString());
        QVERIFY_THROWS_EXCEPTION(FileError, loadPrintTestRows(path(u"none.tsm"_s), TestKind::Tsm));
    }

    void questionList() {
        const QString test = fourLevelFile();
        const std::vector<QuestionListEntry> entries = loadQuestionList(test, TestKind::Tsr);
        QCOMPARE(entries.size(), size_t(4));
        const std::vector<QStringList> cells = questionListCells(entries, TestKind::Tsr);
        QCOMPARE(cells.size(), size_t(6));
        QCOMPARE(cells[0], QStringList({u"      №"_s, u"        Рівень"_s,
                                        u"                      Запитання"_s}));
        QCOMPARE(cells[1], QStringList({u"1"_s, QString(), u"Перше"_s}));
        QCOMPARE(cells[2], QStringList({u"2"_s, u"достатній"_s, u"Друге"_s}));
        QCOMPARE(cells[3], QStringList({u"3"_s, QString(), u"Третє"_s})); // no flag, no name
        QCOMPARE(cells[4], QStringList({u"4"_s, u"середній"_s, path(u"long.txt"_s)}));
        QCOMPARE(cells[5], QStringList({QString(), QString(), QString()}));
        QCOMPARE(questionListHint(entries[0]), u"1) a1\r2) a2\r3) a3\r4) a4\r5) a5"_s);
        QCOMPARE(questionListCaption(test, TestKind::Tsr), u"Список запитань       "_s + test);
        QCOMPARE(questionListCaption(test, TestKind::Tsm), u"Список запитань     "_s + test);
        QCOMPARE(questionListDocumentName(test), path(u"four_список.doc"_s));
        QCOMPARE(questionListWorkbookName(test), path(u"four_список.xlsx"_s));

        const std::vector<QStringList> plain = questionListCells(entries, TestKind::Tsm);
        QCOMPARE(plain[1][1], u"       -"_s);
    }

    void questionListDocument() {
        const QString test = fourLevelFile();
        const RtfText doc = readRtf(rtf::write(zorvik::questionListDocument(
            test, TestKind::Tsr, loadQuestionList(test, TestKind::Tsr))));
        QCOMPARE(doc.paragraphs,
                 QStringList({u"Тести"_s, test, u"1. (рівень: ) Перше"_s,
                              u"2. (рівень: достатній) Друге"_s, u"3. (рівень: достатній) Третє"_s,
                              u"4. (рівень: середній) "_s + path(u"long.txt"_s), QString(),
                              QString(100, u'-')}));
        QCOMPARE(doc.centred, QStringList({u"Тести"_s, test}));
        QCOMPARE(doc.footer, QStringList{u"[PAGE]"_s});
        QCOMPARE(doc.fonts.first(), u"Times New Roman Cyr|Times New Roman"_s);
    }

    void questionListWorkbook() {
        QVERIFY2(WorkbookText::canRead(), "unzip is needed: it is not installed");
        Question q = makeQuestion(TestKind::Tsm, u"Q"_s, {u"a"_s});
        const QString test = path(u"three.tsm"_s);
        writeTest(test, TestKind::Tsm, {q, q, q});
        const auto entries = loadQuestionList(test, TestKind::Tsm);
        const QString out = path(u"three.xlsx"_s);
        zorvik::questionListWorkbook(questionListCells(entries, TestKind::Tsm)).save(out);
        const WorkbookText book = WorkbookText::read(out);
        QCOMPARE(book.sheets, QStringList{u"Jurnal"_s});
        QStringList refs;
        for (const auto& [ref, text] : book.cells)
            refs << ref;
        refs.sort();
        // A1:C5: the header, three questions and the empty row.
        QCOMPARE(refs, QStringList({u"A1"_s, u"A2"_s, u"A3"_s, u"A4"_s, u"A5"_s, u"B1"_s, u"B2"_s,
                                    u"B3"_s, u"B4"_s, u"B5"_s, u"C1"_s, u"C2"_s, u"C3"_s, u"C4"_s,
                                    u"C5"_s}));
        QCOMPARE(book.cells.at(u"A1"_s), u"      №"_s);
        // The question numbers are numbers; the header, levels and texts text.
        QCOMPARE(book.numbers, (std::set<QString>{u"A2"_s, u"A3"_s, u"A4"_s}));
        QCOMPARE(book.cells.at(u"A3"_s), u"2"_s);
        QCOMPARE(book.cells.at(u"B3"_s), u"       -"_s);
        QCOMPARE(book.cells.at(u"C4"_s), u"Q"_s);
        QCOMPARE(book.cells.at(u"A5"_s), QString());
        // Widths as Excel stores them: the characters and the cell padding.
        QCOMPARE(int(book.widths.at(1)), 8);
        QCOMPARE(int(book.widths.at(2)), 10);
        QCOMPARE(int(book.widths.at(3)), 65);
    }
};

QTEST_GUILESS_MAIN(TestExportTest)
#include "tst_testexport.moc"
