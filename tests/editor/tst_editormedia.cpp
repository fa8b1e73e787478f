// The question's picture, sound and video in the editor, and the editor's
// side of the question list. Runs without a sound card.
#include "editorfixture.h"
#include "support/metafiles.h"

#include "media/mediachooser.h"
#include "media/mediafiles.h"
#include "media/mediahelpers.h"
#include "media/mediaplayerpanel.h"
#include "media/picturebox.h"
#include "media/picturewindow.h"
#include "media/soundwindow.h"

#include "core/mediafilter.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QListWidget>
#include <QPointer>
#include <QTreeView>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace zorvik;
using namespace zorvik::testing;

class EditorMediaTest : public QObject {
    Q_OBJECT

    // An editor on a one-question file whose question names `picture`.
    static void openWith(EditorFixture& f, const QString& picture = {}, bool withQuestion = false) {
        Question q = question(u"Q"_s, TestKind::Tsm);
        q.PictureFile = picture;
        q.QuestionAndPicture = withQuestion;
        writeQuestions(f.path(u"t.tsm"_s), TestKind::Tsm, {q});
        QVERIFY(f.open(u"t.tsm"_s, TestKind::Tsm));
    }

    static PictureBox* image(const EditorFixture& f) { return f.w<PictureBox>(u"Image1"_s); }

private slots:
    void initTestCase() {
        setAudioOutputProbe([] { return true; });
    }

    void choosePicture() {
        EditorFixture f;
        openWith(f);
        const QString pic = f.path(u"кіт.jpg"_s);
        const QImage drawn = writePicture(pic, Qt::red, {30, 10});
        f.services.fileAnswers.push_back({pic, 1});
        f.click(u"Button10"_s);
        QCOMPARE(f.services.fileDialogs.at(0).filter,
                 u"All (*.bmp;*.ico;*.emf;*.wmf;*.jpg)|*.bmp;*.ico;*.emf;*.wmf;*.jpg|Bitmaps "
                 u"(*.bmp)|*.bmp|Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles "
                 u"(*.wmf)|*.wmf|Jpegfiles (*.jpg) |*.jpg"_s);
        QCOMPARE(f.text(u"Memo6"_s), pic);
        QVERIFY(!image(f)->isHidden());
        QCOMPARE(image(f)->image().size(), drawn.size());
        QVERIFY(f.dirty());
        // Cancelled: nothing changes.
        f.services.fileAnswers.push_back({});
        f.click(u"Button10"_s);
        QCOMPARE(f.text(u"Memo6"_s), pic);
        QVERIFY(f.services.allUsed());
    }

