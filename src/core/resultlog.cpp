#include "resultlog.h"

#include "cp1251.h"
#include "fileerror.h"
#include "localetext.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace zorvik {

QString resultLogPath(const QString& programDir) {
    return programDir + u"/result.txt"_s;
}

QString ruleLine() {
    return QString(65, u'-');
}

QString logNumberText(double value) {
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

QString intervalText(qint64 ms) {
    constexpr qint64 day = 24 * 60 * 60 * 1000;
    const qint64 inDay = ((ms % day) + day) % day;
    return longTimeText(QTime(0, 0).addMSecs(static_cast<int>(inDay)));
}

QString logDateTimeText(const QDateTime& when) {
    return shortDateText(when.date()) + u"  "_s + longTimeText(when.time());
}

QStringList resultLogHeader(const QString& testFileName, const QString& studentName,
                            const QString& studentGroup, const QDateTime& now) {
    return {
        u"          Результат тестування"_s,
        ruleLine(),
        u" Файл тестування: "_s + testFileName,
        u" Прізвище: "_s + studentName,
        u" Група (клас): "_s + studentGroup,
        u" Початок тестування: "_s + logDateTimeText(now),
        ruleLine(),
        u" № з/п :  № запитання : Балів за запитання:   Час"_s,
    };
}

QString resultLogQuestionLine(const LogSpacing& s, int questionNo, int recordNo, double points,
                              qint64 elapsedMs) {
    return QString(s.prefix, u' ') + QString::number(questionNo) + QString(s.afterN, u' ') +
           QString::number(recordNo) + QString(s.afterR, u' ') + logNumberText(points) +
           QString(s.afterP, u' ') + intervalText(elapsedMs);
}

QStringList resultLogEnd(const QDateTime& now, qint32 maxPoints, double points, qint32 scale,
                         qint32 grade, bool brokenOff) {
    QStringList lines;
    if (brokenOff)
        lines.append(u"   ТЕСТУВАННЯ ПЕРЕРВАНО!!!"_s);
    lines.append(ruleLine());
    lines.append(u"  Кінець тестування: "_s + logDateTimeText(now));
    lines.append(u"  Балів за тест ("_s + QString::number(maxPoints) + u"): "_s +
                 logNumberText(points));
    lines.append(u"  Оцінка ("_s + QString::number(scale) + u"): "_s + logNumberText(grade));
    lines.append(QString());
    return lines;
}

void appendToResultLog(const QString& path, const QStringList& lines, const Storage& storage) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toCp1251(line);
        bytes += "\r\n";
    }
    const StorageLock lock = storage.lock(path);
    storage.append(path, bytes);
}

void checkResultLogWritable(const QString& path, const Storage& storage) {
    storage.create(path)->close();
}

} // namespace zorvik
