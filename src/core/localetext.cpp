#include "localetext.h"

#include <QLocale>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zorvik {

QString shortDateText(const QDate& date) {
    // Journals keep ten characters of a date: a locale whose short date is
    // longer (e.g. "10 Dec 2026") would lose its year, so it is written in digits.
    const QString text = QLocale().toString(date, QLocale::ShortFormat);
    return text.size() <= 10 ? text : date.toString(u"dd.MM.yyyy"_s);
}

QString longTimeText(const QTime& time) {
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    // A wall-clock time: the zone that Qt's long format adds is left out.
    static const QRegularExpression zone(u"\\s*t+\\s*"_s);
    format.replace(zone, u" "_s);
    return QLocale().toString(time, format.trimmed());
}

QString numberText(double value) {
    // Marks are small, plain numbers: no exponent and no thousands grouping.
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', QLocale::FloatingPointShortest);
}

} // namespace zorvik