    void unreadablePictureKeepsTheFormerOne_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("damaged jpg") << u"зламаний.jpg"_s << QByteArray("\xFF\xD8 not a picture");
        QTest::newRow("metafile") << u"схема.wmf"_s << QByteArray("\xD7\xCD\xC6\x9A\0\0\0\0", 8);
        // Neither may hang the editor or fill its memory.
        QTest::newRow("pipe") << u"канал.bmp"_s << QByteArray("<fifo>");
        QTest::newRow("device") << u"/dev/zero"_s << QByteArray();
    }
    void unreadablePictureKeepsTheFormerOne() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        EditorFixture f;
        const QString good = f.path(u"good.bmp"_s);
        writePicture(good);
        openWith(f, good);
        const QImage before = image(f)->image();
        const QString bad = name.startsWith(u'/') ? name : f.path(name);
        if (bytes == "<fifo>")
            QVERIFY(::mkfifo(QFile::encodeName(bad).constData(), 0600) == 0);
        else if (!name.startsWith(u'/'))
            QVERIFY(writeBytes(bad, bytes));
        f.services.fileAnswers.push_back({bad, 1});
        f.answer({MsgAnswer::Ok});
        f.click(u"Button10"_s);
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].icon, MsgIcon::Error);
        QVERIFY(f.services.messages[0].text.startsWith(u"Помилка читання малюнку!\r"_s + bad));
        QCOMPARE(f.text(u"Memo6"_s), good);
        QCOMPARE(image(f)->image(), before);
        QVERIFY(!f.dirty());
    }

    // A WMF or an EMF is taken as a picture: a card in its place says it is
    // not shown here, with no failure.
    void metafilePictures_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("wmf") << u"схема.wmf"_s;
        QTest::newRow("emf") << u"схема.emf"_s;
    }
    void metafilePictures() {
        QFETCH(QString, name);
        EditorFixture f;
        openWith(f);
        const QString pic = f.path(name);
        writeFileAtomically(pic, name.endsWith(u"wmf"_s) ? wmfPicture() : emfPicture());
        f.services.fileAnswers.push_back({pic, 1});
        f.click(u"Button10"_s);
        QCOMPARE(f.services.messages.size(), 0);
        QCOMPARE(f.text(u"Memo6"_s), pic);
        QVERIFY(!image(f)->isHidden());
        QVERIFY(!image(f)->image().isNull());
        // 4 x 2 cm would be 151 x 76 pixels: the card is no smaller than its text needs.
        QCOMPARE(image(f)->image().size(), QSize(240, 120));
    }

    void changeMarksTheWindowFirst() {
        EditorFixture f;
        openWith(f);
        QCOMPARE(f.w<QAction>(u"N4"_s)->text(), u"Змінити"_s);
        f.services.fileAnswers.push_back({});
        f.w<QAction>(u"N4"_s)->trigger();
        QVERIFY(f.dirty());
        QCOMPARE(f.services.fileDialogs.size(), 1);
    }

    void removePicture_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("withQuestion");
        QTest::newRow("menu, normal layout") << u"N3"_s << false;
        QTest::newRow("button, normal layout") << u"BitBtn4"_s << false;
        QTest::newRow("menu, question and picture") << u"N3"_s << true;
        QTest::newRow("button, question and picture") << u"BitBtn4"_s << true;
    }
    void removePicture() {
        QFETCH(QString, command);
        QFETCH(bool, withQuestion);
        EditorFixture f;
        const QRect normal = image(f)->geometry();
        const QString pic = f.path(u"p.bmp"_s);
        writePicture(pic);
        openWith(f, pic, withQuestion);
        QVERIFY(!image(f)->isHidden());
        if (command == u"N3"_s) {
            QCOMPARE(f.w<QAction>(u"N3"_s)->text(), u"Вилучити "_s);
            f.w<QAction>(u"N3"_s)->trigger();
        } else {
            f.click(command);
        }
        QVERIFY(image(f)->isHidden());
        QCOMPARE(f.text(u"Memo6"_s), QString());
        QVERIFY(f.dirty());
        // The answer fields stay hidden while "Запитання та малюнок" is checked.
        for (const QString& memo : {u"Memo2"_s, u"Memo3"_s, u"Memo4"_s, u"Memo5"_s, u"Memo7"_s})
            QCOMPARE(f.w(memo)->isHidden(), withQuestion);
        if (!withQuestion)
            QCOMPARE(image(f)->geometry(), normal);
    }

    void pictureShownLarge() {
        EditorFixture f;
        const QString pic = f.path(u"карта.bmp"_s);
        const QImage drawn = writePicture(pic, Qt::green, {60, 30});
        openWith(f, pic);
        QStringList captions;
        auto check = [&](QDialog* d) {
            auto* w = qobject_cast<PictureWindow*>(d);
            if (!w || w->Image1->image().size() != drawn.size())
                return -1;
            captions.append(w->windowTitle());
            return 0;
        };
        f.services.modalHandlers.push_back(check);
        QTest::mouseDClick(image(f), Qt::LeftButton, {}, image(f)->rect().center());
        f.services.modalHandlers.push_back(check);
        f.click(u"BitBtn3"_s);
        QCOMPARE(f.services.modalShown, (QStringList{u"TForm21"_s, u"TForm21"_s}));
        QCOMPARE(captions, (QStringList{pic, pic}));
        QVERIFY(f.services.allUsed());
    }

    void missingFiles_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("picture") << u"Memo6"_s << u"BitBtn3"_s << u"Не існує файла малюнка \r\n"_s;
        QTest::newRow("sound") << u"Memo8"_s << u"BitBtn5"_s << u"Не існує файла аудіо \r\n"_s;
        QTest::newRow("video") << u"Memo9"_s << u"BitBtn7"_s << u"Не існує файла відео \r\n"_s;
    }
    void missingFiles() {
        QFETCH(QString, field);
        QFETCH(QString, button);
        QFETCH(QString, message);
        EditorFixture f;
        openWith(f);
        const QString missing = f.path(u"нема файлу.dat"_s);
        f.type(field, missing);
        f.answer({MsgAnswer::Ok});
        f.click(button);
        QCOMPARE(f.services.messageTexts(), QStringList{message + missing + u"!!!"_s});
        QCOMPARE(f.services.messages[0].icon, MsgIcon::Error);
        // A field of blanks counts as empty: nothing happens.
        f.type(field, u"   "_s);
        f.click(button);
        QCOMPARE(f.services.messages.size(), 1);
        QVERIFY(f.services.modalShown.isEmpty());
        QVERIFY(f.services.opened.isEmpty());
    }

    void playTheSound() {
        EditorFixture f;
        openWith(f);
        const QString wav = f.path(u"дзвінок.wav"_s);
        QVERIFY(writeWav(wav));
        f.type(u"Memo8"_s, u"  "_s + wav + u" "_s);
        QString played = u"?"_s;
        f.services.modalHandlers.push_back([&](QDialog* d) {
            auto* w = qobject_cast<SoundWindow*>(d);
            played = w ? w->WindowsMediaPlayer1->source() : QString();
            return 0;
        });
        f.click(u"BitBtn5"_s);
        QCOMPARE(f.services.modalShown, QStringList{u"TForm22"_s});
        QCOMPARE(played, wav);

        // Without a sound card: said once, and the window still opens.
        setAudioOutputProbe([] { return false; });
        for (int i = 0; i < 2; ++i)
            f.services.modalHandlers.push_back([](QDialog*) { return 0; });
        f.answer({MsgAnswer::Ok});
        f.click(u"BitBtn5"_s);
        f.click(u"BitBtn5"_s);
        setAudioOutputProbe([] { return true; });
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].icon, MsgIcon::Information);
        QCOMPARE(f.services.modalShown.size(), 3);
    }

    void playTheVideo() {
        EditorFixture f;
        openWith(f);
        const QString clip = f.path(u"фільм.avi"_s);
        QVERIFY(writeBytes(clip, "RIFF"));
        f.type(u"Memo9"_s, clip);
        f.click(u"BitBtn7"_s);
        QCOMPARE(f.services.opened, QStringList{clip});
        // Refused by the system (no program, or the file is one): said so.
        f.services.openWithSystemResult = false;
        f.answer({MsgAnswer::Ok});
        f.click(u"BitBtn7"_s);
        QCOMPARE(f.services.messages.size(), 1);
        QVERIFY(f.services.messages[0].text.startsWith(u"Файл не відкрито:\r"_s + clip));
    }

    void removeSoundAndVideo() {
        EditorFixture f;
        Question q = question(u"Q"_s, TestKind::Tsm);
        q.AudioFile = u"/a.wav"_s;
        q.VideoFile = u"/v.avi"_s;
        writeQuestions(f.path(u"t.tsm"_s), TestKind::Tsm, {q});
        QVERIFY(f.open(u"t.tsm"_s, TestKind::Tsm));
        f.click(u"BitBtn6"_s);
        QCOMPARE(f.text(u"Memo8"_s), QString());
        QCOMPARE(f.text(u"Memo9"_s), u"/v.avi"_s);
        QVERIFY(f.dirty());
        f.click(u"BitBtn8"_s);
        QCOMPARE(f.text(u"Memo9"_s), QString());
        // Saved: the record loses both names.
        f.click(u"Button1"_s);
        const Question saved = readQuestions(f.path(u"t.tsm"_s), TestKind::Tsm).at(1);
        QCOMPARE(saved.AudioFile, QString());
        QCOMPARE(saved.VideoFile, QString());
    }

    void chooseSoundOrVideo_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("field");
        QTest::newRow("sound") << u"BitBtn1"_s << u"Вставити звук"_s << u"пісня.mp3"_s
                               << u"Memo8"_s;
        QTest::newRow("video") << u"BitBtn2"_s << u"Вставити відео"_s << u"кіно.mp4"_s
                               << u"Memo9"_s;
    }
    void chooseSoundOrVideo() {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        QFETCH(QString, file);
        QFETCH(QString, field);
        EditorFixture f;
        openWith(f);
        QVERIFY(writeBytes(f.path(file), "x"));
        QPointer<MediaChooser> chooser;
        f.services.modalHandlers.push_back([&](QDialog* d) {
            chooser = qobject_cast<MediaChooser*>(d);
            if (!chooser || chooser->windowTitle() != caption)
                return -1;
            // Another entry of the combo: the kind stays the caller's.
            chooser->FilterComboBox1->setCurrentIndex(chooser->FilterComboBox1->count() - 1);
            const auto found = chooser->FileListBox1->findItems(file, Qt::MatchExactly);
            if (found.isEmpty())
                return -2;
            chooser->FileListBox1->setCurrentItem(found.first());
            chooser->BitBtn3->click();
            chooser->BitBtn5->click();
            return 0;
        });
        f.click(button);
        QCOMPARE(f.services.modalShown, QStringList{u"TForm20"_s});
        QCOMPARE(f.text(field), f.path(file));
        QVERIFY(f.dirty());
        QVERIFY(chooser.isNull());
        QVERIFY(f.services.allUsed());
    }

    // The chooser opens where the file already named lives, else beside the
    // test file, with that folder selected in the tree and its files listed.
    void chooserStartsInTheRightFolder_data() {
        QTest::addColumn<QString>("named");  // in Memo9, relative to the fixture folder
        QTest::addColumn<QString>("folder"); // where the chooser opens
        QTest::newRow("named video") << u"кіно/фільм.avi"_s << u"кіно"_s;
        QTest::newRow("nothing named") << QString() << u"тести"_s;
        QTest::newRow("named in a lost folder") << u"зник/фільм.avi"_s << u"тести"_s;
    }
    void chooserStartsInTheRightFolder() {
        QFETCH(QString, named);
        QFETCH(QString, folder);
        EditorFixture f;
        QDir(f.dir.path()).mkpath(u"кіно"_s);
        QDir(f.dir.path()).mkpath(u"тести"_s);
        QVERIFY(writeBytes(f.path(u"кіно/фільм.avi"_s), "x"));
        QVERIFY(writeBytes(f.path(u"тести/урок.avi"_s), "x"));
        Question q = question(u"Q"_s, TestKind::Tsm);
        q.VideoFile = named.isEmpty() ? QString() : f.path(named);
        writeQuestions(f.path(u"тести/t.tsm"_s), TestKind::Tsm, {q});
        QVERIFY(f.open(u"тести/t.tsm"_s, TestKind::Tsm));
        QString shownDir;
        QStringList listedFiles;
        QString treeCurrent;
        bool expanded = false;
        f.services.modalHandlers.push_back([&](QDialog* d) {
            auto* c = qobject_cast<MediaChooser*>(d);
            shownDir = c->directory();
            for (int i = 0; i < c->FileListBox1->count(); ++i)
                listedFiles << c->FileListBox1->item(i)->text();
            const QModelIndex current = c->DirectoryListBox1->currentIndex();
            treeCurrent = current.data(QFileSystemModel::FilePathRole).toString();
            expanded = c->DirectoryListBox1->isExpanded(current.parent());
            return 0;
        });
        f.click(u"BitBtn2"_s);
        const QString expected = QFileInfo(f.path(folder)).canonicalFilePath();
        QCOMPARE(QFileInfo(shownDir).canonicalFilePath(), expected);
        QCOMPARE(QFileInfo(treeCurrent).canonicalFilePath(), expected);
        QVERIFY(expanded);
        QCOMPARE(listedFiles.size(), 1);
    }

    void questionListSlots() {
        EditorFixture f;
        writeNumbered(f.path(u"n.tsm"_s), TestKind::Tsm, 3);
        QVERIFY(f.open(u"n.tsm"_s, TestKind::Tsm));
        f.editor->goToQuestion(3);
        QCOMPARE(f.text(u"Memo1"_s), u"Q3"_s);
        QCOMPARE(f.numbers(), u"3 of 3"_s);
        // With changes: the save prompt; Cancel keeps them.
        f.type(u"Memo1"_s, u"змінено"_s);
        f.answer({MsgAnswer::Cancel});
        f.editor->goToQuestion(1);
        QCOMPARE(f.text(u"Memo1"_s), u"змінено"_s);
        QVERIFY(f.dirty());
        // Reloading shows the stored question again (No drops the changes).
        f.answer({MsgAnswer::No});
        f.editor->reloadRecord();
        QCOMPARE(f.text(u"Memo1"_s), u"Q3"_s);
        QVERIFY(!f.dirty());

        // "Список" opens whatever list was registered.
        f.click(u"BitBtn9"_s); // none: nothing
        EditorWindow* asked = nullptr;
        f.editor->setQuestionListOpener([&](EditorWindow* e) { asked = e; });
        f.click(u"BitBtn9"_s);
        QCOMPARE(asked, f.editor.get());
        QVERIFY(f.services.allUsed());
    }
};

QTEST_MAIN(EditorMediaTest)
#include "tst_editormedia.moc"
