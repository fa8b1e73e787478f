// Reading back the PDFs the program writes, through pdftotext.
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

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

} // namespace zorvik::testing
