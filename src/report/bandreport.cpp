#include "bandreport.h"

#include "core/atomicfile.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorvik::report {

QFont arial(double points, bool bold, bool underline) {
    QFont font(u"Arial"_s);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

namespace {

constexpr double kMmPerInch = 25.4;
// Rounding slack when comparing heights in mm.
constexpr double kEpsilon = 1e-6;

struct Units {
    double dpiX;
    double dpiY;
    explicit Units(const QPaintDevice& d) : dpiX(d.logicalDpiX()), dpiY(d.logicalDpiY()) {}
    double x(double mm) const { return mm * dpiX / kMmPerInch; }
    double y(double mm) const { return mm * dpiY / kMmPerInch; }
    double mmY(double px) const { return px * kMmPerInch / dpiY; }
    double mmX(double px) const { return px * kMmPerInch / dpiX; }
};

// Lines break at LF; the program's texts may break them with CR.
QString shownText(QString text) {
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    return text;
}

int textFlags(const TextBox& box) {
    int flags = int(box.align);
    if (box.wrap || box.grow)
        flags |= Qt::TextWordWrap;
    return flags;
}

QString textOf(const TextBox& box, const BandContext& ctx) {
    return box.text ? shownText(box.text(ctx)) : QString();
}

// The first `box.maxLines` lines of the wrapped text, each drawn whole: a
// line that would not fit below the others is left out, not cut in half.
void drawWholeLines(QPainter& painter, const QRectF& r, const TextBox& box, const QString& text) {
    const QFontMetricsF fm(box.font, painter.device());
    const double pitch = std::min(fm.lineSpacing(), r.height() / box.maxLines);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    option.setAlignment(box.align & Qt::AlignHorizontal_Mask);
    int drawn = 0;
    for (const QString& paragraph : text.split(u'\n')) {
        if (drawn == box.maxLines)
            break;
        QTextLayout layout(paragraph, box.font, painter.device());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(r.width());
            line.setPosition(QPointF(0, drawn * pitch));
            if (++drawn == box.maxLines)
                break;
        }
        layout.endLayout();
        layout.draw(&painter, r.topLeft());
    }
}

// Height in mm that the box's text needs at the box's width.
double neededHeight(const TextBox& box, const QString& text, QPaintDevice& device) {
    if (text.isEmpty())
        return 0;
    const Units u(device);
    const QFontMetricsF fm(box.font, &device);
    const QRectF bounds =
        fm.boundingRect(QRectF(0, 0, u.x(box.rect.width()), 1e9), textFlags(box), text);
    return u.mmY(bounds.height());
}

// The growing boxes of a band that need more than their height: where each
// ended before growing, and by how much it grows (mm).
struct Growth {
    double bottom;
    double extra;
};

std::vector<Growth> growthsOf(const Band& band, const BandContext& ctx, QPaintDevice& device) {
    std::vector<Growth> growths;
    for (const TextBox& box : band.texts) {
        if (!box.grow)
            continue;
        const double extra = neededHeight(box, textOf(box, ctx), device) - box.rect.height();
        if (extra > kEpsilon)
            growths.push_back({box.rect.bottom(), extra});
    }
    return growths;
}

// How far an element that starts at `top` moves down in a pushDown band.
double shiftAt(const std::vector<Growth>& growths, double top) {
    double shift = 0;
    for (const Growth& g : growths)
        if (g.bottom <= top + kEpsilon)
            shift += g.extra;
    return shift;
}

} // namespace

QString BandContext::field(int column) const {
    return values && column >= 0 && column < values->size() ? values->at(column) : QString();
}

TextBox TextBox::label(const QRectF& rect, const QString& text, const QFont& font,
                       Qt::Alignment align) {
    TextBox box;
    box.rect = rect;
    box.text = [text](const BandContext&) { return text; };
    box.font = font;
    box.align = align;
    return box;
}

TextBox TextBox::field(const QRectF& rect, int column, const QFont& font, Qt::Alignment align) {
    TextBox box;
    box.rect = rect;
    box.text = [column](const BandContext& ctx) { return ctx.field(column); };
    box.font = font;
    box.align = align;
    return box;
}

