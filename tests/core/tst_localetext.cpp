#include "core/localetext.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

class LocaleTextTest : public QObject {
    Q_OBJECT
private slots:
    void numbers_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("uk fraction") << u"uk_UA"_s << 7.5 << u"7,5"_s;
        QTest::newRow("uk whole") << u"uk_UA"_s << 12.0 << u"12"_s;
        QTest::newRow("uk large, no grouping or exponent") << u"uk_UA"_s << 100000.0 << u"100000"_s;
        QTest::newRow("uk 1234.5") << u"uk_UA"_s << 1234.5 << u"1234,5"_s;
        QTest::newRow("en") << u"en_US"_s << 0.67 << u"0.67"_s;
    }
    void numbers() {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        QFETCH(double, value);
        QTEST(numberText(value), "text");
    }

    void timeWithoutZone() {
        QLocale::setDefault(QLocale(u"uk_UA"_s));
        QCOMPARE(longTimeText(QTime(21, 54, 37)), u"21:54:37"_s);
        QCOMPARE(shortDateText(QDate(2026, 12, 8)), u"08.12.26"_s);
        QLocale::setDefault(QLocale::c()); // "10 Dec 2026" would not fit ten characters
        QCOMPARE(shortDateText(QDate(2026, 12, 10)), u"10.12.2026"_s);
        QCOMPARE(shortDateText(QDate(2026, 12, 8)), u"8 Dec 2026"_s);
    }
};

QTEST_GUILESS_MAIN(LocaleTextTest)
#include "tst_localetext.moc"
