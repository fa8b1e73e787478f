// Workbooks read back from the saved file: the sheet, the texts, the cell
// formats and the column widths, as a spreadsheet program would see them.
#include "core/atomicfile.h"
#include "core/journalexport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <array>
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
        QString numFmt;    // format code; "General" unless set
    };
    struct Cell {
        QString text; // a text cell's text, or a number cell's value as stored
        bool number = false;
        Format format;
        // What a reader in the Ukrainian locale shows: a number with its format's decimals.
        QString shown() const {
            if (!number)
                return text;
            const qsizetype point = format.numFmt.indexOf(u'.');
            const int decimals = point < 0 ? 0 : int(format.numFmt.size() - point - 1);
            QLocale uk(QLocale::Ukrainian);
            uk.setNumberOptions(QLocale::OmitGroupSeparator); // "0" and "0.0" do not group
            return uk.toString(text.toDouble(), 'f', decimals);
        }
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
    // The built-in codes libxlsxwriter uses for "0" and "0.00".
    std::map<int, QString> numFmts = {{0, u"General"_s}, {1, u"0"_s}, {2, u"0.00"_s}};
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
        else if (n == u"numFmt"_s)
            numFmts[a.value(u"numFmtId"_s).toInt()] = a.value(u"formatCode"_s).toString();
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
            f.numFmt = numFmts.at(a.value(u"numFmtId"_s).toInt());
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
            // A cell without a type holds a number.
            cell.number = !a.hasAttribute(u"t"_s) || a.value(u"t"_s) == u"n"_s;
            bool valued = false;
            while (!sh.atEnd() &&
                   !(sh.readNext() == QXmlStreamReader::EndElement && sh.name() == u"c"_s)) {
                if (sh.isStartElement() && sh.name() == u"v"_s) {
                    valued = true;
                    const QString v = sh.readElementText();
                    cell.text = shared ? strings[v.toInt()] : v;
                }
            }
            cell.number = cell.number && valued;
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
            e.Group = i == 1 ? u"11"_s : u"9-А"_s; // a group like a number stays text
            e.TestName = u"алгебра.tsm"_s;
            e.GradeScale = 12;
            e.QuestionCount = 10;
            e.MaxPoints = 20;
            e.Points = std::array{7.5, 8.0, 9.25}[size_t(i)];
            e.Grade = 5 + i;
            e.Interrupted = u"Пер."_s;
        }
        model.setRecords(entries);
        const QString file = dir_.filePath(u"j.xlsx"_s);
        writeJournalWorkbook(file, model);
        const Book book = readBook(file);

        QCOMPARE(book.sheetNames, QStringList{u"Test"_s});
        // Exactly A1:L4.
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
        // Every cell shows the grid's text; below the header the row numbers,
        // counts, points and grades are numbers, names, groups, dates and times text.
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 12; ++c) {
                const QString ref = xlsx::columnName(c) + QString::number(r + 1);
                const Book::Cell& cell = book.at(ref);
                const bool number = r > 0 && (c == 0 || (c >= 6 && c <= 10));
                QVERIFY2(cell.number == number, qPrintable(ref));
                QCOMPARE(cell.shown(),
                         r == 0 ? JournalModel::headers()[c] : model.rowTexts(r - 1)[c]);
            }
        }
        QCOMPARE(book.at(u"J2"_s).text, u"7.5"_s);
        QCOMPARE(book.at(u"J2"_s).format.numFmt, u"0.0"_s);
        QCOMPARE(book.at(u"J3"_s).format.numFmt, u"0"_s);
        QCOMPARE(book.at(u"J4"_s).text, u"9.25"_s);
        QCOMPARE(book.at(u"J4"_s).format.numFmt, u"0.00"_s);
        QCOMPARE(book.at(u"K4"_s).text, u"7"_s);
        QCOMPARE(book.at(u"E3"_s).text, u"11"_s);
        QCOMPARE(book.at(u"B2"_s).text, u"08.12.26"_s);

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

    // Texts of a number range: those the locale writes for a number become
    // numbers showing the same text, the rest stay text.
    void numberLikeTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("numFmt"); // empty: stays text
        QTest::addColumn<double>("value");
        QTest::newRow("points") << u"7,5"_s << u"0.0"_s << 7.5;
        QTest::newRow("two decimals") << u"12,25"_s << u"0.00"_s << 12.25;
        QTest::newRow("a trailing zero kept") << u"7,50"_s << u"0.00"_s << 7.5;
        QTest::newRow("integer") << u"7"_s << u"0"_s << 7.0;
        QTest::newRow("zero") << u"0"_s << u"0"_s << 0.0;
        QTest::newRow("negative") << u"-3,5"_s << u"0.0"_s << -3.5;
        QTest::newRow("largest count") << u"2147483647"_s << u"0"_s << 2147483647.0;
        QTest::newRow("15 digits") << u"123456789012345"_s << u"0"_s << 123456789012345.0;
        QTest::newRow("16 digits") << u"1234567890123456"_s << QString() << 0.0;
        QTest::newRow("another locale's point") << u"7.5"_s << QString() << 0.0;
        QTest::newRow("grouped") << u"1 000"_s << QString() << 0.0;
        QTest::newRow("leading zero") << u"007"_s << QString() << 0.0;
        QTest::newRow("plus sign") << u"+5"_s << QString() << 0.0;
        QTest::newRow("exponent") << u"1e5"_s << QString() << 0.0;
        QTest::newRow("leading blank") << u" 7"_s << QString() << 0.0;
        QTest::newRow("negative zero") << u"-0"_s << QString() << 0.0;
        QTest::newRow("infinity") << u"inf"_s << QString() << 0.0;
        QTest::newRow("not a number") << u"nan"_s << QString() << 0.0;
        QTest::newRow("date") << u"08.12.26"_s << QString() << 0.0;
        QTest::newRow("time") << u"10:00:01"_s << QString() << 0.0;
        QTest::newRow("group") << u"9-А"_s << QString() << 0.0;
    }
    void numberLikeTexts() {
        QFETCH(QString, text);
        QFETCH(QString, numFmt);
        QFETCH(double, value);
        using namespace xlsx;
        Workbook book;
        Worksheet& sheet = book.addSheet(u"S"_s);
        sheet.setRows({{text, text}});
        sheet.setNumbers(CellRange::parse(u"A1"));
        sheet.format(CellRange::allColumns(), CellStyle().bold());
        const QString file = dir_.filePath(u"numbers.xlsx"_s);
        book.save(file);
        const Book read = readBook(file);
        const Book::Cell& a1 = read.at(u"A1"_s);
        QCOMPARE(a1.number, !numFmt.isEmpty());
        QCOMPARE(a1.shown(), text);
        QVERIFY(a1.format.bold); // the number keeps the cell's style
        if (a1.number) {
            QCOMPARE(a1.text.toDouble(), value);
            QCOMPARE(a1.format.numFmt, numFmt);
        } else {
            QCOMPARE(a1.format.numFmt, u"General"_s);
        }
        // Outside the range a text is never a number.
        QVERIFY(!read.at(u"B1"_s).number);
        QCOMPARE(read.at(u"B1"_s).text, text);
    }

    // LibreOffice Calc reads the journal's numbers as numbers: saved as CSV
    // with every text quoted, they come out bare, the texts in quotes.
    void libreOfficeReadsTheNumbers() {
        const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
        QVERIFY2(!soffice.isEmpty(), "soffice is needed: it is not installed "
                                     "(scripts/install-deps.sh installs libreoffice-calc-nogui)");
        JournalModel model;
        std::vector<JournalRecord> entries(2);
        for (int i = 0; i < 2; ++i) {
            JournalRecord& e = entries[size_t(i)];
            e.Date = u"08.12.26"_s;
            e.Time = u"10:00:00"_s;
            e.StudentName = i ? u"Петренко Петро"_s : u"Іваненко Іван"_s;
            e.Group = u"11"_s;
            e.TestName = u"алгебра.tsm"_s;
            e.GradeScale = 12;
            e.QuestionCount = 10;
            e.MaxPoints = 20;
            e.Points = i ? 9.0 : 7.5;
            e.Grade = i ? 6 : 5;
        }
        model.setRecords(entries);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"journal.xlsx"_s);
        writeJournalWorkbook(file, model);
        QProcess convert;
        // Comma, double quotes, UTF-8, quote all text cells, values not as shown.
        convert.start(soffice, {u"--headless"_s,
                                u"-env:UserInstallation=file://"_s + dir.filePath(u"profile"_s),
                                u"--convert-to"_s,
                                u"csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true,true,false"_s,
                                u"--outdir"_s, dir.path(), file});
        QVERIFY(convert.waitForFinished(120000));
        QFile csv(dir.filePath(u"journal.csv"_s));
        QVERIFY2(csv.open(QIODevice::ReadOnly),
                 "LibreOffice Calc did not convert the workbook; it is needed "
                 "(scripts/install-deps.sh installs libreoffice-calc-nogui): " +
                     convert.readAllStandardError());
        const QStringList lines =
            QString::fromUtf8(csv.readAll()).split(u"\n"_s, Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[1].trimmed(), u"1,\"08.12.26\",\"10:00:00\",\"Іваненко Іван\",\"11\","
                                     u"\"алгебра.tsm\",12,10,20,7.5,5,"_s);
        QCOMPARE(lines[2].trimmed(), u"2,\"08.12.26\",\"10:00:00\",\"Петренко Петро\",\"11\","
                                     u"\"алгебра.tsm\",12,10,20,9,6,"_s);
        QVERIFY(lines[0].startsWith(u"\"  №\",\"  Дата\""_s));
        // The points and grades sum as numbers would.
        double points = 0, grades = 0;
        for (int r = 1; r <= 2; ++r) {
            const QStringList f = lines[r].split(u',');
            bool ok1 = false, ok2 = false;
            points += f[9].toDouble(&ok1);
            grades += f[10].toDouble(&ok2);
            QVERIFY(ok1 && ok2);
        }
        QCOMPARE(points / 2, 8.25);
        QCOMPARE(grades / 2, 5.5);
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