TextBox TextBox::pageNumber(const QRectF& rect, const QFont& font, const QString& pattern,
                            Qt::Alignment align) {
    TextBox box;
    box.rect = rect;
    box.text = [pattern](const BandContext& ctx) {
        QString text = pattern;
        text.replace(u"%1"_s, QString::number(ctx.page));
        text.replace(u"%2"_s, QString::number(ctx.pageCount));
        return text;
    };
    box.font = font;
    box.align = align;
    return box;
}

QPageLayout Report::a4(QPageLayout::Orientation orientation, const QMarginsF& marginsMm) {
    return QPageLayout(QPageSize(QPageSize::A4), orientation, marginsMm, QPageLayout::Millimeter);
}

const Band& Report::bandOf(PlacedBand::Kind kind) const {
    switch (kind) {
    case PlacedBand::PageHeader:
        return pageHeader;
    case PlacedBand::Title:
        return titleBand;
    case PlacedBand::ColumnHeader:
        return columnHeader;
    case PlacedBand::Detail:
        return detail;
    case PlacedBand::Summary:
        return summary;
    case PlacedBand::PageFooter:
        break;
    }
    return pageFooter;
}

double Report::bandHeight(const Band& band, const BandContext& ctx, QPaintDevice& device) const {
    if (band.pushDown) {
        const std::vector<Growth> growths = growthsOf(band, ctx, device);
        double height = band.height + shiftAt(growths, band.height);
        for (const TextBox& box : band.texts)
            if (box.grow)
                height = std::max(height, box.rect.y() + shiftAt(growths, box.rect.y()) +
                                              neededHeight(box, textOf(box, ctx), device));
        return height;
    }
    double extra = 0;
    for (const TextBox& box : band.texts)
        if (box.grow)
            extra =
                std::max(extra, neededHeight(box, textOf(box, ctx), device) - box.rect.height());
    return band.height + extra;
}

std::vector<std::vector<PlacedBand>> Report::paginate(QPaintDevice& device) const {
    const Units u(device);
    const double pageHeight = u.mmY(device.height());
    std::vector<std::vector<PlacedBand>> pages;
    double y = 0;
    double limit = pageHeight;
    bool hasBody = false;

    BandContext ctx;
    ctx.report = this;
    ctx.pageCount = 0;

    const auto place = [&](PlacedBand::Kind kind, int row, double height) {
        pages.back().push_back({kind, row, y, height});
        y += height;
    };
    const auto measure = [&](const Band& band, int row) {
        BandContext c = ctx;
        c.page = int(pages.size());
        c.row = row;
        c.values = row >= 0 ? &rows[size_t(row)] : nullptr;
        return bandHeight(band, c, device);
    };
    const auto startPage = [&] {
        pages.emplace_back();
        y = 0;
        hasBody = false;
        const double footer = pageFooter.enabled() ? measure(pageFooter, -1) : 0;
        limit = pageHeight - footer;
        if (pageHeader.enabled())
            place(PlacedBand::PageHeader, -1, measure(pageHeader, -1));
        if (pages.size() == 1 && titleBand.enabled()) {
            place(PlacedBand::Title, -1, measure(titleBand, -1));
            hasBody = true;
        }
        if (columnHeader.enabled() && (pages.size() == 1 || columnHeaderOnEveryPage))
            place(PlacedBand::ColumnHeader, -1, measure(columnHeader, -1));
    };
    const auto finishPage = [&] {
        if (pageFooter.enabled()) {
            const double footer = measure(pageFooter, -1);
            y = pageHeight - footer;
            place(PlacedBand::PageFooter, -1, footer);
        }
    };
    // A band that does not fit goes to a new page, unless the page holds
    // nothing of the body yet (a band taller than a page is cut, not looped).
    const auto placeBody = [&](PlacedBand::Kind kind, int row, const Band& band) {
        double height = measure(band, row);
        if (y + height > limit + kEpsilon && hasBody) {
            finishPage();
            startPage();
            height = measure(band, row);
        }
        place(kind, row, height);
        hasBody = true;
    };

    startPage();
    if (detail.enabled())
        for (size_t r = 0; r < rows.size(); ++r)
            placeBody(PlacedBand::Detail, int(r), detail);
    if (summary.enabled())
        placeBody(PlacedBand::Summary, -1, summary);
    finishPage();
    return pages;
}

