// Merging, splitting and converting test files, read back byte by byte.
#include "core/filetools.h"
#include "core/records.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {

constexpr int kTail = 0x905;

// Question q of a fixture file: its own texts, marks and flags, and bytes
// after the short strings that an unchanged copy must keep.
QByteArray questionImage(TestKind kind, const QString& tag, int q) {
    QuestionFields f;
    f.Question = u"%1 питання %2"_s.arg(tag).arg(q);
    f.Answer1 = u"відповідь 1"_s;
    f.Answer5 = u"відповідь 5 до %1"_s.arg(q);
    f.AudioFile = u"/media/sound%1.mp3"_s.arg(q);
    f.VideoFile = u"/media/video%1.avi"_s.arg(q);
    f.PictureFile = u"/media/pic%1.bmp"_s.arg(q);
    f.Correct2 = true;
    f.Correct5 = q % 2 == 1;
    f.QuestionAndPicture = q % 3 == 0;
    f.QuestionInTextFile = q % 4 == 0;
    f.ReservedFlags = {0, 0, 0, 0, static_cast<quint8>(q)};
    QByteArray image;
    if (kind == TestKind::Tsm) {
        TsmRecord r;
        static_cast<QuestionFields&>(r) = f;
        image = r.encode();
    } else {
        TsrRecord r;
        static_cast<QuestionFields&>(r) = f;
        // Levels in turn: low, medium, sufficient, high.
        r.LevelLow = q % 4 == 1;
        r.LevelMedium = q % 4 == 2;
        r.LevelSufficient = q % 4 == 3;
        r.LevelHigh = q % 4 == 0;
        image = r.encode();
    }
    image[200] = 'x'; // after the question's text: of no meaning, but copied
    return image;
}

QByteArray reservedImage(TestKind kind) {
    return kind == TestKind::Tsm ? TsmRecord::empty().encode() : TsrRecord::empty().encode();
}

int sizeOf(TestKind kind) {
    return recordSizeOf(kind);
}

QByteArray record(const QByteArray& file, TestKind kind, int i) {
    return file.mid(i * sizeOf(kind), sizeOf(kind));
}

} // namespace

class FileToolsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString path(const QString& name) const { return dir_.filePath(name); }
    static QByteArray bytesOf(const QString& p) {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeBytes(const QString& p, const QByteArray& bytes) {
        QFile f(p);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // A test file of `questions` questions tagged `tag`.
    QString makeTest(const QString& name, int questions, const QString& tag = u"A"_s) {
        const TestKind kind = testKindOfPath(name);
        QByteArray bytes = reservedImage(kind);
        for (int q = 1; q <= questions; ++q)
            bytes += questionImage(kind, tag, q);
        writeBytes(path(name), bytes);
        return path(name);
    }
    QStringList listing() const { return QDir(dir_.path()).entryList(QDir::Files, QDir::Name); }

private slots:
    void init() {
        for (const QString& f : listing())
            QFile::remove(path(f));
    }

    void extensionRule_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<int>("kind");
        QTest::newRow("tsm") << u"/a/math.tsm"_s << u".tsm"_s << int(TestKind::Tsm);
        QTest::newRow("tsr") << u"/a/math.tsr"_s << u".tsr"_s << int(TestKind::Tsr);
        QTest::newRow("capitals") << u"/a/MATH.TSM"_s << u".TSM"_s << int(TestKind::None);
        QTest::newRow("four characters") << u"/a/x.tsmx"_s << u".tsm"_s << int(TestKind::Tsm);
        QTest::newRow("dot in folder") << u"/a.tsm/math"_s << u""_s << int(TestKind::None);
        QTest::newRow("other") << u"/a/math.doc"_s << u".doc"_s << int(TestKind::None);
    }
    void extensionRule() {
        QFETCH(QString, path);
        QFETCH(QString, ext);
        QFETCH(int, kind);
        QCOMPARE(testFileExtOf(path), ext);
        QCOMPARE(int(testKindOfPath(path)), kind);
    }

    void merge_data() {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<int>("firstQuestions");
        QTest::addColumn<int>("secondQuestions");
        QTest::newRow("3 + 2 one-level") << u".tsm"_s << 3 << 2;
        QTest::newRow("3 + 2 four-level") << u".tsr"_s << 3 << 2;
        QTest::newRow("first without questions") << u".tsm"_s << 0 << 2;
        QTest::newRow("second without questions") << u".tsr"_s << 4 << 0;
        QTest::newRow("first zero bytes") << u".tsm"_s << -1 << 1;
    }
    void merge() {
        QFETCH(QString, ext);
        QFETCH(int, firstQuestions);
        QFETCH(int, secondQuestions);
        const TestKind kind = testKindOfExt(ext);
        const QString first = makeTest(u"first"_s + ext, firstQuestions, u"A"_s);
        if (firstQuestions < 0)
            writeBytes(first, {});
        const QString second = makeTest(u"second"_s + ext, secondQuestions, u"B"_s);
        const QString result = path(u"result"_s + ext);

        const MergeResult counts = mergeTestFiles(first, second, result);
        const int a = std::max(firstQuestions, 0);
        QCOMPARE(counts.firstQuestions, a);
        QCOMPARE(counts.secondQuestions, secondQuestions);

        const QByteArray out = bytesOf(result);
        QCOMPARE(out.size(), (1 + a + secondQuestions) * sizeOf(kind));
        QCOMPARE(record(out, kind, 0), reservedImage(kind));
        for (int q = 1; q <= a; ++q)
            QCOMPARE(record(out, kind, q), questionImage(kind, u"A"_s, q));
        for (int q = 1; q <= secondQuestions; ++q)
            QCOMPARE(record(out, kind, a + q), questionImage(kind, u"B"_s, q));
    }

    void mergeWithItselfGivesEachQuestionTwice() {
        const QString a = makeTest(u"a.tsm"_s, 2);
        mergeTestFiles(a, a, path(u"twice.tsm"_s));
        const QByteArray out = bytesOf(path(u"twice.tsm"_s));
        QCOMPARE(out.size(), 5 * TsmRecord::Size);
        QCOMPARE(record(out, TestKind::Tsm, 3), questionImage(TestKind::Tsm, u"A"_s, 1));
        QCOMPARE(record(out, TestKind::Tsm, 4), questionImage(TestKind::Tsm, u"A"_s, 2));
    }

    void mergeRefusals_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("refused");
        const int other = int(ToolRefusal::Reason::OtherKind);
        const int input = int(ToolRefusal::Reason::OutputIsInput);
        QTest::newRow("second of the other kind")
            << u"a.tsm"_s << u"r.tsr"_s << u"out.tsm"_s << other << u"r.tsr"_s;
        QTest::newRow("second in capitals")
            << u"a.tsm"_s << u"B.TSM"_s << u"out.tsm"_s << other << u"B.TSM"_s;
        QTest::newRow("result of the other kind")
            << u"a.tsm"_s << u"b.tsm"_s << u"out.tsr"_s << other << u"out.tsr"_s;
        QTest::newRow("first not a test file")
            << u"A.TSM"_s << u"b.tsm"_s << u"out.tsm"_s << int(ToolRefusal::Reason::NotTestFile)
            << u"A.TSM"_s;
        QTest::newRow("result is the first")
            << u"a.tsm"_s << u"b.tsm"_s << u"a.tsm"_s << input << u"a.tsm"_s;
        QTest::newRow("result is the second")
            << u"a.tsm"_s << u"b.tsm"_s << u"b.tsm"_s << input << u"b.tsm"_s;
        QTest::newRow("result is itself merged")
            << u"a.tsm"_s << u"a.tsm"_s << u"./a.tsm"_s << input << u"./a.tsm"_s;
        QTest::newRow("result is a link to the first")
            << u"a.tsm"_s << u"b.tsm"_s << u"link.tsm"_s << input << u"link.tsm"_s;
    }
    void mergeRefusals() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, result);
        QFETCH(int, reason);
        QFETCH(QString, refused);
        for (const QString& name : {u"a.tsm"_s, u"b.tsm"_s, u"r.tsr"_s, u"B.TSM"_s, u"A.TSM"_s})
            makeTest(name, 2);
        QVERIFY(QFile::link(path(u"a.tsm"_s), path(u"link.tsm"_s)));
        const QByteArray before = bytesOf(path(u"a.tsm"_s)) + bytesOf(path(u"b.tsm"_s));
        const QStringList files = listing();
        try {
            mergeTestFiles(path(first), path(second), path(result));
            QFAIL("the merge went ahead");
        } catch (const ToolRefusal& e) {
            QCOMPARE(int(e.reason()), reason);
            QCOMPARE(e.path(), path(refused));
            QVERIFY(e.message().endsWith(path(refused)));
        }
        QCOMPARE(bytesOf(path(u"a.tsm"_s)) + bytesOf(path(u"b.tsm"_s)), before);
        QCOMPARE(listing(), files);
    }

    void mergeOfMissingInputReportsTheSystemReason() {
        const QString a = makeTest(u"a.tsm"_s, 1);
        try {
            mergeTestFiles(a, path(u"gone.tsm"_s), path(u"out.tsm"_s));
            QFAIL("no failure");
        } catch (const FileError& e) {
            QCOMPARE(e.op(), FileError::Op::Open);
            QCOMPARE(e.path(), path(u"gone.tsm"_s));
            QVERIFY(!e.reason().isEmpty());
        }
        QVERIFY(!QFile::exists(path(u"out.tsm"_s)));
    }

    void split_data() {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("a");
        QTest::newRow("10 at 3") << u".tsm"_s << 10 << 3;
        QTest::newRow("10 at 1") << u".tsm"_s << 10 << 1;
        QTest::newRow("10 at 9") << u".tsm"_s << 10 << 9;
        QTest::newRow("four-level 10 at 3") << u".tsr"_s << 10 << 3;
        QTest::newRow("two at 1") << u".tsr"_s << 2 << 1;
    }
    void split() {
        QFETCH(QString, ext);
        QFETCH(int, questions);
        QFETCH(int, a);
        const TestKind kind = testKindOfExt(ext);
        const QString source = makeTest(u"math"_s + ext, questions);
        const QByteArray sourceBytes = bytesOf(source);
        const SplitNames names = nextSplitNames(source);
        QCOMPARE(names.first, path(u"math1"_s + ext));
        QCOMPARE(names.second, path(u"math2"_s + ext));

        splitTestFile(source, a, names);
        QCOMPARE(bytesOf(source), sourceBytes);
        const QByteArray first = bytesOf(names.first);
        const QByteArray second = bytesOf(names.second);
        // Records 0 .. a unchanged, levels included.
        QCOMPARE(first, sourceBytes.left((a + 1) * sizeOf(kind)));
        QCOMPARE(second.size(), (questions - a + 1) * sizeOf(kind));
        QCOMPARE(second.mid(sizeOf(kind)), sourceBytes.mid((a + 1) * sizeOf(kind)));

        // The second file's reserved record comes from record a: texts, marks
        // and level emptied (level low), sound, video and the text-file flag
        // kept.
        const QByteArray reserved = record(second, kind, 0);
        const QByteArray fromA = questionImage(kind, u"A"_s, a);
        QuestionFields expected;
        expected.AudioFile = u"/media/sound%1.mp3"_s.arg(a);
        expected.VideoFile = u"/media/video%1.avi"_s.arg(a);
        expected.QuestionInTextFile = a % 4 == 0;
        expected.ReservedFlags = {0, 0, 0, 0, static_cast<quint8>(a)};
        if (kind == TestKind::Tsm) {
            QCOMPARE(static_cast<QuestionFields>(TsmRecord::decode(reserved)), expected);
        } else {
            const TsrRecord r = TsrRecord::decode(reserved);
            QCOMPARE(static_cast<QuestionFields>(r), expected);
            QVERIFY(r.LevelLow && !r.LevelMedium && !r.LevelHigh && !r.LevelSufficient);
        }
        QCOMPARE(reserved.mid(0x700), [&] {
            QByteArray tail = fromA.mid(0x700);
            tail.replace(0x200, 5, QByteArray(5, '\0')); // marks
            if (kind == TestKind::Tsm)
                tail[0x205] = 0;
            else
                tail.replace(0x205, 5, QByteArray("\1\0\0\0\0", 5));
            return tail;
        }());
    }

    void splitOutOfRange_data() {
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("a");
        QTest::newRow("10 at 0") << 10 << 0;
        QTest::newRow("10 at 10") << 10 << 10;
        QTest::newRow("10 at 11") << 10 << 11;
        QTest::newRow("10 at -2") << 10 << -2;
        QTest::newRow("one question at 0") << 1 << 0;
        QTest::newRow("one question at 1") << 1 << 1;
        QTest::newRow("no questions at 1") << 0 << 1;
    }
    void splitOutOfRange() {
        QFETCH(int, questions);
        QFETCH(int, a);
        const QString source = makeTest(u"math.tsm"_s, questions);
        const QStringList files = listing();
        try {
            splitTestFile(source, a, nextSplitNames(source));
            QFAIL("the split went ahead");
        } catch (const ToolRefusal& e) {
            QCOMPARE(e.reason(), ToolRefusal::Reason::SplitOutOfRange);
            QCOMPARE(e.questions(), questions);
        }
        QCOMPARE(listing(), files);
    }

    void splitNames_data() {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("none") << QStringList{} << u"math.tsm"_s << u"math1.tsm"_s << u"math2.tsm"_s;
        QTest::newRow("math1 exists")
            << QStringList{u"math1.tsm"_s} << u"math.tsm"_s << u"math2.tsm"_s << u"math3.tsm"_s;
        QTest::newRow("math2 exists")
            << QStringList{u"math2.tsm"_s} << u"math.tsm"_s << u"math1.tsm"_s << u"math2.tsm"_s;
        QTest::newRow("1 and 2 exist") << QStringList{u"math1.tsr"_s, u"math2.tsr"_s}
                                       << u"math.tsr"_s << u"math3.tsr"_s << u"math4.tsr"_s;
        QTest::newRow("dots in the name")
            << QStringList{} << u"a.b.tsr"_s << u"a.b1.tsr"_s << u"a.b2.tsr"_s;
    }
    void splitNames() {
        QFETCH(QStringList, existing);
        QFETCH(QString, source);
        QFETCH(QString, first);
        QFETCH(QString, second);
        for (const QString& name : existing)
            makeTest(name, 1);
        const SplitNames names = nextSplitNames(path(source));
        QCOMPARE(names.first, path(first));
        QCOMPARE(names.second, path(second));
    }

    void splitReplacesAnExistingSecond() {
        const QString source = makeTest(u"math.tsm"_s, 4);
        makeTest(u"math2.tsm"_s, 9, u"old"_s);
        splitTestFile(source, 2, nextSplitNames(source));
        QCOMPARE(bytesOf(path(u"math2.tsm"_s)).size(), 3 * TsmRecord::Size);
    }

    void convertOneLevelToFourLevel() {
        const QString source = makeTest(u"math.tsm"_s, 5);
        QCOMPARE(convertTargetOf(source), path(u"math.tsr"_s));
        convertTestFile(source, convertTargetOf(source));
        const QByteArray tsm = bytesOf(source);
        const QByteArray tsr = bytesOf(path(u"math.tsr"_s));
        QCOMPARE(tsr.size(), 6 * TsrRecord::Size);
        for (int i = 0; i < 6; ++i) {
            const QByteArray in = record(tsm, TestKind::Tsm, i);
            const QByteArray out = record(tsr, TestKind::Tsr, i);
            QCOMPARE(out.left(kTail), in.left(kTail));
            QCOMPARE(out.mid(kTail, 4), QByteArray("\1\0\0\0", 4)); // low only
            QCOMPARE(out.mid(kTail + 4), in.mid(kTail));            // flags moved
            const TsrRecord r = TsrRecord::decode(out);
            QCOMPARE(static_cast<QuestionFields>(r),
                     static_cast<QuestionFields>(TsmRecord::decode(in)));
        }
    }

    void convertFourLevelAndBackGivesLevelLow() {
        const QString source = makeTest(u"math.tsr"_s, 4); // question 4 is of level high
        const QByteArray original = bytesOf(source);
        QCOMPARE(convertTargetOf(source), path(u"math.tsm"_s));
        convertTestFile(source, path(u"math.tsm"_s));
        const QByteArray tsm = bytesOf(path(u"math.tsm"_s));
        QCOMPARE(tsm.size(), 5 * TsmRecord::Size);
        QVERIFY(TsmRecord::decode(record(tsm, TestKind::Tsm, 3)).QuestionAndPicture);
        QFile::remove(source);
        convertTestFile(path(u"math.tsm"_s), source);
        const QByteArray back = bytesOf(source);
        for (int i = 0; i < 5; ++i) {
            const TsrRecord before = TsrRecord::decode(record(original, TestKind::Tsr, i));
            TsrRecord after = TsrRecord::decode(record(back, TestKind::Tsr, i));
            QVERIFY(after.LevelLow && !after.LevelMedium && !after.LevelHigh &&
                    !after.LevelSufficient);
            QCOMPARE(static_cast<QuestionFields>(after), static_cast<QuestionFields>(before));
        }
    }

    void convertRefusals_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("reason");
        QTest::newRow("capitals") << u"MATH.TSM"_s << u"MATH.tsr"_s
                                  << int(ToolRefusal::Reason::NotTestFile);
        QTest::newRow("target of the same kind")
            << u"math.tsm"_s << u"copy.tsm"_s << int(ToolRefusal::Reason::OtherKind);
    }
    void convertRefusals() {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(int, reason);
        makeTest(source, 2);
        const QStringList files = listing();
        try {
            convertTestFile(path(source), path(target));
            QFAIL("converted");
        } catch (const ToolRefusal& e) {
            QCOMPARE(int(e.reason()), reason);
        }
        QCOMPARE(listing(), files);
    }

    void outputInMissingFolderReportsTheSystemReason() {
        const QString source = makeTest(u"math.tsm"_s, 2);
        const QString target = path(u"no/such/folder/out.tsr"_s);
        try {
            convertTestFile(source, target);
            QFAIL("no failure");
        } catch (const FileError& e) {
            QCOMPARE(e.op(), FileError::Op::Create);
            QVERIFY(e.message().contains(target));
            QVERIFY(!e.reason().isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(FileToolsTest)
#include "tst_filetools.moc"
