#include "core/questionline.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

class QuestionLineTest : public QObject {
    Q_OBJECT
private slots:
    void encoding_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("blanks") << u"Скільки буде 2 + 2?"_s << u"Скільки,буде,2,+,2?"_s
                                << u"Скільки буде 2 + 2?"_s;
        QTest::newRow("empty") << QString() << u","_s << u" "_s;
        QTest::newRow("comma dropped") << u"3,14"_s << u"314"_s << u"314"_s;
        QTest::newRow("comma and blank") << u"a, b"_s << u"a,,b"_s << u"a, b"_s;
        QTest::newRow("run of blanks") << u"a   b"_s << u"a,b"_s << u"a b"_s;
        QTest::newRow("line break kept")
            << u"рядок\r\nдругий"_s << u"рядок\r\nдругий"_s << u"рядок\r\nдругий"_s;
    }
    void encoding() {
        QFETCH(QString, text);
        QFETCH(QString, token);
        QCOMPARE(encodeLineText(text), token);
        QTEST(decodeLineText(token), "decoded");
    }

    void decodeDoubleComma() { QCOMPARE(decodeLineText(u"a,,b"_s), u"a, b"_s); }

    void trimRemovesControlCharacters() {
        QCOMPARE(trimBlanks(u"\r\n  текст \t\r\n"_s), u"текст"_s);
        QCOMPARE(trimBlanks(u"   "_s), QString());
    }

    void lineHasSixteenBlanks() {
        QuestionLine q;
        q.texts[0] = u"Скільки буде 2 + 2?"_s;
        q.texts[2] = u"4"_s;
        q.questionAndPicture = u"False"_s;
        q.level = u","_s;
        q.correct = {u"False"_s, u"True"_s, u"False"_s, u"False"_s, u"False"_s};
        const QString line = buildQuestionLine(q);
        QCOMPARE(line.count(u' '), 16);
        QVERIFY(line.endsWith(u' '));
        QCOMPARE(line,
                 u"Скільки,буде,2,+,2? , 4 , , , , , , False , False True False False False "_s);
        const QuestionLine back = parseQuestionLine(line);
        QCOMPARE(back.texts[0], u"Скільки буде 2 + 2?"_s);
        QCOMPARE(back.texts[1], u" "_s); // an empty answer comes back as one blank
        QCOMPARE(back.texts[2], u"4"_s);
        QCOMPARE(back.level, u","_s);
        QCOMPARE(back.correct[1], u"True"_s);
    }

    void fewerAndMoreBlanks() {
        const QuestionLine few = parseQuestionLine(u"Питання a b"_s);
        QCOMPARE(few.texts[0], u"Питання"_s);
        QCOMPARE(few.texts[1], u"a"_s);
        QCOMPARE(few.texts[2], QString()); // after the last blank: empty
        QCOMPARE(few.correct[4], QString());
        QString many;
        for (int i = 1; i <= 20; ++i)
            many += QString::number(i) + u' ';
        const QuestionLine more = parseQuestionLine(many);
        QCOMPARE(more.correct[4], u"16"_s); // the sixteenth token ends at the sixteenth blank
    }
};

QTEST_GUILESS_MAIN(QuestionLineTest)
#include "tst_questionline.moc"