void Report::paintBand(QPainter& painter, const Band& band, const BandContext& ctx, double top,
                       double height) const {
    const Units u(*painter.device());
    const double width = u.mmX(painter.device()->width());
    const QRectF bandRect(0, u.y(top), u.x(width), u.y(height));
    if (band.background.isValid())
        painter.fillRect(bandRect, band.background);
    const std::vector<Growth> growths =
        band.pushDown ? growthsOf(band, ctx, *painter.device()) : std::vector<Growth>();
    const auto down = [&growths](double y) { return y + shiftAt(growths, y); };

    for (const ImageBox& box : band.images) {
        if (!box.image)
            continue;
        const QImage image = box.image(ctx);
        if (image.isNull())
            continue;
        const QRectF target(u.x(box.rect.x()), u.y(top + down(box.rect.y())), u.x(box.rect.width()),
                            u.y(box.rect.height()));
        QSizeF size = image.size();
        size.scale(target.size(), Qt::KeepAspectRatio);
        painter.drawImage(QRectF(target.topLeft(), size), image);
    }

    for (const TextBox& box : band.texts) {
        const QString text = textOf(box, ctx);
        double boxHeight = box.rect.height();
        if (box.grow)
            boxHeight = std::max(boxHeight, neededHeight(box, text, *painter.device()));
        const QRectF r(u.x(box.rect.x()), u.y(top + down(box.rect.y())), u.x(box.rect.width()),
                       u.y(boxHeight));
        painter.save();
        if (box.background.isValid())
            painter.fillRect(r, box.background);
        painter.setClipRect(r, Qt::IntersectClip);
        painter.setFont(box.font);
        painter.setPen(box.color);
        if (box.maxLines > 0)
            drawWholeLines(painter, r, box, text);
        else
            painter.drawText(r, textFlags(box), text);
        painter.restore();
    }

    const auto penOf = [&u](double widthMm, Qt::PenStyle style, const QColor& color) {
        QPen pen(color);
        pen.setWidthF(std::max(1.0, u.y(widthMm)));
        pen.setStyle(style);
        pen.setCapStyle(Qt::FlatCap);
        return pen;
    };
    for (const Line& line : band.lines) {
        painter.setPen(penOf(line.widthMm, line.style, line.color));
        const double shift = down(std::min(line.line.y1(), line.line.y2()));
        const double dy = shift - std::min(line.line.y1(), line.line.y2());
        painter.drawLine(QLineF(u.x(line.line.x1()), u.y(top + line.line.y1() + dy),
                                u.x(line.line.x2()), u.y(top + line.line.y2() + dy)));
    }
    // Rules lie inside the band, along its edges.
    if (band.topRule) {
        const QPen pen = penOf(band.topRule->widthMm, band.topRule->style, band.topRule->color);
        painter.setPen(pen);
        const double y = bandRect.top() + pen.widthF() / 2;
        painter.drawLine(QLineF(bandRect.left(), y, bandRect.right(), y));
    }
    if (band.bottomRule) {
        const QPen pen =
            penOf(band.bottomRule->widthMm, band.bottomRule->style, band.bottomRule->color);
        painter.setPen(pen);
        const double y = bandRect.bottom() - pen.widthF() / 2;
        painter.drawLine(QLineF(bandRect.left(), y, bandRect.right(), y));
    }
}

int Report::render(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const auto pages = paginate(device);
    BandContext ctx;
    ctx.report = this;
    ctx.pageCount = int(pages.size());
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0)
            device.newPage();
        ctx.page = int(p) + 1;
        for (const PlacedBand& placed : pages[p]) {
            BandContext c = ctx;
            c.row = placed.row;
            c.values = placed.row >= 0 ? &rows[size_t(placed.row)] : nullptr;
            paintBand(painter, bandOf(placed.kind), c, placed.top, placed.height);
        }
    }
    painter.end();
    return int(pages.size());
}

int Report::writePdf(const QString& path, int resolution) const {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(pageLayout);
        writer.setResolution(resolution);
        writer.setTitle(title);
        writer.setCreator(u"Zorvik"_s);
        pages = render(writer);
    }
    if (pages == 0)
        throw FileError(FileError::Op::Write, path, u"the report could not be drawn"_s);
    writeFileAtomically(path, buffer.data());
    return pages;
}

} // namespace zorvik::report
