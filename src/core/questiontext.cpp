#include "questiontext.h"

#include "atomicfile.h"
#include "cp1251.h"
#include "records.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace zorvik {

QString recordTextToField(const QString& text) {
    QString s = text;
    s.replace(u"\r\n"_s, u"\n"_s);
    return s;
}

QString fieldTextToRecord(const QString& text) {
    QString s = recordTextToField(text); // no CR LF doubled into CR CR LF
    s.replace(u'\n', u"\r\n"_s);
    return s;
}

QString trimField(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= u' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= u' ')
        --end;
    return text.sliced(begin, end - begin);
}

bool exceedsField(const QString& text) {
    return text.size() > kShortStringCapacity;
}

QByteArray fieldTextFileBytes(const QString& text) {
    return toCp1251(fieldTextToRecord(text)) + QByteArrayLiteral("\r\n");
}

void writeFieldTextFile(const QString& path, const QString& text, const Storage& storage) {
    storage.replace(path, fieldTextFileBytes(text));
}

std::optional<QString> readFieldTextFile(const QString& path, const Storage& storage) {
    if (path.isEmpty())
        return std::nullopt;
    QByteArray bytes;
    try {
        // A folder, pipe or device is refused before it is opened.
        bytes = storage.read(path, StoredKind::FieldText);
    } catch (const FileError&) {
        return std::nullopt;
    }
    if (bytes.endsWith("\r\n"))
        bytes.chop(2);
    else if (bytes.endsWith('\n'))
        bytes.chop(1);
    return fromCp1251(bytes);
}

std::optional<qint64> parseRecordNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;
    const QStringView rest = QStringView(text).sliced(i);
    if (rest.isEmpty())
        return std::nullopt;
    // Sign and digits only: toLongLong would also take blanks after the number.
    for (qsizetype k = 0; k < rest.size(); ++k) {
        const QChar c = rest.at(k);
        const bool sign = k == 0 && (c == u'+' || c == u'-') && rest.size() > 1;
        if (!sign && (c < u'0' || c > u'9'))
            return std::nullopt;
    }
    bool ok = false;
    const qint64 n = rest.toLongLong(&ok);
    if (!ok || n < INT_MIN || n > INT_MAX)
        return std::nullopt;
    return n;
}

} // namespace zorvik
