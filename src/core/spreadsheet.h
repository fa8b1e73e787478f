// Spreadsheet workbooks (.xlsx) in the way the program used to fill Excel:
// a block of texts is written first, then formatting is applied range by
// range in order, a later setting of a property on an overlapping range
// replacing the earlier one. The layer keeps the texts and the steps and
// writes the resolved cell formats with libxlsxwriter when saved.
//
//   xlsx::Workbook book;
//   xlsx::Worksheet& sheet = book.addSheet(u"Test"_s);
//   sheet.setRows(rows);                                  // QStringLists from A1
//   sheet.setNumbers(xlsx::CellRange::parse(u"G2:K9"));    // number-like texts as numbers
//   sheet.format(xlsx::CellRange::allColumns(), xlsx::CellStyle().align(xlsx::HAlign::Centre));
//   sheet.setColumnWidth(xlsx::CellRange::allColumns(), 20);
//   sheet.format(xlsx::CellRange::parse(u"A1:L1"),
//                xlsx::CellStyle().fontColor(xlsx::kWhite).bold().fill(xlsx::excelColorIndex(32)));
//   book.save(path);                                      // throws FileError
#pragma once

#include "storage.h"

#include "fileerror.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <optional>
#include <vector>

namespace zorvik::xlsx {

// Colours are 0xRRGGBB.
constexpr quint32 kWhite = 0xFFFFFF;
constexpr quint32 kBlack = 0x000000;
constexpr quint32 kRed = 0xFF0000;

// Colour `index` (1..56) of Excel's default palette, as Interior.ColorIndex
// names it (32 is blue, 0x0000FF). Out of range gives white.
quint32 excelColorIndex(int index);

constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;
// Longest text a cell holds; longer texts are cut.
constexpr int kMaxCellText = 32767;

enum class HAlign { General, Left, Centre, Right };
enum class VAlign { Bottom, Centre, Top };

// The properties a formatting step sets; the others are left as they are.
struct CellStyle {
    std::optional<HAlign> hAlign;
    std::optional<VAlign> vAlign;
    std::optional<bool> isBold;
    std::optional<quint32> font;     // font colour
    std::optional<quint32> interior; // solid fill colour
    std::optional<bool> wrapText;

    CellStyle& align(HAlign a) {
        hAlign = a;
        return *this;
    }
    CellStyle& valign(VAlign a) {
        vAlign = a;
        return *this;
    }
    CellStyle& bold(bool on = true) {
        isBold = on;
        return *this;
    }
    CellStyle& fontColor(quint32 rgb) {
        font = rgb;
        return *this;
    }
    CellStyle& fill(quint32 rgb) {
        interior = rgb;
        return *this;
    }
    CellStyle& wrap(bool on = true) {
        wrapText = on;
        return *this;
    }

    // This style with the properties that `later` sets replaced.
    CellStyle mergedWith(const CellStyle& later) const;
    bool isEmpty() const;
    bool operator==(const CellStyle&) const = default;
};

// A text as the locale writes a number (QLocale().toString(v, 'f', n), or
// QString::number of an integer): the value and its decimals, when a cell
// showing the value with that many decimals shows the same text.
struct CellNumber {
    double value = 0;
    int decimals = 0;
    bool operator==(const CellNumber&) const = default;
};
std::optional<CellNumber> cellNumber(const QString& text);

// A rectangle of cells, rows and columns from 0, both ends included.
struct CellRange {
    int firstRow = 0;
    int firstCol = 0;
    int lastRow = 0;
    int lastCol = 0;

    static CellRange cell(int row, int col) { return {row, col, row, col}; }
    // "A1", "A2:L4", "B:C" (whole columns); throws std::invalid_argument.
    static CellRange parse(QStringView a1);
    // Every cell of the sheet (Excel's Columns).
    static CellRange allColumns() { return {0, 0, kMaxRows - 1, kMaxColumns - 1}; }
    static CellRange columns(int first, int last) { return {0, first, kMaxRows - 1, last}; }

    bool wholeColumns() const { return firstRow == 0 && lastRow == kMaxRows - 1; }
    bool contains(int row, int col) const {
        return row >= firstRow && row <= lastRow && col >= firstCol && col <= lastCol;
    }
    bool operator==(const CellRange&) const = default;
};

// "A", "Z", "AA" for columns 0, 25, 26.
QString columnName(int col);

class SheetWriter;

class Worksheet {
public:
    explicit Worksheet(QString name) : name_(std::move(name)) {}

    const QString& name() const { return name_; }

    // Texts are written as text cells unless setNumbers covers them.
    void setText(int row, int col, const QString& text);
    // Rows of texts from A1 on (the block the program wrote in one go).
    void setRows(std::vector<QStringList> rows);
    void appendRow(QStringList cells) { rows_.push_back(std::move(cells)); }
    const std::vector<QStringList>& rows() const { return rows_; }

    // Texts of the range that cellNumber reads are written as numbers shown
    // with the text's decimals, as Excel filled through automation stores
    // them; the other texts of the range stay text.
    void setNumbers(const CellRange& range) { numbers_.push_back(range); }
    // Whether the cell is written as a number.
    std::optional<CellNumber> numberAt(int row, int col) const;

    // A formatting step on a range; steps apply in the order given.
    void format(const CellRange& range, const CellStyle& style);
    // The width (in characters, as Excel's ColumnWidth) of the range's columns.
    void setColumnWidth(const CellRange& range, double width);

    // The style a cell ends with after all steps.
    CellStyle styleAt(int row, int col) const;
    // The width of a column after all steps; nullopt for the default width.
    std::optional<double> columnWidth(int col) const;

private:
    friend class SheetWriter;
    struct Step {
        CellRange range;
        std::optional<CellStyle> style;
        std::optional<double> width;
    };

    QString name_;
    std::vector<QStringList> rows_;
    std::vector<Step> steps_;
    std::vector<CellRange> numbers_;
};

class Workbook {
public:
    Workbook();
    ~Workbook();
    Workbook(Workbook&&) noexcept;
    Workbook& operator=(Workbook&&) noexcept;

    // Sheet names follow Excel's rules (1..31 characters, none of []:*?/\);
    // save() fails on a name Excel would refuse.
    Worksheet& addSheet(const QString& name);
    const std::vector<std::unique_ptr<Worksheet>>& sheets() const { return sheets_; }

    // Writes the workbook. The file is made in a temporary folder and then
    // put in place whole, so a failure leaves an existing file untouched.
    // Throws FileError.
    void save(const QString& path, const Storage& storage = Storage::system()) const;

private:
    std::vector<std::unique_ptr<Worksheet>> sheets_;
};

} // namespace zorvik::xlsx
