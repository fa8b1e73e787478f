// A small writer of RTF documents: paragraphs with alignment, runs of text in a
// font, size and weight, inline pictures, hyperlinks and a page-number footer.
// Word, LibreOffice and every other word processor open RTF whatever the
// file's extension. Text is written as \u escapes, so any character survives.
#pragma once

#include "metafile.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

#include <variant>

namespace zorvik::rtf {

enum class Align { Left, Centre };

struct Font {
    QString name;     // "Times New Roman Cyr"
    QString fallback; // a Cyrillic-capable alternative, named in the font table
};

struct TextRun {
    QString text; // CR LF or LF inside starts a new line in the same paragraph
    bool bold = false;
    int sizePt = 12;
    int font = 0; // index into the font table
};

struct PictureRun {
    QByteArray data; // PNG, JPEG or EMF bytes as they are; WMF records
    PictureFormat format = PictureFormat::Png;
    QSize pixels;    // natural size of a PNG or JPEG
    QSizeF metafile; // size of a WMF or EMF on paper, 0.01 mm
};

struct LinkRun {
    QString text;
    QString address;
    int sizePt = 12;
    int font = 0;
};

struct PageNumberRun {
    int sizePt = 12;
    int font = 0;
};

using Run = std::variant<TextRun, PictureRun, LinkRun, PageNumberRun>;

struct Paragraph {
    Align align = Align::Left;
    QList<Run> runs;
};

struct Document {
    QList<Font> fonts;
    QList<Paragraph> body;
    QList<Paragraph> footer; // on every page, the first included
};

// The document as RTF bytes (ASCII only).
QByteArray write(const Document& doc);
// Text escaped for RTF: \, {, } and every non-ASCII character as \uN?.
QByteArray escape(const QString& text);

} // namespace zorvik::rtf
