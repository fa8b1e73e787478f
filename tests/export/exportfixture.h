// Test files with pictures, sounds and field text files for the export tests,
// and the parts of a saved workbook that the list's export is checked by.
#pragma once

#include "core/atomicfile.h"
#include "core/cp1251.h"
#include "core/editing.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <map>
#include <set>

namespace zorvik::testing {

inline Question makeQuestion(TestKind kind, const QString& text, const QStringList& answers,
                             QList<int> correct = {}) {
    Question q = emptyQuestion(kind);
    q.LevelLow = false; // levels are set by the test
    q.Question = text;
    for (int k = 1; k <= answers.size(); ++k)
        q.answer(k) = answers[k - 1];
    for (int k : correct)
        q.correct(k) = true;
    return q;
}

// Record 0, then the questions.
inline void writeTest(const QString& path, TestKind kind, const QList<Question>& questions) {
    QByteArray bytes = encodeQuestion(emptyQuestion(kind), kind);
    for (const Question& q : questions)
        bytes += encodeQuestion(q, kind);
    writeFileAtomically(path, bytes);
}

// A small picture in `format` ("PNG", "JPEG", "BMP").
inline QByteArray pictureBytes(const char* format, int width = 40, int height = 20) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(30, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The sheet names, cell texts ("A1" -> text) and column widths of an .xlsx.
// A number cell's text is its value as stored ("7.5"); `numbers` names them.
struct WorkbookText {
    QStringList sheets;
    std::map<QString, QString> cells;
    std::set<QString> numbers;
    std::map<int, double> widths; // 1-based column -> width as stored

    static bool canRead() {
        return !QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty();
    }

    static QByteArray member(const QString& file, const QString& name) {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, name});
        if (!unzip.waitForFinished(20000) || unzip.exitCode() != 0)
            return {};
        return unzip.readAllStandardOutput();
    }

    static WorkbookText read(const QString& file) {
        WorkbookText book;
        QXmlStreamReader wb(member(file, QStringLiteral("xl/workbook.xml")));
        while (!wb.atEnd())
            if (wb.readNext() == QXmlStreamReader::StartElement && wb.name() == u"sheet")
                book.sheets << wb.attributes().value(QStringLiteral("name")).toString();
        QStringList strings;
        QXmlStreamReader ss(member(file, QStringLiteral("xl/sharedStrings.xml")));
        while (!ss.atEnd())
            if (ss.readNext() == QXmlStreamReader::StartElement && ss.name() == u"t")
                strings << ss.readElementText();
        QXmlStreamReader sh(member(file, QStringLiteral("xl/worksheets/sheet1.xml")));
        QString ref;
        bool shared = false;
        bool number = false;
        while (!sh.atEnd()) {
            sh.readNext();
            if (!sh.isStartElement())
                continue;
            const auto a = sh.attributes();
            if (sh.name() == u"col") {
                for (int c = a.value(QStringLiteral("min")).toInt();
                     c <= a.value(QStringLiteral("max")).toInt(); ++c)
                    book.widths[c] = a.value(QStringLiteral("width")).toDouble();
            } else if (sh.name() == u"c") {
                ref = a.value(QStringLiteral("r")).toString();
                shared = a.value(QStringLiteral("t")) == u"s";
                // A cell without a type holds a number.
                number =
                    a.value(QStringLiteral("t")).isEmpty() || a.value(QStringLiteral("t")) == u"n";
                book.cells[ref];
            } else if (sh.name() == u"v" && shared) {
                book.cells[ref] = strings.value(sh.readElementText().toInt());
            } else if (sh.name() == u"v" && number) {
                book.cells[ref] = sh.readElementText();
                book.numbers.insert(ref);
            }
        }
        return book;
    }
};

} // namespace zorvik::testing
