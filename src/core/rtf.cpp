#include "rtf.h"

#include <QUrl>

namespace zorvik::rtf {

namespace {

constexpr int kTwipsPerPixel = 15;     // at 96 dots per inch
constexpr int kMaxPictureTwips = 9000; // fits between A4 margins

QByteArray num(qint64 n) {
    return QByteArray::number(n);
}

void writeText(QByteArray& out, const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    const QStringList lines = t.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += "\\line ";
        out += escape(lines[i]);
    }
}

void writeRun(QByteArray& out, const Run& run) {
    if (const auto* t = std::get_if<TextRun>(&run)) {
        out += "{\\f" + num(t->font) + "\\fs" + num(t->sizePt * 2) + (t->bold ? "\\b " : "\\b0 ");
        writeText(out, t->text);
        out += "}";
    } else if (const auto* l = std::get_if<LinkRun>(&run)) {
        QString address = l->address;
        if (address.startsWith(u'/'))
            address = QUrl::fromLocalFile(address).toString(QUrl::FullyEncoded);
        address.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("%22"));
        out += "{\\field{\\*\\fldinst {HYPERLINK \"" + escape(address) + "\"}}{\\fldrslt {\\f" +
               num(l->font) + "\\fs" + num(l->sizePt * 2) + "\\ul\\cf1 ";
        writeText(out, l->text);
        out += "}}}";
    } else if (const auto* p = std::get_if<PictureRun>(&run)) {
        const bool metafile = p->format == PictureFormat::Wmf || p->format == PictureFormat::Emf;
        // Pixels at 96 dpi; a metafile's own size is in 0.01 mm.
        qint64 w = metafile ? qRound64(p->metafile.width() * 1440 / 2540)
                            : qint64(p->pixels.width()) * kTwipsPerPixel;
        qint64 h = metafile ? qRound64(p->metafile.height() * 1440 / 2540)
                            : qint64(p->pixels.height()) * kTwipsPerPixel;
        if (w > kMaxPictureTwips) {
            h = h * kMaxPictureTwips / w;
            w = kMaxPictureTwips;
        }
        QByteArray kind;
        switch (p->format) {
        case PictureFormat::Jpeg:
            kind = "\\jpegblip";
            break;
        case PictureFormat::Wmf:
            kind = "\\wmetafile8";
            break;
        case PictureFormat::Emf:
            kind = "\\emfblip";
            break;
        default:
            kind = "\\pngblip";
        }
        const QSize natural =
            metafile ? QSize(qRound(p->metafile.width()), qRound(p->metafile.height())) : p->pixels;
        out += "{\\pict" + kind + "\\picw" + num(natural.width()) + "\\pich" +
               num(natural.height()) + "\\picwgoal" + num(w) + "\\pichgoal" + num(h) + "\n";
        const QByteArray hex = p->data.toHex();
        for (qsizetype i = 0; i < hex.size(); i += 128)
            out += hex.mid(i, 128) + "\n";
        out += "}";
    } else if (const auto* n = std::get_if<PageNumberRun>(&run)) {
        out += "{\\f" + num(n->font) + "\\fs" + num(n->sizePt * 2) +
               " {\\field{\\*\\fldinst { PAGE }}{\\fldrslt 1}}}";
    }
}

void writeParagraphs(QByteArray& out, const QList<Paragraph>& paragraphs) {
    for (const Paragraph& p : paragraphs) {
        out += p.align == Align::Centre ? "\\pard\\plain\\qc " : "\\pard\\plain\\ql ";
        for (const Run& r : p.runs)
            writeRun(out, r);
        out += "\\par\n";
    }
}

} // namespace

QByteArray escape(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == u'\t') {
            out += "\\tab ";
        } else if (u >= 0x20 && u < 0x80) {
            out += static_cast<char>(u);
        } else if (u >= 0x80) {
            // \u takes a signed 16-bit number; surrogate pairs go as two.
            out += "\\u" + num(static_cast<qint16>(u)) + "?";
        }
    }
    return out;
}

QByteArray write(const Document& doc) {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1\n{\\fonttbl";
    for (qsizetype i = 0; i < doc.fonts.size(); ++i) {
        const Font& f = doc.fonts[i];
        out += "{\\f" + num(i) + "\\fnil\\fcharset204 " + escape(f.name);
        if (!f.fallback.isEmpty())
            out += "{\\*\\falt " + escape(f.fallback) + "}";
        out += ";}";
    }
    out += "}\n{\\colortbl;\\red0\\green0\\blue255;}\n";
    out += "\\paperw11906\\paperh16838\\margl1134\\margr850\\margt1134\\margb1134\n";
    if (!doc.footer.isEmpty()) {
        out += "{\\footer ";
        writeParagraphs(out, doc.footer);
        out += "}\n";
    }
    writeParagraphs(out, doc.body);
    out += "}\n";
    return out;
}

} // namespace zorvik::rtf
