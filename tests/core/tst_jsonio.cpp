#include "core/jsonio.h"
#include "core/records.h"
#include "core/testfile.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

class JsonIoTest : public QObject {
    Q_OBJECT
private slots:
    void kindsByExactExtension_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("kind");
        QTest::newRow("tsm") << u"a.tsm"_s << int(FileKind::Tsm);
        QTest::newRow("tsr") << u"/x/b.tsr"_s << int(FileKind::Tsr);
        QTest::newRow("ns1") << u"test.ns1"_s << int(FileKind::Ns1);
        QTest::newRow("ns2") << u"/p/test.ns2"_s << int(FileKind::Ns2);
        QTest::newRow("ocn") << u"j.ocn"_s << int(FileKind::Ocn);
        QTest::newRow("upper case") << u"A.TSM"_s << int(FileKind::Unknown);
        QTest::newRow("other") << u"a.txt"_s << int(FileKind::Unknown);
    }
    void kindsByExactExtension() {
        QFETCH(QString, path);
        QTEST(int(fileKindOf(path)), "kind");
    }

    void roundTripEveryKind() {
        TsrRecord q = TsrRecord::empty();
        q.Question = u"Скільки буде 2 + 2?"_s;
        q.Answer2 = u"4"_s;
        q.Correct2 = true;
        q.LevelLow = false;
        q.LevelHigh = true;
        Ns2Record p;
        p.TestName = u"т.tsr"_s;
        p.PointsHigh = 3;
        p.TestingMode.QuestionTime = -1;
        p.TestingMode.GoBack = true;
        JournalRecord j;
        j.StudentName = u"Іван"_s;
        j.Points = 7.12;
        const QList<QPair<FileKind, QByteArray>> files = {
            {FileKind::Tsr, newTestFileBytes(TestKind::Tsr) + q.encode()},
            {FileKind::Tsm, newTestFileBytes(TestKind::Tsm)},
            {FileKind::Ns2, p.encode()},
            {FileKind::Ns1, Ns1Record().encode()},
            {FileKind::Ocn, j.encode() + j.encode()},
        };
        for (const auto& [kind, bytes] : files) {
            const QByteArray json = recordsToJson(kind, bytes).toJson();
            QCOMPARE(recordsFromJson(kind, json), bytes);
        }
    }

    void dumpNamesFields() {
        const QJsonObject rec = recordsToJson(FileKind::Tsr, newTestFileBytes(TestKind::Tsr))
                                    .object()
                                    .value(u"records"_s)
                                    .toArray()
                                    .at(1)
                                    .toObject();
        QCOMPARE(rec.value(u"index"_s).toInt(), 1);
        QCOMPARE(rec.value(u"LevelLow"_s).toBool(), true);
        QCOMPARE(rec.value(u"Correct"_s).toArray().size(), 5);
        QVERIFY(rec.contains(u"QuestionInTextFile"_s));
    }

    void badJsonIsRefused_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("message");
        QTest::newRow("malformed") << QByteArray("{\"records\": [") << u"malformed JSON"_s;
        QTest::newRow("wrong type")
            << QByteArray(R"({"records":[{"Question": 5}]})") << u"\"Question\" must be a string"_s;
        QTest::newRow("bool type") << QByteArray(R"({"records":[{"QuestionAndPicture": 1}]})")
                                   << u"must be true or false"_s;
        QTest::newRow("too long") << (QByteArray(R"({"records":[{"Answer1": ")") +
                                      QByteArray(256, 'a') + QByteArray(R"("}]})"))
                                  << u"longer than 255"_s;
        QTest::newRow("unknown field")
            << QByteArray(R"({"records":[{"Questoin": ""}]})") << u"unknown field"_s;
        QTest::newRow("other kind") << QByteArray(R"({"kind":"tsr","records":[]})") << u"\"tsr\""_s;
        QTest::newRow("not an array") << QByteArray(R"({"records":{}})") << u"array"_s;
    }
    void badJsonIsRefused() {
        QFETCH(QByteArray, json);
        QFETCH(QString, message);
        try {
            recordsFromJson(FileKind::Tsm, json);
            QFAIL("accepted bad JSON");
        } catch (const JsonError& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(message), e.what());
        }
    }

    void text255IsAccepted() {
        const QByteArray json = QByteArray(R"({"records":[{"Answer1": ")") + QByteArray(255, 'a') +
                                QByteArray(R"("}]})");
        QCOMPARE(TsmRecord::decode(recordsFromJson(FileKind::Tsm, json)).Answer1.size(), 255);
    }
};

QTEST_GUILESS_MAIN(JsonIoTest)
#include "tst_jsonio.moc"
