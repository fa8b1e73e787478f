// Reading back the PDFs the program writes, through pdftotext.
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <vector>

namespace zorvik::testing {

inline bool havePdfToText() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The text of page `page` (from 1), or of the whole document for 0, laid out
// as on paper; empty when it cannot be read.
inline QString pdfText(const QString& pdf, int page = 0) {
    QStringList args{QStringLiteral("-layout"), pdf, QStringLiteral("-")};
    if (page > 0)
        args = QStringList{QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                           QString::number(page)} +
               args;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args);
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A word of a page as pdftotext -bbox places it, in points from the top left.
struct PdfWord {
    QString text;
    double left, top, right, bottom;
};

inline std::vector<PdfWord> pdfWords(const QString& pdf, int page = 1) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
             QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    std::vector<PdfWord> words;
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return words;
    QXmlStreamReader xml(p.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.name() == QStringLiteral("word")) {
            const auto a = xml.attributes();
            PdfWord w{{},
                      a.value(QStringLiteral("xMin")).toDouble(),
                      a.value(QStringLiteral("yMin")).toDouble(),
                      a.value(QStringLiteral("xMax")).toDouble(),
                      a.value(QStringLiteral("yMax")).toDouble()};
            w.text = xml.readElementText();
            words.push_back(w);
        }
    }
    return words;
}

} // namespace zorvik::testing
