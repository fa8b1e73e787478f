// Dates, times and numbers as the user's locale writes them.
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace zorvik {

// The locale's short date, e.g. "08.12.26".
QString shortDateText(const QDate& date);
// The locale's long time without a time zone, e.g. "21:54:37".
QString longTimeText(const QTime& time);
// The shortest decimal text of a number with the locale's separator: 7.5 -> "7,5".
QString numberText(double value);

} // namespace zorvik
