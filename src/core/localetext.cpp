#include "localetext.h"

#include <QLocale>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zorvik {

QString shortDateText(const QDate& date) {
    return QLocale().toString(date, QLocale::ShortFormat);
}

QString longTimeText(const QTime& time) {
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    // A wall-clock time: the zone that Qt's long format adds is left out.
    static const QRegularExpression zone(u"\\s*t+\\s*"_s);
    format.replace(zone, u" "_s);
    return QLocale().toString(time, format.trimmed());
}

QString numberText(double value) {
    return QLocale().toString(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace zorvik
