// TForm3, the question editor: one question of a test file at a time, with
// navigation, saving, inserting, appending and deleting. A top-level window
// beside the main window; it works on its own EditSession, so commands of the
// main window started while it is open cannot redirect its saves.
#pragma once

#include "editorcontrols.h"

#include "core/editing.h"
#include "ui/context.h"

#include <QWidget>

#include <functional>

namespace zorvik {

class EditorWindow : public QWidget, public EditorControls {
    Q_OBJECT
public:
    // A window of its own, owned by `owner` (the main window).
    EditorWindow(AppContext& ctx, QWidget* owner);
    ~EditorWindow() override;

    // The main window's hand-over after Create ("Новий тестовий файл - ") and
    // Open ("Редагування тестового файлу - "): the unsaved changes of the file
    // shown so far are asked about first. False when the user kept them
    // (Cancel) or the file could not be opened.
    bool startNewFile(const QString& path, TestKind kind);
    bool startEditing(const QString& path, TestKind kind);
    // Before a command replaces the file at `path`: if the editor works on it,
    // the save prompt, then the editor lets go of it and closes. False on Cancel.
    bool releaseFile(const QString& path);

    bool isEditing() const { return session_.isOpen(); }
    EditSession& session() { return session_; }
    // Unsaved changes: Label12 is shown.
    bool isDirty() const;
    // "Текст змінено! Зберегти?" when there are unsaved changes. False on
    // Cancel (or a save that did not happen): the command asking stops.
    bool askSaveChanges();

    // What "Список" does: opens the question list beside the editor. Set by
    // whoever provides the list; without it the button does nothing.
    using QuestionListOpener = std::function<void(EditorWindow* editor)>;
    void setQuestionListOpener(QuestionListOpener opener) {
        questionListOpener_ = std::move(opener);
    }

public slots:
    void Button1Click(); // save
    void Button2Click(); // discard the changes
    void Button3Click(); // leave
    void Button4Click(); // first
    void Button5Click(); // previous
    void Button6Click(); // next
    void Button7Click(); // last, then the offer to append
    void Button8Click(); // delete
    void Button9Click(); // insert
    void Edit2GoTo();    // Enter or double click in Edit2
    void CheckBox6Click();
    void Timer1Timer();
    void FormActivate();

    // For the question list: question n shown as Go to shows it (with the
    // save prompt), and the question shown read again.
    void goToQuestion(int n);
    void reloadRecord();
    void BitBtn9Click(); // the question list

    // Clipboard, text files, the text fields' look (editorclipboard.cpp).
    void Button11Click(); // copy the question
    void Button12Click(); // paste a question
    void N6Click();       // open a text file
    void N1Click();       // font of the text fields
    void N2Click();       // background of the text fields

    // Pictures, sound and video (editormedia.cpp).
    void Button10Click(); // choose a picture
    void N4Click();       // change the picture
    void N3Click();       // remove the picture; also BitBtn4
    void Image1DblClick();
    void BitBtn3Click(); // show the picture large
    void BitBtn1Click(); // choose a sound
    void BitBtn2Click(); // choose a video
    void BitBtn5Click(); // play the sound
    void BitBtn6Click(); // remove the sound
    void BitBtn7Click(); // play the video
    void BitBtn8Click(); // remove the video

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // How a missing field text file is reported.
    enum class Wording { Show, Last, Open };
    struct ShowOptions {
        Wording wording = Wording::Show;
        bool resetLayout = true;
        bool emptyMissingPicture = false;
    };

    bool start(const QString& path, TestKind kind, const QString& caption);
    void showEmptyFile();
    // Shows the buffer (ShowRecord); the session stands on it.
    void showQuestion(const ShowOptions& options);
    void showQuestionText(Wording wording);
    void showPicture(bool emptyMissingPicture);
    void showNumbers(qint64 position);
    void showQuestionCount();
    void restoreNormalLayout(); // Img1Begin
    void applyPictureLayout();
    void enableNavigation();

    // Reads question i and shows it; reports a failure.
    bool goTo(qint64 i, Wording wording = Wording::Show);
    void lastQuestion();
    void appendQuestion();
    void markDirty();
    void setClean();

    // SaveRecordYes / SaveRecordNo: the answers of the save prompt.
    bool saveFromPrompt();
    void revertFromPrompt();
    // Memo1 into the buffer by the long-question rules; false when the user
    // called the save off.
    bool takeQuestion(bool trim);
    bool chooseFieldTextFile(const QString& text);
    bool writeBuffer();
    void afterSave();

    void connectExchange();
    void connectMedia();
    // Image1 gets the picture of `path`; false (and a message naming the
    // file) when it cannot be read, Image1 left as it was.
    bool loadPicture(const QString& path);
    void chooseMedia(bool video);

    void reportIoError(const std::exception& e);
    // Before every write: the path must still name the file open, else the
    // teacher says where the change goes. False: nothing is to be written.
    bool ensureOwnFile();
    QString currentDir() const;
    TestKind kind() const { return session_.kind(); }

    AppContext& ctx_;
    EditSession session_;
    Question buffer_;
    QRect normalFrame_;
    // The field text file the question shown lives in (empty: in its record).
    QString questionLink_;
    // The field text file of the question shown that was missing, and what
    // Memo1 showed in its place: saved unchanged, the record keeps its link.
    QString missingLink_;
    QString missingPlaceholder_;
    QString caption_; // the window title before the file's name
    bool leaving_ = false;
    QuestionListOpener questionListOpener_;
};

} // namespace zorvik
