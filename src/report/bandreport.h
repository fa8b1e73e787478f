// A small banded-report layer over QPainter: rows of texts in memory, laid out
// into pages by bands, as report designers do.
//
// Bands, from the top of a page:
//   pageHeader    every page
//   titleBand     once, on the first page
//   columnHeader  the first page (every page with columnHeaderOnEveryPage)
//   detail        once per row
//   summary       once, after the last row
//   pageFooter    at the bottom of every page
// A band that is not enabled (height 0 and no elements) takes no space.
//
// Every position and size is in millimetres, relative to the band's top-left
// corner; the band is as wide as the page's printable width. Fonts are given
// in points. A text box is fixed: its text is cut off at the box's edges
// (wrapped inside it with `wrap`). A box with `grow` wraps and grows
// downwards to fit its text, and its band grows by as much (other elements
// keep their places, unless the band has `pushDown`: then everything that
// starts at or below a growing box's bottom moves down by its growth; the
// band's rules follow its bottom edge). Bands are never split: one that does
// not fit in what is left of a page goes to the next page.
//
// Texts come from functions of the BandContext, so a box can show a row's
// field, the page number, the page count or any computed text:
//
//   report::Report r;
//   r.pageLayout = report::Report::a4(QPageLayout::Portrait, {10, 10, 8, 10});
//   r.detail.height = 6;
//   r.detail.texts.push_back(report::TextBox::field({0, 0, 20, 5}, 0, QFont(u"Arial"_s, 9)));
//   r.pageFooter.height = 6;
//   r.pageFooter.texts.push_back(report::TextBox::pageNumber({0, 1, 190, 5}, font));
//   r.rows = {{u"1"_s}, {u"2"_s}};
//   r.render(printer);          // or r.writePdf(path)
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace zorvik::report {

class Report;

// Arial at `points`, the type of the printed pages.
QFont arial(double points, bool bold = false, bool underline = false);

// What a band's texts are computed from.
struct BandContext {
    const Report* report = nullptr;
    int page = 1;                        // from 1
    int pageCount = 1;                   // known when painting; 0 while measuring
    int row = -1;                        // the detail row; -1 in other bands
    const QStringList* values = nullptr; // that row's fields (detail bands only)

    // Field `column` of the detail row, or empty.
    QString field(int column) const;
};

using TextSource = std::function<QString(const BandContext&)>;

struct TextBox {
    QRectF rect; // mm
    TextSource text;
    QFont font;
    QColor color = Qt::black;
    QColor background; // invalid: transparent
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    bool wrap = false; // break lines at word boundaries inside the box
    bool grow = false; // wrap, and grow downwards to fit (the band grows too)
    // With wrap: at most this many whole lines, spaced to fit the box's
    // height where the font's own spacing would cut the last one; 0: any.
    int maxLines = 0;

    static TextBox label(const QRectF& rect, const QString& text, const QFont& font,
                         Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop);
    static TextBox field(const QRectF& rect, int column, const QFont& font,
                         Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop);
    // The page number; `pattern` may hold %1 (page) and %2 (page count).
    static TextBox pageNumber(const QRectF& rect, const QFont& font,
                              const QString& pattern = QStringLiteral("%1"),
                              Qt::Alignment align = Qt::AlignHCenter | Qt::AlignTop);
};

// A line inside a band (mm).
struct Line {
    QLineF line;
    double widthMm = 0.2;
    Qt::PenStyle style = Qt::SolidLine;
    QColor color = Qt::black;
};

// A rule across the whole band at its top or its (grown) bottom edge.
struct Rule {
    double widthMm = 0.2;
    Qt::PenStyle style = Qt::SolidLine;
    QColor color = Qt::black;
};

// A picture scaled into its box, keeping its proportions.
struct ImageBox {
    QRectF rect; // mm
    std::function<QImage(const BandContext&)> image;
};

struct Band {
    double height = 0; // mm; the least height
    QColor background; // invalid: transparent; fills the band's full width
    std::vector<TextBox> texts;
    std::vector<Line> lines;
    std::vector<ImageBox> images;
    std::optional<Rule> topRule;
    std::optional<Rule> bottomRule;
    // A growing box moves the elements below it down, so they never overlap.
    bool pushDown = false;

    bool enabled() const {
        return height > 0 || !texts.empty() || !lines.empty() || !images.empty();
    }
};

// Where a band landed (for painting, and for tests that check the layout).
struct PlacedBand {
    enum Kind { PageHeader, Title, ColumnHeader, Detail, Summary, PageFooter };
    Kind kind;
    int row = -1;      // detail rows
    double top = 0;    // mm from the top of the printable area
    double height = 0; // mm, grown
};

class Report {
public:
    // Page size, orientation and margins in mm; apply it to the device before
    // rendering (PrintJob carries it to the print preview).
    QPageLayout pageLayout = a4(QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
    QString title; // the document's name

    Band pageHeader;
    Band titleBand;
    Band columnHeader;
    bool columnHeaderOnEveryPage = false;
    Band detail;
    Band summary;
    Band pageFooter;
    // A report of no rows is still produced (headers, title, summary).
    std::vector<QStringList> rows;

    static QPageLayout a4(QPageLayout::Orientation orientation, const QMarginsF& marginsMm);

    // Lays the bands out for the device's printable area and font metrics.
    std::vector<std::vector<PlacedBand>> paginate(QPaintDevice& device) const;
    // Paints every page on the device, which keeps its own page layout; the
    // painting starts at the top-left of its printable area. Returns the
    // number of pages, 0 when the device cannot be painted on.
    int render(QPagedPaintDevice& device) const;
    // A PDF of the report with pageLayout; written whole or not at all.
    // Throws zorvik::FileError.
    int writePdf(const QString& path, int resolution = 300) const;

private:
    double bandHeight(const Band& band, const BandContext& ctx, QPaintDevice& device) const;
    void paintBand(QPainter& painter, const Band& band, const BandContext& ctx, double top,
                   double height) const;
    const Band& bandOf(PlacedBand::Kind kind) const;
};

} // namespace zorvik::report
