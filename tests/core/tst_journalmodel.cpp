// The journal grid's model, deleting and clearing entries, the CSV text and
// the rows of the printed journal.
#include "core/atomicfile.h"
#include "core/journaledit.h"
#include "core/journalexport.h"
#include "core/journalfile.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {

JournalRecord entry(int no, const QString& name, double points = 7.5, int grade = 8,
                    const QString& group = u"9-А"_s) {
    JournalRecord e;
    e.EntryNo = no;
    e.Date = u"08.12.26"_s;
    e.Time = u"21:54:%1"_s.arg(no, 2, 10, QChar(u'0'));
    e.StudentName = name;
    e.Group = group;
    e.TestName = u"math.tsm"_s;
    e.MaxPoints = 12;
    e.GradeScale = 12;
    e.QuestionCount = 10;
    e.Points = points;
    e.Grade = grade;
    return e;
}

std::vector<JournalRecord> five() {
    std::vector<JournalRecord> v;
    for (int i = 0; i < 5; ++i)
        v.push_back(entry(i, u"Учень %1"_s.arg(i + 1), i + 0.5, i + 1));
    return v;
}

QByteArray encodeAll(const std::vector<JournalRecord>& entries) {
    QByteArray bytes;
    for (const auto& e : entries)
        bytes += e.encode();
    return bytes;
}

} // namespace

class JournalModelTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString path() const { return dir_.filePath(u"j.ocn"_s); }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine)); }

    void headersAndCells() {
        QCOMPARE(
            JournalModel::headers(),
            QStringList({u"  №"_s, u"  Дата"_s, u"  Час"_s, u"      Прізвище, ім'я, по-батькові"_s,
                         u" Група-кл"_s, u" Файл тесту "_s, u"С.оц."_s, u"Зап."_s, u"Макс.балів"_s,
                         u" Набр.балів"_s, u" Оц."_s, u"  Пер."_s}));
        JournalModel model;
        // A stored EntryNo of 40 does not show: rows are numbered by position.
        JournalRecord e = entry(40, u"Петренко Іван"_s, 7.5, 8, u"1234567890123456789"_s);
        e.Interrupted = u"Пер."_s;
        model.setRecords({entry(0, u"А"_s), e});
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.columnCount(), 12);
        QCOMPARE(model.rowTexts(1),
                 QStringList({u"2"_s, u"08.12.26"_s, u"21:54:40"_s, u"Петренко Іван"_s,
                              u"1234567890123456789"_s, u"math.tsm"_s, u"12"_s, u"10"_s, u"12"_s,
                              u"7,5"_s, u"8"_s, u"Пер."_s}));
        QCOMPARE(model.headerData(3, Qt::Horizontal).toString(), JournalModel::headers()[3]);
        QCOMPARE(model.data(model.index(1, 9)).toString(), u"7,5"_s);
    }

    void pointsText_data() {
        QTest::addColumn<double>("points");
        QTest::addColumn<QString>("text");
        QTest::newRow("half") << 7.5 << u"7,5"_s;
        QTest::newRow("whole") << 12.0 << u"12"_s;
        QTest::newRow("quarter") << 3.25 << u"3,25"_s;
        QTest::newRow("binary noise") << 0.1 + 0.2 << u"0,3"_s;
        QTest::newRow("more decimals, half to even") << 7.125 << u"7,12"_s;
        QTest::newRow("zero") << 0.0 << u"0"_s;
    }
    void pointsText() {
        QFETCH(double, points);
        QTEST(zorvik::pointsText(points), "text");
    }

    void reloadSignalsOnlyWhatChanged() {
        JournalModel model;
        model.setRecords(five());
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
        model.setRecords(five());
        QCOMPARE(resets.size() + inserts.size(), 0);
        auto more = five();
        more.push_back(entry(5, u"Новий"_s));
        model.setRecords(more);
        QCOMPARE(inserts.size(), 1);
        QCOMPARE(inserts[0][1].toInt(), 5);
        QCOMPARE(resets.size(), 0);
        model.setRecords(five()); // shorter: a new grid
        QCOMPARE(resets.size(), 1);
        QCOMPARE(model.rowCount(), 5);
    }

    void removeEntryRenumbers() {
        JournalModel model;
        model.setRecords(five());
        model.removeEntry(1);
        QCOMPARE(model.rowCount(), 4);
        for (int r = 0; r < 4; ++r)
            QCOMPARE(model.text(r, JournalModel::ColNo), QString::number(r + 1));
        QCOMPARE(model.text(1, JournalModel::ColName), u"Учень 3"_s);
    }

    void deleteEntry_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<int>>("left"); // EntryNo of what remains
        QTest::newRow("the only entry") << 1 << 0 << QList<int>{};
        QTest::newRow("entry 2 of 5") << 5 << 1 << QList<int>{0, 2, 3, 4};
        QTest::newRow("first of 5") << 5 << 0 << QList<int>{1, 2, 3, 4};
        QTest::newRow("last of 5") << 5 << 4 << QList<int>{0, 1, 2, 3};
    }
    void deleteEntry() {
        QFETCH(int, count);
        QFETCH(int, index);
        QFETCH(QList<int>, left);
        auto entries = five();
        entries.resize(size_t(count));
        QByteArray bytes = encodeAll(entries);
        // Padding bytes that another writer left are moved unchanged.
        for (int i = 0; i < count; ++i)
            bytes[i * JournalRecord::Size + 0xAD] = char(0x40 + i);
        writeFileAtomically(path(), bytes);
        QVERIFY(deleteJournalEntry(path(), index, entries[size_t(index)]));
        const QByteArray after = readWholeFile(path());
        QCOMPARE(after.size(), left.size() * JournalRecord::Size);
        const auto read = readJournal(path());
        for (qsizetype i = 0; i < left.size(); ++i) {
            QCOMPARE(read[size_t(i)].EntryNo, left[i]);
            QCOMPARE(after.mid(i * JournalRecord::Size, JournalRecord::Size),
                     bytes.mid(left[i] * JournalRecord::Size, JournalRecord::Size));
        }
    }

    void deleteRefusesWhatTheFileDoesNotHold() {
        const QByteArray bytes = encodeAll(five());
        writeFileAtomically(path(), bytes);
        QVERIFY(!deleteJournalEntry(path(), 5));
        QVERIFY(!deleteJournalEntry(path(), -1));
        // The grid's entry 2 is no longer the file's entry 2.
        QVERIFY(!deleteJournalEntry(path(), 1, entry(9, u"Інший"_s)));
        QCOMPARE(readWholeFile(path()), bytes);
    }

    void deleteDropsPartialTail() {
        writeFileAtomically(path(), encodeAll(five()) + QByteArray(100, 'x'));
        QVERIFY(deleteJournalEntry(path(), 0));
        QCOMPARE(readWholeFile(path()).size(), 4 * JournalRecord::Size);
    }

    void failuresLeaveTheJournal() {
        QVERIFY_THROWS_EXCEPTION(FileError, deleteJournalEntry(dir_.filePath(u"none.ocn"_s), 0));
        QVERIFY_THROWS_EXCEPTION(FileError, clearJournal(dir_.filePath(u"no/such/j.ocn"_s)));
    }

    void clearEmpties() {
        writeFileAtomically(path(), encodeAll(five()));
        clearJournal(path());
        QCOMPARE(QFileInfo(path()).size(), 0);
    }

    void csv() {
        JournalModel model;
        auto entries = five();
        entries.resize(2);
        entries[1].StudentName = u"Олег \"Малий\""_s;
        model.setRecords(entries);
        const QString text = QString::fromUtf8(journalCsv(model));
        const QStringList lines = text.split(u"\r\n"_s);
        QCOMPARE(lines.size(), 4); // header, 2 rows, the empty rest after the last CRLF
        QCOMPARE(lines[0], u"  №,  Дата,  Час,\"      Прізвище, ім'я, по-батькові\", Група-кл,"
                           u" Файл тесту ,С.оц.,Зап.,Макс.балів, Набр.балів, Оц.,  Пер."_s);
        QCOMPARE(lines[1], u"1,08.12.26,21:54:00,Учень 1,9-А,math.tsm,12,10,12,\"0,5\",1,"_s);
        QCOMPARE(lines[2],
                 u"2,08.12.26,21:54:01,\"Олег \"\"Малий\"\"\",9-А,math.tsm,12,10,12,\"1,5\",2,"_s);
        QCOMPARE(lines[3], QString());
    }

    void reportRowsAndAverages() {
        JournalModel model;
        auto entries = five();
        entries[2].Group = u"1234567890123456789"_s; // 19 characters
        entries[3].Points = 7.125;
        model.setRecords(entries);
        const auto rows = journalReportRows(model);
        QCOMPARE(rows.size(), size_t(5));
        QCOMPARE(rows[2].Gr, u"123456789012345678"_s);
        QCOMPARE(rows[4].ID, 5);
        QCOMPARE(rows[3].Bal, 7.12);
        QCOMPARE(rows[3].texts().at(9), u"7,12"_s);
        QCOMPARE(rows[3].texts().at(4), u"9-А"_s);
        // Points 0.5, 1.5, 2.5, 7.12, 4.5 and grades 1..5.
        const auto averages = journalAverages(rows);
        QVERIFY(averages);
        QCOMPARE(averages->points, (0.5 + 1.5 + 2.5 + 7.12 + 4.5) / 5);
        QCOMPARE(averages->grade, 3.0);
        QVERIFY(!journalAverages({}));
    }
};

QTEST_GUILESS_MAIN(JournalModelTest)
#include "tst_journalmodel.moc"
