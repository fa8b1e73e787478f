// Workbooks read back from the saved file: the sheet, the texts, the cell
// formats and the column widths, as a spreadsheet program would see them.
#include "core/atomicfile.h"
#include "core/journalexport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>
#include <map>

using namespace Qt::StringLiterals;
using namespace zorvik;

namespace {

// The parts of an .xlsx file the tests look at.
struct Book {
    struct Format {
        bool bold = false;
        QString fontColor; // "FFFF0000"
        QString fill;      // fgColor of a solid fill
        QString align;     // horizontal
    };
    struct Cell {
        QString text;
        Format format;
    };
    QStringList sheetNames;
    std::map<QString, Cell> cells;                          // "A1" -> cell
    std::vector<std::tuple<int, int, double, Format>> cols; // min, max, width, format

    const Cell& at(const QString& ref) const {
        static const Cell none;
        const auto it = cells.find(ref);
        return it == cells.end() ? none : it->second;
    }
    double widthOf(int col) const { // 1-based
        for (const auto& [min, max, width, f] : cols)
            if (col >= min && col <= max)
                return width;
        return -1;
    }
};

QByteArray member(const QString& file, const QString& name) {
    QProcess unzip;
    unzip.start(u"unzip"_s, {u"-p"_s, file, name});
    if (!unzip.waitForFinished(20000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

Book readBook(const QString& file) {
    Book book;
    QXmlStreamReader wb(member(file, u"xl/workbook.xml"_s));
    while (!wb.atEnd())
        if (wb.readNext() == QXmlStreamReader::StartElement && wb.name() == u"sheet"_s)
            book.sheetNames.append(wb.attributes().value(u"name"_s).toString());

    QStringList strings;
    QXmlStreamReader ss(member(file, u"xl/sharedStrings.xml"_s));
    while (!ss.atEnd()) {
        ss.readNext();
        if (ss.isStartElement() && ss.name() == u"t"_s)
            strings.append(ss.readElementText());
    }

    std::vector<bool> bold;
    QStringList fontColors, fills;
    std::vector<Book::Format> xfs;
    QXmlStreamReader st(member(file, u"xl/styles.xml"_s));
    QString section;
    while (!st.atEnd()) {
        st.readNext();
        if (!st.isStartElement())
            continue;
        const auto n = st.name();
        const auto a = st.attributes();
        if (n == u"fonts"_s || n == u"fills"_s || n == u"cellXfs"_s || n == u"cellStyleXfs"_s)
            section = n.toString();
        else if (section == u"fonts"_s && n == u"font"_s) {
            bold.push_back(false);
            fontColors.append(QString());
        } else if (section == u"fonts"_s && n == u"b"_s)
            bold.back() = true;
        else if (section == u"fonts"_s && n == u"color"_s)
            fontColors.last() = a.value(u"rgb"_s).toString();
        else if (section == u"fills"_s && n == u"fill"_s)
            fills.append(QString());
        else if (section == u"fills"_s && n == u"fgColor"_s)
            fills.last() = a.value(u"rgb"_s).toString();
        else if (section == u"cellXfs"_s && n == u"xf"_s) {
            Book::Format f;
            const int font = a.value(u"fontId"_s).toInt();
            f.bold = bold[size_t(font)];
            f.fontColor = fontColors[font];
            f.fill = fills[a.value(u"fillId"_s).toInt()];
            xfs.push_back(f);
        } else if (section == u"cellXfs"_s && n == u"alignment"_s)
            xfs.back().align = a.value(u"horizontal"_s).toString();
    }

    QXmlStreamReader sh(member(file, u"xl/worksheets/sheet1.xml"_s));
    while (!sh.atEnd()) {
        sh.readNext();
        if (!sh.isStartElement())
            continue;
        const auto a = sh.attributes();
        const auto format = [&] {
            return a.hasAttribute(u"style"_s) || a.hasAttribute(u"s"_s)
                       ? xfs[size_t(a.value(a.hasAttribute(u"s"_s) ? u"s"_s : u"style"_s).toInt())]
                       : Book::Format();
        };
        if (sh.name() == u"col"_s) {
            book.cols.emplace_back(a.value(u"min"_s).toInt(), a.value(u"max"_s).toInt(),
                                   a.value(u"width"_s).toDouble(), format());
        } else if (sh.name() == u"c"_s) {
            Book::Cell cell;
            cell.format = format();
            const QString ref = a.value(u"r"_s).toString();
            const bool shared = a.value(u"t"_s) == u"s"_s;
            while (!sh.atEnd() &&
                   !(sh.readNext() == QXmlStreamReader::EndElement && sh.name() == u"c"_s))
                if (sh.isStartElement() && sh.name() == u"v"_s && shared)
                    cell.text = strings[sh.readElementText().toInt()];
            book.cells[ref] = cell;
        }
    }
    return book;
}

// Excel stores a column width with the cell padding added (8 -> 8.7109375).
int charsOf(double storedWidth) {
    return int(std::floor(storedWidth));
}

} // namespace

class SpreadsheetTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
        QVERIFY2(!QStandardPaths::findExecutable(u"unzip"_s).isEmpty(),
                 "unzip is needed: it is not installed (scripts/install-deps.sh installs it)");
    }

    void ranges_data() {
        QTest::addColumn<QString>("a1");
        QTest::addColumn<xlsx::CellRange>("range");
        QTest::newRow("cell") << u"B3"_s << xlsx::CellRange{2, 1, 2, 1};
        QTest::newRow("block") << u"A2:L4"_s << xlsx::CellRange{1, 0, 3, 11};
        QTest::newRow("reversed") << u"L4:A2"_s << xlsx::CellRange{1, 0, 3, 11};
        QTest::newRow("columns") << u"B:C"_s << xlsx::CellRange::columns(1, 2);
        QTest::newRow("two letters") << u"AA10"_s << xlsx::CellRange{9, 26, 9, 26};
    }
    void ranges() {
        QFETCH(QString, a1);
        QTEST(xlsx::CellRange::parse(a1), "range");
    }

    void badRanges() {
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, xlsx::CellRange::parse(u"12"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, xlsx::CellRange::parse(u"A0"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, xlsx::CellRange::parse(u"A1:B"));
        QCOMPARE(xlsx::columnName(0), u"A"_s);
        QCOMPARE(xlsx::columnName(25), u"Z"_s);
        QCOMPARE(xlsx::columnName(26), u"AA"_s);
        QCOMPARE(xlsx::columnName(16383), u"XFD"_s);
    }

    void laterStepsReplaceEarlierOnes() {
        using namespace xlsx;
        Worksheet sheet(u"S"_s);
        sheet.format(CellRange::allColumns(), CellStyle().align(HAlign::Centre).bold());
        sheet.format(CellRange::parse(u"A2:A5"), CellStyle().align(HAlign::Left));
        sheet.format(CellRange::parse(u"A1:C1"), CellStyle().bold(false).fill(kBlack));
        QCOMPARE(sheet.styleAt(2, 0), CellStyle().align(HAlign::Left).bold());
        QCOMPARE(sheet.styleAt(0, 0), CellStyle().align(HAlign::Centre).bold(false).fill(kBlack));
        QCOMPARE(sheet.styleAt(7, 3), CellStyle().align(HAlign::Centre).bold());
        sheet.setColumnWidth(CellRange::allColumns(), 18);
        sheet.setColumnWidth(CellRange::parse(u"B2:B9"), 65);
        QCOMPARE(sheet.columnWidth(1), 65.0);
        QCOMPARE(sheet.columnWidth(5), 18.0);
        QCOMPARE(xlsx::excelColorIndex(32), 0x0000FFu);
        QCOMPARE(xlsx::excelColorIndex(1), 0x000000u);
        QCOMPARE(xlsx::excelColorIndex(0), xlsx::kWhite);
    }

    void journalWorkbookOfThreeEntries() {
        JournalModel model;
        std::vector<JournalRecord> entries(3);
        for (int i = 0; i < 3; ++i) {
            JournalRecord& e = entries[size_t(i)];
            e.EntryNo = i;
            e.Date = u"08.12.26"_s;
            e.Time = u"10:00:0%1"_s.arg(i);
            e.StudentName = u"Учень %1"_s.arg(i + 1);
            e.Group = u"9-А"_s;
            e.TestName = u"алгебра.tsm"_s;
            e.GradeScale = 12;
            e.QuestionCount = 10;
            e.MaxPoints = 20;
            e.Points = 7.5 + i;
            e.Grade = 5 + i;
            e.Interrupted = u"Пер."_s;
        }
        model.setRecords(entries);
        const QString file = dir_.filePath(u"j.xlsx"_s);
        writeJournalWorkbook(file, model);
        const Book book = readBook(file);

        QCOMPARE(book.sheetNames, QStringList{u"Test"_s});
        // Exactly A1:L4, every cell as text.
        QStringList refs;
        for (const auto& [ref, cell] : book.cells)
            refs.append(ref);
        QStringList expected;
        for (int r = 1; r <= 4; ++r)
            for (int c = 0; c < 12; ++c)
                expected.append(xlsx::columnName(c) + QString::number(r));
        refs.sort();
        expected.sort();
        QCOMPARE(refs, expected);
        for (int c = 0; c < 12; ++c)
            QCOMPARE(book.at(xlsx::columnName(c) + u"1"_s).text, JournalModel::headers()[c]);
        QCOMPARE(book.at(u"A4"_s).text, u"3"_s);
        QCOMPARE(book.at(u"D2"_s).text, u"Учень 1"_s);
        QCOMPARE(book.at(u"J3"_s).text, u"8,5"_s);
        QCOMPARE(book.at(u"K4"_s).text, u"7"_s);
        QCOMPARE(book.at(u"L2"_s).text, u"Пер."_s);

        // The header: white bold on colour index 32, centred.
        for (const QString& ref : {u"A1"_s, u"F1"_s, u"L1"_s}) {
            const auto& f = book.at(ref).format;
            QVERIFY2(f.bold, qPrintable(ref));
            QCOMPARE(f.fontColor, u"FFFFFFFF"_s);
            QCOMPARE(f.fill, u"FF0000FF"_s);
            QCOMPARE(f.align, u"center"_s);
        }
        // Points and grades red and bold, the rest of the body plain, all centred.
        for (int r = 2; r <= 4; ++r) {
            for (int c = 0; c < 12; ++c) {
                const QString ref = xlsx::columnName(c) + QString::number(r);
                const auto& f = book.at(ref).format;
                const bool marked = c == 9 || c == 10;
                QCOMPARE(f.bold, marked);
                QCOMPARE(f.fontColor, marked ? u"FFFF0000"_s : QString());
                QCOMPARE(f.fill, QString());
                QCOMPARE(f.align, u"center"_s);
            }
        }
        // Widths as the steps leave them: 8, 10, 10, 30, 20, 20, 8, 8, 12, 12, 8, 8, then 20.
        const int widths[] = {8, 10, 10, 30, 20, 20, 8, 8, 12, 12, 8, 8, 20};
        for (int c = 0; c < 13; ++c)
            QCOMPARE(charsOf(book.widthOf(c + 1)), widths[c]);
        QCOMPARE(charsOf(book.widthOf(16384)), 20);
    }

    void formattedEmptyCellsAreWritten() {
        using namespace xlsx;
        Workbook book;
        Worksheet& sheet = book.addSheet(u"Jurnal"_s);
        sheet.setRows({{u"a"_s}});
        sheet.format(CellRange::parse(u"A1:B2"), CellStyle().bold());
        const QString file = dir_.filePath(u"blank.xlsx"_s);
        book.save(file);
        const Book read = readBook(file);
        QCOMPARE(read.sheetNames, QStringList{u"Jurnal"_s});
        QCOMPARE(read.cells.size(), size_t(4));
        QVERIFY(read.at(u"B2"_s).format.bold);
        QCOMPARE(read.at(u"A1"_s).text, u"a"_s);
    }

    void failedSaveLeavesTheOldFile() {
        const QString file = dir_.filePath(u"keep.xlsx"_s);
        writeFileAtomically(file, "old");
        xlsx::Workbook book;
        book.addSheet(u"bad:name"_s);
        QVERIFY_THROWS_EXCEPTION(FileError, book.save(file));
        QCOMPARE(readWholeFile(file), QByteArray("old"));
        xlsx::Workbook good;
        good.addSheet(u"Test"_s);
        QVERIFY_THROWS_EXCEPTION(FileError, good.save(dir_.filePath(u"no/such/dir/x.xlsx"_s)));
    }
};

QTEST_GUILESS_MAIN(SpreadsheetTest)
#include "tst_spreadsheet.moc"
