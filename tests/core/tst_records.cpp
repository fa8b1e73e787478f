#include "core/records.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {
// Puts a short string by hand: length byte, then the bytes.
void put(QByteArray& image, int offset, const QByteArray& text) {
    image[offset] = static_cast<char>(text.size());
    image.replace(offset + 1, text.size(), text);
}
void putLE(QByteArray& image, int offset, quint32 v, int width) {
    for (int i = 0; i < width; ++i)
        image[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
} // namespace

class RecordsTest : public QObject {
    Q_OBJECT
private slots:
    void tsmLayout() {
        TsmRecord r;
        r.Question = u"Q"_s;
        r.Answer1 = u"a1"_s;
        r.Answer4 = u"a4"_s;
        r.PictureFile = u"/p.jpg"_s;
        r.Answer5 = u"a5"_s;
        r.AudioFile = u"s"_s;
        r.VideoFile = u"v"_s;
        r.Correct2 = true;
        r.Correct5 = true;
        r.QuestionInTextFile = true;

        QByteArray expected(2316, '\0');
        put(expected, 0x000, "Q");
        put(expected, 0x100, "a1");
        put(expected, 0x400, "a4");
        put(expected, 0x500, "/p.jpg");
        put(expected, 0x600, "a5"); // answer 5 after the picture name
        put(expected, 0x700, "s");
        put(expected, 0x800, "v");
        expected[0x901] = 1;
        expected[0x904] = 1;
        expected[0x906] = 1;
        QCOMPARE(r.encode(), expected);
        QCOMPARE(TsmRecord::decode(expected), r);
    }

    void tsrLevelByteOrder_data() {
        QTest::addColumn<int>("level"); // 0 low, 1 medium, 2 high, 3 sufficient
        QTest::addColumn<int>("offset");
        QTest::newRow("low") << 0 << 0x905;
        QTest::newRow("medium") << 1 << 0x906;
        QTest::newRow("high") << 2 << 0x907;
        QTest::newRow("sufficient") << 3 << 0x908;
    }
    void tsrLevelByteOrder() {
        QFETCH(int, level);
        QFETCH(int, offset);
        TsrRecord r;
        r.LevelLow = level == 0;
        r.LevelMedium = level == 1;
        r.LevelHigh = level == 2;
        r.LevelSufficient = level == 3;
        r.QuestionAndPicture = true;
        r.Answer3 = u"Так"_s;
        QByteArray expected(2320, '\0');
        put(expected, 0x300, "\xD2\xE0\xEA");
        expected[offset] = 1;
        expected[0x909] = 1;
        QCOMPARE(r.encode(), expected);
        QCOMPARE(TsrRecord::decode(expected), r);
    }

    // Several flags set: the last of low, medium, high, sufficient counts.
    void levelOfFlags_data() {
        QTest::addColumn<QString>("flags"); // L, M, H, S
        QTest::addColumn<int>("level");
        QTest::newRow("none") << QString() << int(QuestionLevel::None);
        QTest::newRow("low") << u"L"_s << int(QuestionLevel::Low);
        QTest::newRow("medium") << u"M"_s << int(QuestionLevel::Medium);
        QTest::newRow("high") << u"H"_s << int(QuestionLevel::High);
        QTest::newRow("sufficient") << u"S"_s << int(QuestionLevel::Sufficient);
        QTest::newRow("low and medium") << u"LM"_s << int(QuestionLevel::Medium);
        QTest::newRow("medium and high") << u"MH"_s << int(QuestionLevel::High);
        QTest::newRow("high and sufficient") << u"HS"_s << int(QuestionLevel::Sufficient);
        QTest::newRow("all") << u"LMHS"_s << int(QuestionLevel::Sufficient);
    }
    void levelOfFlags() {
        QFETCH(QString, flags);
        QFETCH(int, level);
        TsrRecord r;
        r.LevelLow = flags.contains(u'L');
        r.LevelMedium = flags.contains(u'M');
        r.LevelHigh = flags.contains(u'H');
        r.LevelSufficient = flags.contains(u'S');
        QCOMPARE(int(levelOf(r)), level);
    }

    void emptyRecords() {
        QCOMPARE(TsmRecord::empty().encode(), QByteArray(2316, '\0'));
        QByteArray tsr(2320, '\0');
        tsr[0x905] = 1;
        QCOMPARE(TsrRecord::empty().encode(), tsr);
    }

    void ns1Layout() {
        Ns1Record r;
        r.TestName = u"x.tsm"_s;
        r.QuestionsInFile = 10;
        r.TestQuestions = 5;
        r.GradeScale = 12;
        r.QuestionPoints = 2;
        r.JournalPath = u"/j.ocn"_s;
        r.TestingMode.QuestionTime = -1;
        r.TestingMode.Mode = 3;
        r.TestingMode.InputOrder = true;
        r.TestingMode.TestTimeOn = true;
        r.TestingMode.TestTime = 1439;
        r.TestingMode.GoBack = true;
        r.TestingMode.ShuffleAnswers = true;

        QByteArray e(540, '\0');
        put(e, 0, "x.tsm");
        putLE(e, 0x100, 10, 4);
        putLE(e, 0x104, 5, 4);
        putLE(e, 0x108, 12, 4);
        putLE(e, 0x10C, 2, 4);
        put(e, 0x110, "/j.ocn");
        putLE(e, 0x210, 0xFFFF, 2);
        e[0x212] = 3;
        e[0x213] = 1;
        e[0x214] = 1;
        putLE(e, 0x216, 1439, 2);
        e[0x218] = 1;
        e[0x219] = 1;
        QCOMPARE(r.encode(), e);
        QCOMPARE(Ns1Record::decode(e), r);
    }

    void ns2Layout() {
        Ns2Record r;
        r.TestName = u"y.tsr"_s;
        const QList<qint32 Ns2Record::*> ints = {
            &Ns2Record::QuestionsInFile,  &Ns2Record::InFileLow,        &Ns2Record::InFileMedium,
            &Ns2Record::InFileHigh,       &Ns2Record::InFileSufficient, &Ns2Record::TestLow,
            &Ns2Record::TestMedium,       &Ns2Record::TestHigh,         &Ns2Record::TestSufficient,
            &Ns2Record::PointsLow,        &Ns2Record::PointsMedium,     &Ns2Record::PointsHigh,
            &Ns2Record::PointsSufficient, &Ns2Record::GradeScale};
        QByteArray e(580, '\0');
        put(e, 0, "y.tsr");
        for (int i = 0; i < ints.size(); ++i) {
            r.*ints[i] = 100 + i;
            putLE(e, 0x100 + 4 * i, static_cast<quint32>(100 + i), 4);
        }
        r.JournalPath = u"J"_s;
        put(e, 0x138, "J");
        r.TestingMode.QuestionTime = 600;
        r.TestingMode.Mode = 4;
        putLE(e, 0x238, 600, 2);
        e[0x23A] = 4;
        QCOMPARE(r.encode(), e);
        QCOMPARE(Ns2Record::decode(e), r);
    }

    void journalLayout() {
        JournalRecord r;
        r.EntryNo = 7;
        r.Date = u"08.12.2026"_s;
        r.Time = u"21:54:37"_s;
        r.StudentName = u"Ім'я"_s;
        r.Group = u"9-А"_s;
        r.TestName = u"math.tsm"_s;
        r.MaxPoints = 10;
        r.GradeScale = 12;
        r.QuestionCount = 10;
        r.Points = 7.12;
        r.Grade = 7;
        r.Interrupted = u"Пер."_s;

        QByteArray e(216, '\0');
        putLE(e, 0, 7, 4);
        put(e, 0x04, "08.12.2026");
        put(e, 0x0F, "21:54:37");
        put(e, 0x1A, "\xB2\xEC'\xFF");
        put(e, 0x43, "9-\xC0");
        put(e, 0x57, "math.tsm");
        putLE(e, 0xB0, 10, 4);
        putLE(e, 0xB4, 12, 4);
        putLE(e, 0xB8, 10, 4);
        const double points = 7.12;
        quint64 bits;
        std::memcpy(&bits, &points, 8);
        putLE(e, 0xC0, static_cast<quint32>(bits), 4);
        putLE(e, 0xC4, static_cast<quint32>(bits >> 32), 4);
        putLE(e, 0xC8, 7, 4);
        put(e, 0xCC, "\xCF\xE5\xF0.");
        QCOMPARE(r.encode(), e);
        QCOMPARE(JournalRecord::decode(e), r);
    }

    void foreignBytes() {
        // Booleans other than 0 and 1 read as false (flags are tested for
        // equality with 1); a length byte above the capacity reads the capacity.
        QByteArray image(2316, 'z');
        image[0] = static_cast<char>(0xFF);
        image[0x900] = 2;
        image[0x901] = 1;
        const TsmRecord r = TsmRecord::decode(image);
        QCOMPARE(r.Question.size(), 255);
        QVERIFY(!r.Correct1);
        QVERIFY(r.Correct2);
        QByteArray journal(216, '\0');
        journal[0x43] = 50; // group of capacity 19
        QCOMPARE(JournalRecord::decode(journal).Group.size(), 19);
        // Re-encoding writes clean bytes: 0/1 and zero tails.
        const QByteArray clean = r.encode();
        QCOMPARE(clean[0x900], '\0');
        QCOMPARE(static_cast<unsigned char>(clean[0]), 255);
    }

    // Random bytes into every decoder: no crash, and decode(encode(r)) == r.
    void fuzzDecoders() {
        QRandomGenerator rng(12345);
        for (int round = 0; round < 300; ++round) {
            QByteArray image(2320, '\0');
            for (auto& c : image)
                c = static_cast<char>(rng.bounded(256));
            const TsmRecord a = TsmRecord::decode(image);
            QCOMPARE(TsmRecord::decode(a.encode()), a);
            const TsrRecord b = TsrRecord::decode(image);
            QCOMPARE(TsrRecord::decode(b.encode()), b);
            const Ns1Record c = Ns1Record::decode(image);
            QCOMPARE(Ns1Record::decode(c.encode()), c);
            const Ns2Record d = Ns2Record::decode(image);
            QCOMPARE(Ns2Record::decode(d.encode()), d);
            const JournalRecord e = JournalRecord::decode(image);
            const JournalRecord e2 = JournalRecord::decode(e.encode());
            QCOMPARE(e2.StudentName, e.StudentName);
            QCOMPARE(e2.encode(), e.encode()); // NaN points compare by bytes
        }
    }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "tst_records.moc"
