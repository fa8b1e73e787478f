// The export text file byte for byte, and the export document as a reader sees it.
#include "core/cp1251.h"
#include "core/testexport.h"
#include "support/rtfreader.h"

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
private slots:
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
                PictureData{QByteArray("\x89PNG", 4), false, {10, 10}});
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
};

QTEST_GUILESS_MAIN(TestExportTest)
#include "tst_testexport.moc"
