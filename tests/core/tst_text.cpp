#include "core/bytes.h"
#include "core/cp1251.h"
#include "core/rtf.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

class TextTest : public QObject {
    Q_OBJECT
private slots:
    void everyByteRoundTrips() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        const QString text = fromCp1251(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(toCp1251(text), all);
    }

    void knownLetters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ukrainian")
            << u"Їжак ґава є і"_s << QByteArray("\xAF\xE6\xE0\xEA \xB4\xE0\xE2\xE0 \xBA \xB3");
        QTest::newRow("capitals") << u"ЄІЇҐ"_s << QByteArray("\xAA\xB2\xAF\xA5");
        QTest::newRow("quotes and dash") << u"«—»№"_s << QByteArray("\xAB\x97\xBB\xB9");
        QTest::newRow("line break") << u"a\r\nb"_s << QByteArray("a\r\nb");
    }
    void knownLetters() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toCp1251(text), bytes);
        QCOMPARE(fromCp1251(bytes), text);
    }

    void unrepresentableBecomesQuestionMark() {
        // One "?" per character, also for characters outside the BMP.
        QCOMPARE(toCp1251(u"a中b😀c"_s), QByteArray("a?b?c"));
        QVERIFY(!fitsCp1251(u"中"_s));
        QVERIFY(fitsCp1251(u"Привіт"_s));
    }

    void shortStringWriteCutsAndZeroesTail() {
        QByteArray image(20, '\xFF');
        writeShortString(image, 2, 10, u"Абвгдеєжзий"_s); // 11 letters into 10
        QCOMPARE(static_cast<int>(static_cast<unsigned char>(image[2])), 10);
        QCOMPARE(image.mid(3, 10), toCp1251(u"Абвгдеєжзи"_s));
        writeShortString(image, 2, 10, u"ab"_s);
        QCOMPARE(image.mid(2, 11), QByteArray("\x02"
                                              "ab\0\0\0\0\0\0\0\0",
                                              11));
        QCOMPARE(image[0], '\xFF'); // nothing outside the field is touched
        QCOMPARE(image[13], '\xFF');
    }

    void shortStringReadClampsLength() {
        QByteArray image(11, 'x');
        image[0] = static_cast<char>(200); // above capacity 10
        QCOMPARE(readShortString(image, 0, 10), u"xxxxxxxxxx"_s);
        image[0] = 3;
        QCOMPARE(readShortString(image, 0, 10), u"xxx"_s);
    }

    void capacity255_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("stored");
        QTest::newRow("255 kept") << 255 << 255;
        QTest::newRow("256 cut") << 256 << 255;
        QTest::newRow("empty") << 0 << 0;
    }
    void capacity255() {
        QFETCH(int, length);
        QFETCH(int, stored);
        QString text;
        for (int i = 0; i < length; ++i)
            text.append(QChar(u'а' + i % 32));
        QByteArray image(256, '\0');
        writeShortString(image, 0, 255, text);
        QCOMPARE(static_cast<int>(static_cast<unsigned char>(image[0])), stored);
        QCOMPARE(readShortString(image, 0, 255), text.left(stored));
        QCOMPARE(cutToCapacity(text, 255), text.left(stored));
    }

    // A character outside the BMP is one stored byte ("?"), so it counts as
    // one, and is never cut in half.
    void capacityCountsCodePoints_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QString>("kept");
        const QString smile = u"\U0001F600"_s;
        QTest::newRow("pair at the end, room for it") << u"ab"_s + smile << 3 << u"ab"_s + smile;
        QTest::newRow("pair at the end, no room") << u"abc"_s + smile << 3 << u"abc"_s;
        QTest::newRow("pairs only") << smile + smile + smile << 2 << smile + smile;
        QTest::newRow("lone high surrogate")
            << u"a"_s + QChar(0xD83D) + u"b"_s << 2 << u"a"_s + QChar(0xD83D);
    }
    void capacityCountsCodePoints() {
        QFETCH(QString, text);
        QFETCH(int, capacity);
        QFETCH(QString, kept);
        QCOMPARE(cutToCapacity(text, capacity), kept);
    }

    // RTF's own characters are escaped; everything beyond ASCII goes as \u.
    void rtfEscaping_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("rtf");
        QTest::newRow("braces and backslash") << u"{a}\\b"_s << QByteArray("\\{a\\}\\\\b");
        QTest::newRow("quotes stay") << u"\"x\" 'y'"_s << QByteArray("\"x\" 'y'");
        QTest::newRow("tab") << u"a\tb"_s << QByteArray("a\\tab b");
        QTest::newRow("cyrillic") << u"Ж"_s << QByteArray("\\u1046?");
        QTest::newRow("beyond the BMP as two")
            << u"\U0001F600"_s << QByteArray("\\u-10179?\\u-8704?");
    }
    void rtfEscaping() {
        QFETCH(QString, text);
        QFETCH(QByteArray, rtf);
        QCOMPARE(rtf::escape(text), rtf);
    }
};

QTEST_GUILESS_MAIN(TextTest)
#include "tst_text.moc"
