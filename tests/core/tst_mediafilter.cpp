#include "core/mediafilter.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace zorvik;

class MediaFilterTest : public QObject {
    Q_OBJECT
private slots:
    void kindByTheWholeText() {
        QCOMPARE(mediaKindOfFilter(soundFilter()), MediaKind::Sound);
        QCOMPARE(mediaKindOfFilter(videoFilter()), MediaKind::Video);
        QCOMPARE(mediaKindOfFilter(pictureFilter()), MediaKind::None);
        QCOMPARE(mediaKindOfFilter(soundFilter().simplified()), MediaKind::None);
    }

    void entries() {
        const QList<FilterEntry> video = parseFilter(videoFilter());
        QCOMPARE(video.size(), 7);
        QCOMPARE(video[0].description, u"Video All (*.avi,*.mpg,*.mp4,*.wmv,*.flv)"_s);
        // The mask and the kinds the description promises.
        QCOMPARE(video[0].patterns,
                 (QStringList{u"*.avi"_s, u"*.mpg"_s, u"*.wmv"_s, u"*.flv"_s, u"*.mp4"_s}));
        QCOMPARE(video[3].description, u" Video MP4 (*.mp4)"_s);
        QCOMPARE(video[3].patterns, QStringList{u"*.mp4"_s});
        QCOMPARE(video[6].patterns, QStringList{u"*.*"_s});

        const QList<FilterEntry> picture = parseFilter(pictureFilter());
        QCOMPARE(picture.size(), 6);
        QCOMPARE(picture[5].description, u"Jpegfiles (*.jpg) "_s);
        QCOMPARE(picture[5].patterns, QStringList{u"*.jpg"_s});
        QCOMPARE(parseFilter(soundFilter())[2].description, u"Audio  WMA (*.wma)"_s);
    }
};

QTEST_GUILESS_MAIN(MediaFilterTest)
#include "tst_mediafilter.moc"
