#include "spreadsheet.h"

#include "atomicfile.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace zorvik::xlsx {

quint32 excelColorIndex(int index) {
    static constexpr quint32 palette[56] = {
        0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
        0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
        0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
        0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
        0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
        0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
        0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
    };
    return index >= 1 && index <= 56 ? palette[index - 1] : kWhite;
}

CellStyle CellStyle::mergedWith(const CellStyle& later) const {
    CellStyle s = *this;
    if (later.hAlign)
        s.hAlign = later.hAlign;
    if (later.vAlign)
        s.vAlign = later.vAlign;
    if (later.isBold)
        s.isBold = later.isBold;
    if (later.font)
        s.font = later.font;
    if (later.interior)
        s.interior = later.interior;
    if (later.wrapText)
        s.wrapText = later.wrapText;
    return s;
}

bool CellStyle::isEmpty() const {
    return !hAlign && !vAlign && !isBold && !font && !interior && !wrapText;
}

QString columnName(int col) {
    QString name;
    for (int n = col + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

namespace {

// "B12" -> (11, 1); "B" -> (-1, 1). Throws on anything else.
std::pair<int, int> parseCell(QStringView ref) {
    int i = 0;
    int col = 0;
    while (i < ref.size() && ref[i].isLetter() && ref[i].toUpper() >= u'A' &&
           ref[i].toUpper() <= u'Z') {
        col = col * 26 + (ref[i].toUpper().unicode() - u'A' + 1);
        if (col > kMaxColumns)
            throw std::invalid_argument("column out of range");
        ++i;
    }
    if (i == 0)
        throw std::invalid_argument("cell reference without a column");
    if (i == ref.size())
        return {-1, col - 1};
    bool ok = false;
    const int row = ref.mid(i).toInt(&ok);
    if (!ok || row < 1 || row > kMaxRows)
        throw std::invalid_argument("bad row in cell reference");
    return {row - 1, col - 1};
}

} // namespace

CellRange CellRange::parse(QStringView a1) {
    const qsizetype colon = a1.indexOf(u':');
    const auto [r1, c1] = parseCell(colon < 0 ? a1 : a1.left(colon));
    const auto [r2, c2] = colon < 0 ? std::pair{r1, c1} : parseCell(a1.mid(colon + 1));
    if ((r1 < 0) != (r2 < 0))
        throw std::invalid_argument("mixed column and cell reference");
    if (r1 < 0)
        return columns(std::min(c1, c2), std::max(c1, c2));
    return {std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)};
}

std::optional<CellNumber> cellNumber(const QString& text) {
    // A double holds 15 significant digits; a longer text would show changed.
    if (text.isEmpty() ||
        std::count_if(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }) > 15)
        return std::nullopt;
    const auto read = [&text](QLocale locale) -> std::optional<CellNumber> {
        locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
        bool ok = false;
        const double value = locale.toDouble(text, &ok);
        if (!ok || !std::isfinite(value))
            return std::nullopt;
        const qsizetype point = text.indexOf(locale.decimalPoint());
        const int decimals = point < 0 ? 0 : int(text.size() - point - 1);
        // Only the text the number shows again: no "007", "+5", "1e5" or "-0".
        if (locale.toString(value, 'f', decimals) != text || (value == 0 && std::signbit(value)))
            return std::nullopt;
        return CellNumber{value, decimals};
    };
    if (auto n = read(QLocale()))
        return n;
    // Counts are written by QString::number whatever the locale's digits.
    if (std::all_of(text.begin() + (text.front() == u'-' ? 1 : 0), text.end(),
                    [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return read(QLocale::c());
    return std::nullopt;
}

void Worksheet::setText(int row, int col, const QString& text) {
    if (row < 0 || col < 0)
        return;
    if (size_t(row) >= rows_.size())
        rows_.resize(size_t(row) + 1);
    QStringList& cells = rows_[size_t(row)];
    while (cells.size() <= col)
        cells.append(QString());
    cells[col] = text;
}

void Worksheet::setRows(std::vector<QStringList> rows) {
    rows_ = std::move(rows);
}

void Worksheet::format(const CellRange& range, const CellStyle& style) {
    steps_.push_back({range, style, std::nullopt});
}

void Worksheet::setColumnWidth(const CellRange& range, double width) {
    steps_.push_back({range, std::nullopt, width});
}

std::optional<CellNumber> Worksheet::numberAt(int row, int col) const {
    if (row < 0 || col < 0 || size_t(row) >= rows_.size() || col >= rows_[size_t(row)].size())
        return std::nullopt;
    if (std::none_of(numbers_.begin(), numbers_.end(),
                     [&](const CellRange& r) { return r.contains(row, col); }))
        return std::nullopt;
    return cellNumber(rows_[size_t(row)][col]);
}

CellStyle Worksheet::styleAt(int row, int col) const {
    CellStyle s;
    for (const Step& step : steps_)
        if (step.style && step.range.contains(row, col))
            s = s.mergedWith(*step.style);
    return s;
}

std::optional<double> Worksheet::columnWidth(int col) const {
    std::optional<double> width;
    for (const Step& step : steps_)
        if (step.width && col >= step.range.firstCol && col <= step.range.lastCol)
            width = step.width;
    return width;
}

Workbook::Workbook() = default;
Workbook::~Workbook() = default;
Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;

Worksheet& Workbook::addSheet(const QString& name) {
    sheets_.push_back(std::make_unique<Worksheet>(name));
    return *sheets_.back();
}

namespace {

// One libxlsxwriter format per distinct resolved style.
class Formats {
public:
    explicit Formats(lxw_workbook* book) : book_(book) {}

    // `decimals` of a number cell, -1 for a text.
    lxw_format* get(const CellStyle& style, int decimals = -1) {
        if (style.isEmpty() && decimals < 0)
            return nullptr;
        for (const auto& [key, f] : made_)
            if (key.first == style && key.second == decimals)
                return f;
        lxw_format* f = workbook_add_format(book_);
        if (decimals >= 0) {
            // Format codes take "." whatever the locale; the reader shows its own.
            const QByteArray code = decimals == 0 ? "0" : "0." + QByteArray(decimals, '0');
            format_set_num_format(f, code.constData());
        }
        if (style.hAlign) {
            switch (*style.hAlign) {
            case HAlign::General:
                break;
            case HAlign::Left:
                format_set_align(f, LXW_ALIGN_LEFT);
                break;
            case HAlign::Centre:
                format_set_align(f, LXW_ALIGN_CENTER);
                break;
            case HAlign::Right:
                format_set_align(f, LXW_ALIGN_RIGHT);
                break;
            }
        }
        if (style.vAlign) {
            switch (*style.vAlign) {
            case VAlign::Bottom:
                format_set_align(f, LXW_ALIGN_VERTICAL_BOTTOM);
                break;
            case VAlign::Centre:
                format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
                break;
            case VAlign::Top:
                format_set_align(f, LXW_ALIGN_VERTICAL_TOP);
                break;
            }
        }
        if (style.isBold.value_or(false))
            format_set_bold(f);
        if (style.font)
            format_set_font_color(f, color(*style.font));
        if (style.interior) {
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, color(*style.interior));
        }
        if (style.wrapText.value_or(false))
            format_set_text_wrap(f);
        made_.emplace_back(std::pair{style, decimals}, f);
        return f;
    }

private:
    // libxlsxwriter reads 0 as "no colour"; black has its own value.
    static lxw_color_t color(quint32 rgb) {
        return rgb == 0 ? lxw_color_t(LXW_COLOR_BLACK) : lxw_color_t(rgb);
    }

    lxw_workbook* book_;
    std::vector<std::pair<std::pair<CellStyle, int>, lxw_format*>> made_;
};

[[noreturn]] void fail(const QString& path, lxw_error error) {
    throw FileError(FileError::Op::Write, path, QString::fromUtf8(lxw_strerror(error)));
}

void check(const QString& path, lxw_error error) {
    if (error != LXW_NO_ERROR)
        fail(path, error);
}

QByteArray cellText(const QString& text) {
    qsizetype n = std::min<qsizetype>(text.size(), kMaxCellText);
    if (n < text.size() && n > 0 && text[n - 1].isHighSurrogate())
        --n;
    return text.left(n).toUtf8();
}

} // namespace

// Writes the texts and the formats the steps resolve to. Cells are written in
// row order; rows covered by the same steps share their column formats.
class SheetWriter {
public:
    SheetWriter(const Worksheet& sheet, lxw_worksheet* out, Formats& formats, const QString& path)
        : sheet_(sheet), out_(out), formats_(formats), path_(path) {}

    void write() {
        writeColumns();
        writeCells();
    }

private:
    using Step = Worksheet::Step;

    void writeColumns() {
        std::set<int> cuts = {0, kMaxColumns};
        for (const Step& s : sheet_.steps_) {
            if (s.width || (s.style && s.range.wholeColumns())) {
                cuts.insert(s.range.firstCol);
                cuts.insert(s.range.lastCol + 1);
            }
        }
        for (auto it = cuts.begin(); std::next(it) != cuts.end(); ++it) {
            const int first = *it;
            const int last = *std::next(it) - 1;
            const std::optional<double> width = sheet_.columnWidth(first);
            CellStyle style;
            for (const Step& s : sheet_.steps_)
                if (s.style && s.range.wholeColumns() && s.range.contains(0, first))
                    style = style.mergedWith(*s.style);
            if (!width && style.isEmpty())
                continue;
            check(path_,
                  worksheet_set_column(out_, lxw_col_t(first), lxw_col_t(last),
                                       width.value_or(LXW_DEF_COL_WIDTH), formats_.get(style)));
        }
    }

    // The formats of one row's cells, by the steps that cover the row.
    struct RowPlan {
        std::vector<int> steps;  // indices of the style steps covering the row
        int boundedLastCol = -1; // last column a step of limited rows covers
        std::vector<lxw_format*> formats;
        std::vector<CellStyle> styles;
        std::vector<bool> bounded; // a step of limited rows covers the column
        std::vector<bool> resolved;
    };

    RowPlan& planFor(int row) {
        std::vector<int> covering;
        for (size_t i = 0; i < sheet_.steps_.size(); ++i) {
            const Step& s = sheet_.steps_[i];
            if (s.style && row >= s.range.firstRow && row <= s.range.lastRow)
                covering.push_back(int(i));
        }
        auto it = plans_.find(covering);
        if (it == plans_.end()) {
            RowPlan plan;
            plan.steps = covering;
            for (int i : covering) {
                const Step& s = sheet_.steps_[size_t(i)];
                if (!s.range.wholeColumns())
                    plan.boundedLastCol = std::max(plan.boundedLastCol, s.range.lastCol);
            }
            it = plans_.emplace(covering, std::move(plan)).first;
        }
        return it->second;
    }

    void resolve(RowPlan& plan, int col) {
        if (size_t(col) >= plan.formats.size()) {
            plan.formats.resize(size_t(col) + 1, nullptr);
            plan.styles.resize(size_t(col) + 1);
            plan.bounded.resize(size_t(col) + 1, false);
            plan.resolved.resize(size_t(col) + 1, false);
        }
        if (plan.resolved[size_t(col)])
            return;
        CellStyle style;
        bool bounded = false;
        for (int i : plan.steps) {
            const Step& s = sheet_.steps_[size_t(i)];
            if (col >= s.range.firstCol && col <= s.range.lastCol) {
                style = style.mergedWith(*s.style);
                bounded = bounded || !s.range.wholeColumns();
            }
        }
        plan.formats[size_t(col)] = formats_.get(style);
        plan.styles[size_t(col)] = style;
        plan.bounded[size_t(col)] = bounded;
        plan.resolved[size_t(col)] = true;
    }

    void writeCells() {
        const auto& rows = sheet_.rows_;
        int lastRow = int(rows.size()) - 1;
        for (const Step& s : sheet_.steps_)
            if (s.style && !s.range.wholeColumns())
                lastRow = std::max(lastRow, s.range.lastRow);
        for (int r = 0; r <= lastRow; ++r) {
            RowPlan& plan = planFor(r);
            const QStringList* cells = size_t(r) < rows.size() ? &rows[size_t(r)] : nullptr;
            const int texts = cells ? int(cells->size()) : 0;
            const int lastCol = std::max(texts - 1, plan.boundedLastCol);
            for (int c = 0; c <= lastCol; ++c) {
                resolve(plan, c);
                lxw_format* format = plan.formats[size_t(c)];
                if (const auto number = c < texts ? sheet_.numberAt(r, c) : std::nullopt) {
                    check(path_, worksheet_write_number(
                                     out_, lxw_row_t(r), lxw_col_t(c), number->value,
                                     formats_.get(plan.styles[size_t(c)], number->decimals)));
                } else if (c < texts && !cells->at(c).isEmpty()) {
                    check(path_,
                          worksheet_write_string(out_, lxw_row_t(r), lxw_col_t(c),
                                                 cellText(cells->at(c)).constData(), format));
                } else if (format && plan.bounded[size_t(c)]) {
                    // Formatted but empty: the column's own format would not show it.
                    check(path_, worksheet_write_blank(out_, lxw_row_t(r), lxw_col_t(c), format));
                }
            }
        }
    }

    const Worksheet& sheet_;
    lxw_worksheet* out_;
    Formats& formats_;
    const QString& path_;
    std::map<std::vector<int>, RowPlan> plans_;
};

void Workbook::save(const QString& path, const Storage& storage) const {
    // Named so that a copy killed mid-save leaves a folder the next start
    // recognises and removes.
    QTemporaryDir dir(QDir::tempPath() + u"/zorvik-xlsx-XXXXXX"_s);
    if (!dir.isValid())
        throw FileError(FileError::Op::Create, path, dir.errorString());
    const QString made = dir.filePath(u"book.xlsx"_s);
    const QByteArray madeName = QFile::encodeName(made);
    QByteArray tmpdir = QFile::encodeName(dir.path());
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    options.tmpdir = tmpdir.data();
    options.use_zip64 = LXW_FALSE;
    lxw_workbook* book = workbook_new_opt(madeName.constData(), &options);
    if (!book)
        throw FileError(FileError::Op::Create, path, u"cannot start a workbook"_s);
    // The names are kept until the workbook is closed.
    std::vector<QByteArray> names;
    try {
        Formats formats(book);
        for (const auto& sheet : sheets_) {
            names.push_back(sheet->name().toUtf8());
            const lxw_error bad = workbook_validate_sheet_name(book, names.back().constData());
            if (bad != LXW_NO_ERROR)
                throw FileError(FileError::Op::Write, path,
                                u"a worksheet cannot be named \""_s + sheet->name() + u"\": "_s +
                                    QString::fromUtf8(lxw_strerror(bad)));
            lxw_worksheet* out = workbook_add_worksheet(book, names.back().constData());
            if (!out)
                throw FileError(FileError::Op::Write, path,
                                u"a worksheet cannot be named \""_s + sheet->name() + u'"');
            SheetWriter(*sheet, out, formats, path).write();
        }
    } catch (...) {
        lxw_workbook_free(book);
        throw;
    }
    check(path, workbook_close(book));
    storage.replace(path, Storage::system().read(made, StoredKind::Document));
}

} // namespace zorvik::xlsx
