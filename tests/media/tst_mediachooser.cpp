// The media chooser TForm20: the linked drive, folder, file and filter lists,
// its kind, the player panel and its buttons, the animated title, inserting
// and closing. Runs without a sound card.
#include "media/mediachooser.h"
#include "media/mediafiles.h"
#include "media/mediahelpers.h"
#include "media/mediaplayerpanel.h"
#include "support/scriptedservices.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <memory>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

namespace {
struct Inserted {
    MediaKind kind = MediaKind::None;
    QString path = u"<none>"_s;
    int count = 0;
};
} // namespace

class MediaChooserTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    AppState state_;
    ScriptedServices services_;
    AppContext ctx_{state_, services_, {}};

    QString file(const QString& name) const { return dir_.filePath(name); }

    // A chooser on the test folder, as the editor opens it.
    std::unique_ptr<MediaChooser> chooser(const QString& filter, Inserted* inserted = nullptr) {
        auto c = std::make_unique<MediaChooser>(ctx_, nullptr);
        c->setFilter(filter);
        c->setDirectory(dir_.path());
        if (inserted)
            c->setInsertHandler([inserted](MediaKind kind, const QString& path) {
                inserted->kind = kind;
                inserted->path = path;
                ++inserted->count;
            });
        c->FormActivate();
        return c;
    }

    static QStringList listed(const MediaChooser& c) {
        QStringList names;
        for (int i = 0; i < c.FileListBox1->count(); ++i)
            names.append(c.FileListBox1->item(i)->text());
        return names;
    }

    static void select(MediaChooser& c, const QString& name) {
        const QList<QListWidgetItem*> found = c.FileListBox1->findItems(name, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        c.FileListBox1->setCurrentItem(found.first());
    }

    static int entry(const MediaChooser& c, const QString& startsWith) {
        for (int i = 0; i < c.FilterComboBox1->count(); ++i)
            if (c.FilterComboBox1->itemText(i).startsWith(startsWith))
                return i;
        return -1;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QVERIFY(writeWav(file(u"tone.wav"_s)));
        for (const QString& name : {u"song.mp3"_s, u"LOUD.MP3"_s, u"clip.mp4"_s, u"film.avi"_s,
                                    u"notes.txt"_s, u"readme"_s})
            QVERIFY(writeBytes(file(name), "x"));
        QVERIFY(QDir(dir_.path()).mkdir(u"sub"_s));
        setAudioOutputProbe([] { return true; });
    }
    void init() {
        services_.messages.clear();
        services_.opened.clear();
        services_.openWithSystemResult = true;
        state_.NoAudioReported = false;
    }
    void cleanup() { QVERIFY(services_.allUsed()); }

    void atOpening() {
        auto c = chooser(soundFilter());
        QCOMPARE(c->objectName(), u"TForm20"_s);
        QVERIFY(!c->BitBtn6->isEnabled());
        QVERIFY(!c->BitBtn7->isEnabled());
        QCOMPARE(c->WindowsMediaPlayer1->source(), QString());
        QCOMPARE(c->Label1->text(), QString());
        QCOMPARE(c->Timer1->interval(), 1000);
        QCOMPARE(c->Timer2->interval(), 100);
        QVERIFY(c->Timer1->isActive() && c->Timer2->isActive());
        QCOMPARE(c->BitBtn1->text(), u"Відтворити у вікні"_s);
        QCOMPARE(c->BitBtn4->text(), u"Відтворити на панелі"_s);
        QCOMPARE(c->BitBtn3->text(), u"Вставити у запитання"_s);
        QCOMPARE(c->BitBtn5->text(), u"Вийти"_s);
        QCOMPARE(c->BitBtn6->toolTip(), u"Відтворити відео/аудіо"_s);
        QCOMPARE(c->BitBtn7->toolTip(), u"Зупинити відео/аудіо "_s);
        // The drive holding the folder is selected, the tree stands on it.
        QCOMPARE(c->DriveComboBox1->currentData().toString(), QStorageInfo(dir_.path()).rootPath());
        auto* model = qobject_cast<QFileSystemModel*>(c->DirectoryListBox1->model());
        QVERIFY(model);
        QCOMPARE(model->filePath(c->DirectoryListBox1->currentIndex()),
                 QDir(dir_.path()).absolutePath());
    }

    void filterEntriesListTheirFiles_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("audio all, any case")
            << soundFilter() << u"Audio All"_s
            << QStringList{u"LOUD.MP3"_s, u"song.mp3"_s, u"tone.wav"_s};
        QTest::newRow("audio wav") << soundFilter() << u"Audio WAV"_s << QStringList{u"tone.wav"_s};
        QTest::newRow("every file, also without a dot")
            << soundFilter() << u"Всі файли"_s
            << QStringList{u"clip.mp4"_s, u"film.avi"_s, u"LOUD.MP3"_s, u"notes.txt"_s,
                           u"readme"_s,   u"song.mp3"_s, u"tone.wav"_s};
        // The mask of "Video All" leaves out *.mp4, which its description names.
        QTest::newRow("video all lists mp4")
            << videoFilter() << u"Video All"_s << QStringList{u"clip.mp4"_s, u"film.avi"_s};
        QTest::newRow("video mp4, blanks around the mask")
            << videoFilter() << u" Video MP4"_s << QStringList{u"clip.mp4"_s};
    }
    void filterEntriesListTheirFiles() {
        QFETCH(QString, filter);
        QFETCH(QString, entry);
        QFETCH(QStringList, files);
        auto c = chooser(filter);
        const int i = this->entry(*c, entry);
        QVERIFY(i >= 0);
        c->FilterComboBox1->setCurrentIndex(i);
        QCOMPARE(listed(*c), files);
    }

    void kindIsTheFilterOfTheCaller() {
        Inserted sound;
        auto c = chooser(soundFilter(), &sound);
        QCOMPARE(c->kind(), MediaKind::Sound);
        // Switching the combo to another entry changes the list, not the kind.
        c->FilterComboBox1->setCurrentIndex(entry(*c, u"Всі файли"_s));
        select(*c, u"clip.mp4"_s);
        c->BitBtn3->click();
        QCOMPARE(sound.kind, MediaKind::Sound);
        QCOMPARE(sound.path, file(u"clip.mp4"_s));

        Inserted video;
        auto v = chooser(videoFilter(), &video);
        QCOMPARE(v->kind(), MediaKind::Video);
        v->FilterComboBox1->setCurrentIndex(entry(*v, u"Video  AVI"_s));
        select(*v, u"film.avi"_s);
        v->BitBtn3->click();
        QCOMPARE(video.kind, MediaKind::Video);

        // A filter that is not one of the two (one blank less) serves neither.
        Inserted other;
        QString almost = soundFilter();
        almost.replace(u"Audio  WMA"_s, u"Audio WMA"_s);
        auto o = chooser(almost, &other);
        QCOMPARE(o->kind(), MediaKind::None);
        o->BitBtn3->click();
        QCOMPARE(other.count, 0);
    }

    void insertWithoutSelectionGivesAnEmptyName() {
        Inserted inserted;
        auto c = chooser(soundFilter(), &inserted);
        c->BitBtn3->click();
        QCOMPARE(inserted.count, 1);
        QCOMPARE(inserted.path, QString());
        // The chooser stays open for another file.
        select(*c, u"song.mp3"_s);
        c->BitBtn3->click();
        QCOMPARE(inserted.count, 2);
        QCOMPARE(inserted.path, file(u"song.mp3"_s));
        QVERIFY(c->Timer1->isActive());
    }

    void playInTheSystemsProgram() {
        Inserted inserted;
        auto c = chooser(soundFilter(), &inserted);
        c->setWindowTitle(u"Вставити звук"_s);
        c->BitBtn1->click(); // nothing selected: nothing opened
        QVERIFY(services_.opened.isEmpty());
        select(*c, u"song.mp3"_s);
        c->BitBtn1->click();
        QCOMPARE(services_.opened, QStringList{file(u"song.mp3"_s)});
        QCOMPARE(c->Label2->text(), file(u"song.mp3"_s));
        QCOMPARE(c->windowTitle(), u"Відтворення в окремому вікні"_s);
        // A double click in the list does the same.
        emit c->FileListBox1->itemDoubleClicked(c->FileListBox1->currentItem());
        QCOMPARE(services_.opened.size(), 2);
        // The caption changed, the kind did not.
        c->BitBtn3->click();
        QCOMPARE(inserted.kind, MediaKind::Sound);

        // Nothing opened it (no program for it, or it is a program): said so.
        services_.openWithSystemResult = false;
        services_.answers.push_back(MsgAnswer::Ok);
        c->BitBtn1->click();
        QCOMPARE(services_.messages.size(), 1);
        QVERIFY(
            services_.messages[0].text.startsWith(u"Файл не відкрито:\r"_s + file(u"song.mp3"_s)));
    }

    void playOnThePanel() {
        auto c = chooser(soundFilter());
        c->BitBtn4->click(); // nothing selected
        QCOMPARE(c->WindowsMediaPlayer1->source(), QString());
        QVERIFY(!c->BitBtn6->isEnabled());
        QVERIFY(!c->BitBtn7->isEnabled());
        QCOMPARE(c->windowTitle(), u"Відтворення на панелі"_s);

        select(*c, u"tone.wav"_s);
        c->BitBtn4->click();
        QCOMPARE(c->WindowsMediaPlayer1->source(), file(u"tone.wav"_s));
        QCOMPARE(c->Label2->text(), file(u"tone.wav"_s));
        QVERIFY(c->BitBtn6->isEnabled());
        QVERIFY(!c->showsPausePicture());
        QCOMPARE(c->BitBtn6->toolTip(), u"Відтворити відео/аудіо"_s);
        QVERIFY(!c->BitBtn7->isEnabled());

        // Play: the pause picture, stop enabled.
        c->BitBtn6->click();
        QVERIFY(c->showsPausePicture());
        QVERIFY(c->BitBtn7->isEnabled());
        QCOMPARE(c->BitBtn6->toolTip(), u"Пауза у відтворенні відео/аудіо"_s);
        QCOMPARE(c->BitBtn7->toolTip(), u"Зупинити відео/аудіо "_s);
        // The player stopped (the file ended): the next tick follows it.
        c->WindowsMediaPlayer1->stop();
        c->Timer1Timer();
        QVERIFY(!c->showsPausePicture());
        QVERIFY(!c->BitBtn7->isEnabled());
        QCOMPARE(c->BitBtn6->toolTip(), u"Відтворити відео/аудіо"_s);
        // Stop does nothing while the player does not play.
        c->BitBtn7Click();
        QVERIFY(!c->showsPausePicture());
        QVERIFY(services_.messages.isEmpty());
    }

    void playerThatCannotTakeTheFile() {
        auto c = chooser(videoFilter());
        select(*c, u"clip.mp4"_s);
        c->BitBtn4->click();
        services_.answers.push_back(MsgAnswer::Ok);
        emit c->WindowsMediaPlayer1->failed(u"no decoder"_s);
        QCOMPARE(services_.messageTexts(),
                 QStringList{u"Не можна відкрити файл"_s + file(u"clip.mp4"_s) + u"!"_s});
        QCOMPARE(services_.messages[0].icon, MsgIcon::Error);
        // Still usable: another file goes on the panel.
        QVERIFY(!c->showsPausePicture());
        select(*c, u"film.avi"_s);
        c->BitBtn4->click();
        QCOMPARE(c->WindowsMediaPlayer1->source(), file(u"film.avi"_s));
    }

    void noSoundCardIsReportedOnce() {
        setAudioOutputProbe([] { return false; });
        auto c = chooser(soundFilter());
        select(*c, u"tone.wav"_s);
        c->BitBtn4->click();
        services_.answers.push_back(MsgAnswer::Ok);
        c->BitBtn6Click();
        QCOMPARE(services_.messages.size(), 1);
        QCOMPARE(services_.messages[0].icon, MsgIcon::Information);
        c->WindowsMediaPlayer1->stop();
        c->BitBtn6Click();
        auto again = chooser(soundFilter());
        select(*again, u"tone.wav"_s);
        again->BitBtn4->click();
        again->WindowsMediaPlayer1->stop();
        again->BitBtn6Click();
        QCOMPARE(services_.messages.size(), 1);
        setAudioOutputProbe([] { return true; });
    }

    void focusLeavingThePanelClosesThePlayer() {
        auto c = chooser(soundFilter());
        c->show();
        QApplication::setActiveWindow(c.get());
        QVERIFY(c->isActiveWindow());
        select(*c, u"tone.wav"_s);
        c->BitBtn4->click();
        c->WindowsMediaPlayer1->setFocus();
        // Its own buttons are part of the player.
        c->BitBtn6->setFocus();
        QCOMPARE(c->WindowsMediaPlayer1->source(), file(u"tone.wav"_s));
        c->FileListBox1->setFocus();
        QCOMPARE(c->WindowsMediaPlayer1->source(), QString());
        QVERIFY(!c->BitBtn6->isEnabled());
        QVERIFY(!c->BitBtn7->isEnabled());
        c->hide();
    }

    void titleTypesItselfOutThenFlashes() {
        auto c = chooser(soundFilter());
        for (int i = 0; i < 20; ++i)
            c->Timer2Timer();
        QCOMPARE(c->Label1->text(), u"Windows Media Player"_s);
        services_.fakeRandom.queue = {7};
        c->Timer2Timer(); // counter 22: 7 * 50 * 22 = 0x1E14, red in the low byte
        QCOMPARE(c->Label1->palette().color(QPalette::WindowText), QColor(0x14, 0x1E, 0x00));
        QCOMPARE(c->Label1->text(), u"Windows Media Player"_s);
        for (int i = 0; i < 17; ++i)
            c->Timer2Timer();
        QCOMPARE(c->Label1->text(), u"Windows Media Player"_s);
        c->Timer2Timer(); // the counter reaches 40
        QCOMPARE(c->Label1->text(), QString());
        c->Timer2Timer();
        QCOMPARE(c->Label1->text(), u"W"_s);
    }

    void drivesAndFoldersLeadTheFileList() {
        auto c = chooser(soundFilter());
        c->setDirectory(file(u"sub"_s));
        QCOMPARE(c->FileListBox1->count(), 0);
        auto* model = qobject_cast<QFileSystemModel*>(c->DirectoryListBox1->model());
        // Choosing a folder in the tree shows its files.
        c->DirectoryListBox1->setCurrentIndex(model->index(dir_.path()));
        QCOMPARE(c->directory(), QDir(dir_.path()).absolutePath());
        QVERIFY(listed(*c).contains(u"tone.wav"_s));
        // Choosing the drive goes to its root.
        c->DriveComboBox1Change();
        QCOMPARE(c->directory(), QDir::cleanPath(c->DriveComboBox1->currentData().toString()));
    }

    void openedByTheCallerAndUnloadedWhenClosed() {
        QPointer<MediaChooser> shown;
        QString whileShown;
        QString afterClose = u"?"_s;
        Inserted inserted;
        services_.modalHandlers.push_back([&](QDialog* d) {
            shown = qobject_cast<MediaChooser*>(d);
            if (!shown || shown->windowTitle() != u"Вставити відео"_s ||
                shown->directory() != QDir(dir_.path()).absolutePath())
                return -1;
            select(*shown, u"clip.mp4"_s);
            shown->BitBtn4->click();
            whileShown = shown->WindowsMediaPlayer1->source();
            shown->BitBtn3->click();
            shown->BitBtn5->click();
            afterClose = shown->WindowsMediaPlayer1->source();
            return shown->result();
        });
        MediaChooser::choose(ctx_, nullptr, u"Вставити відео"_s, videoFilter(), dir_.path(),
                             [&](MediaKind kind, const QString& path) {
                                 inserted.kind = kind;
                                 inserted.path = path;
                             });
        QCOMPARE(services_.modalShown.last(), u"TForm20"_s);
        QCOMPARE(whileShown, file(u"clip.mp4"_s));
        QCOMPARE(afterClose, QString());
        QCOMPARE(inserted.kind, MediaKind::Video);
        QCOMPARE(inserted.path, file(u"clip.mp4"_s));
        QVERIFY(shown.isNull());
    }
};

QTEST_MAIN(MediaChooserTest)
#include "tst_mediachooser.moc"
