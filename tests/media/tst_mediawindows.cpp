#include "media/mediaplayerpanel.h"
#include "media/picturebox.h"
#include "media/picturewindow.h"
#include "media/soundwindow.h"
#include "support/scriptedservices.h"

#include "core/storage.h"

#include <QDialog>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace zorvik;
using zorvik::testing::ScriptedServices;

class MediaWindowsTest : public QObject {
    Q_OBJECT
    AppState state_;
    ScriptedServices services_;
    AppContext ctx_{state_, services_, {}};

private slots:
    void init() { services_.modalShown.clear(); }

    void pictureWindowShowsACopyAndClosesOnDoubleClick() {
        QImage picture(400, 200, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QPointer<QDialog> shown;
        services_.modalHandlers.push_back([&](QDialog* d) {
            shown = d;
            auto* w = qobject_cast<PictureWindow*>(d);
            if (!w)
                return -1;
            if (w->objectName() != u"TForm21"_s || w->windowTitle() != u"C:/p/cat.jpg"_s)
                return -2;
            if (w->Image1->image() != picture)
                return -3;
            w->resize(690, 595);
            w->Image1->resize(690, 595);
            if (w->Image1->pictureRect() != QRect(0, 0, 690, 345)) // fitted, at the top
                return -4;
            QTest::mouseDClick(w->Image1, Qt::LeftButton);
            return w->result();
        });
        PictureWindow::showPicture(ctx_, nullptr, picture, u"C:/p/cat.jpg"_s);
        QCOMPARE(services_.modalShown, QStringList{u"TForm21"_s});
        QVERIFY(shown.isNull()); // destroyed when closed
        QVERIFY(services_.allUsed());
    }

    void pictureBoxShrinksButNeverEnlarges() {
        PictureBox box;
        box.resize(200, 100);
        QImage small(50, 20, QImage::Format_RGB32);
        box.setImage(small);
        QCOMPARE(box.pictureRect(), QRect(75, 40, 50, 20));
        QImage large(400, 100, QImage::Format_RGB32);
        box.setImage(large);
        QCOMPARE(box.pictureRect(), QRect(0, 25, 200, 50));
        QVERIFY(!box.load(u"/nonexistent/x.bmp"_s, Storage::system()));
        QVERIFY(!box.hasPicture());
    }

    void soundWindowPlaysAndUnloadsWhenClosed() {
        const QString path = QFINDTESTDATA("tst_mediawindows.cpp"); // any existing file
        QPointer<SoundWindow> shown;
        QString sourceWhileShown;
        QString sourceAfterClose = u"?"_s;
        services_.modalHandlers.push_back([&](QDialog* d) {
            shown = qobject_cast<SoundWindow*>(d);
            if (!shown)
                return -1;
            sourceWhileShown = shown->WindowsMediaPlayer1->source();
            if (shown->windowTitle() != u"Мультимедіа "_s)
                return -2;
            shown->reject();
            sourceAfterClose = shown->WindowsMediaPlayer1->source();
            return 0;
        });
        SoundWindow::playSound(ctx_, nullptr, path);
        QCOMPARE(services_.modalShown, QStringList{u"TForm22"_s});
        QCOMPARE(sourceWhileShown, path);
        QCOMPARE(sourceAfterClose, QString());
        QVERIFY(shown.isNull());
    }

    void playerPanelWithoutFileCannotPlay() {
        MediaPlayerPanel panel;
        QVERIFY(!panel.playButton()->isEnabled());
        panel.play();
        QVERIFY(!panel.isPlaying());
        QTemporaryDir dir;
        const QString wav = dir.filePath(u"a.wav"_s);
        QFile(wav).open(QIODevice::WriteOnly);
        panel.setSource(wav);
        QVERIFY(panel.playButton()->isEnabled());
        panel.closeMedia();
        QCOMPARE(panel.source(), QString());
    }

    // A pipe, a device or a folder is never handed to the player.
    void playerPanelRefusesWhatIsNotAFile() {
        QTemporaryDir dir;
        const QString pipe = dir.filePath(u"pipe.wav"_s);
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        for (const QString& name : {pipe, u"/dev/zero"_s, dir.path()}) {
            MediaPlayerPanel panel;
            QSignalSpy failed(&panel, &MediaPlayerPanel::failed);
            panel.setSource(name);
            QCOMPARE(failed.size(), 1);
            QCOMPARE(panel.source(), name); // for the message
            QVERIFY(!panel.playButton()->isEnabled());
        }
    }
};

QTEST_MAIN(MediaWindowsTest)
#include "tst_mediawindows.moc"
