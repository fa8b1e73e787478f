#include "core/questionview.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

class QuestionViewTest : public QObject {
    Q_OBJECT

    // The design frames: question, first answer, picture.
    static PictureDrag designDrag() {
        PictureDrag d;
        d.memo1 = QRect(8, 26, 624, 112);
        d.memo2 = QRect(44, 158, 356, 40);
        d.normal = QRect(408, 158, 224, 172);
        d.image = d.normal;
        d.pictureSize = QSize(100, 80);
        d.dragging = true;
        return d;
    }

private slots:
    void onlyRegularFilesAreMedia() {
        QTemporaryDir dir;
        QFile f(dir.filePath(u"a.wav"_s));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(isExistingFile(dir.filePath(u"a.wav"_s)));
        QVERIFY(!isExistingFile(dir.path()));
        QVERIFY(!isExistingFile(dir.filePath(u"b.wav"_s)));
        QVERIFY(!isExistingFile(QString()));
    }

    void memoLines() {
        QCOMPARE(visibleMemoLines(40, 15), 1);   // 40 / 21 - 0.5 = 1.40
        QCOMPARE(visibleMemoLines(112, 15), 5);  // 4.83
        QCOMPARE(visibleMemoLines(63, 15), 2);   // 2.5 goes to the even 2
        QCOMPARE(visibleMemoLines(112, -15), 5); // a negative height in points
    }

    void cursorByEdge_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("pictureAnswers");
        QTest::addColumn<int>("cursor");
        QTest::newRow("left edge") << 3 << 40 << false << int(DragCursor::SizeHor);
        QTest::newRow("left edge, picture answers") << 3 << 40 << true << int(DragCursor::Default);
        QTest::newRow("top edge") << 50 << 2 << false << int(DragCursor::SizeVer);
        QTest::newRow("top edge, picture answers") << 50 << 2 << true << int(DragCursor::SizeVer);
        QTest::newRow("corner") << 2 << 2 << false << int(DragCursor::SizeFDiag);
        QTest::newRow("inside") << 50 << 50 << false << int(DragCursor::Default);
    }
    void cursorByEdge() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(bool, pictureAnswers);
        QFETCH(int, cursor);
        PictureDrag d = designDrag();
        d.dragging = false;
        d.pictureAnswers = pictureAnswers;
        QCOMPARE(int(dragPictureEdge(d, x, y).cursor), cursor);
        QCOMPARE(dragPictureEdge(d, x, y).image, d.normal);
    }

    void dragLeftOverTheAnswers() {
        PictureDrag d = designDrag();
        PictureDragResult r = dragPictureEdge(d, -8, 40);
        QCOMPARE(r.image, QRect(400, 158, 232, 172));
        QCOMPARE(r.answersVisible, std::optional<bool>(true));
        d.image = QRect(60, 158, 572, 172);
        r = dragPictureEdge(d, -10, 40);
        QCOMPARE(r.image, QRect(50, 158, 582, 172));
        QCOMPARE(r.answersVisible, std::optional<bool>(false));
        // Not past the answers' left edge.
        d.image = QRect(50, 158, 582, 172);
        r = dragPictureEdge(d, -10, 40);
        QCOMPARE(r.image.left(), 50);
    }

    void dragUpOverTheQuestion() {
        PictureDrag d = designDrag();
        d.image = QRect(408, 140, 224, 190);
        PictureDragResult r = dragPictureEdge(d, 50, -10);
        QCOMPARE(r.image, QRect(408, 130, 224, 200));
        QCOMPARE(r.questionVisible, std::optional<bool>(true)); // its bottom 138 is above 140
        d.image = QRect(408, 100, 224, 230);
        r = dragPictureEdge(d, 50, -10);
        QCOMPARE(r.questionVisible, std::optional<bool>(false));
    }

    void pushedInwardsFallsBack() {
        PictureDrag d = designDrag();
        const PictureDragResult r = dragPictureEdge(d, 12, 40);
        QCOMPARE(r.image, d.normal);
        d.image = QRect(408, 158, 100, 80); // the picture's own size
        QCOMPARE(dragPictureEdge(d, 50, 50).image.size(), QSize(98, 78));
    }
};

QTEST_APPLESS_MAIN(QuestionViewTest)
#include "tst_questionview.moc"
