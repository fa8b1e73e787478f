// A small RTF reader for tests: what a user would see of a document.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zorvik::testing {

struct RtfText {
    QStringList paragraphs; // body text, one entry per paragraph; "[picture png]" for a picture
    QStringList footer;     // footer paragraphs; "[PAGE]" for a page-number field
    QStringList fonts;      // font table names, "name|fallback"
    QStringList hyperlinks; // field instructions' addresses
    QStringList centred;    // texts of centred body paragraphs
};

RtfText readRtf(const QByteArray& rtf);

} // namespace zorvik::testing
