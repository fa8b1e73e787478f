// TForm3, the question editor: one question of a test file at a time, with
// navigation, saving, inserting, appending and deleting. A top-level window
// beside the main window that renders its EditorModel and asks the teacher
// what the model cannot decide alone. The model works on its own session, so
// commands of the main window started meanwhile cannot redirect its saves.
#pragma once

#include "editorcontrols.h"

#include "core/editormodel.h"
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

    bool isEditing() const { return model_.isOpen(); }
    EditorModel& model() { return model_; }
    EditSession& session() { return model_.session(); }
    bool isDirty() const { return model_.isDirty(); }
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
    void save();                // Button1
    void discardChanges();      // Button2
    void leave();               // Button3
    void goToFirst();           // Button4
    void goToPrevious();        // Button5
    void goToNext();            // Button6
    void goToLast();            // Button7, then the offer to append
    void deleteQuestion();      // Button8
    void insertQuestion();      // Button9
    void Edit2GoTo();           // Enter or double click in Edit2
    void togglePictureLayout(); // CheckBox6
    void housekeeping();        // Timer1
    void FormActivate();

    // For the question list: question n shown as Go to shows it (with the
    // save prompt), and the question shown read again.
    void goToQuestion(int n);
    void reloadRecord();
    void openQuestionList(); // BitBtn9

    // Clipboard, text files, the text fields' look (editorclipboard.cpp).
    void copyQuestion();          // Button11
    void pasteQuestion();         // Button12
    void openTextFile();          // N6
    void chooseFieldFont();       // N1
    void chooseFieldBackground(); // N2

    // Pictures, sound and video (editormedia.cpp).
    void choosePicture(); // Button10
    void changePicture(); // N4
    void removePicture(); // N3, BitBtn4
    void Image1DblClick();
    void showPictureLarge(); // BitBtn3
    void chooseSound();      // BitBtn1
    void chooseVideo();      // BitBtn2
    void playSound();        // BitBtn5
    void removeSound();      // BitBtn6
    void playVideo();        // BitBtn7
    void removeVideo();      // BitBtn8

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Wording = MissingWording;
    struct ShowOptions {
        Wording wording = Wording::Show;
        bool resetLayout = true;
        bool emptyMissingPicture = false;
    };

    bool start(const QString& path, TestKind kind, const QString& caption);
    // Shows the model's question (ShowRecord).
    void showQuestion(const ShowOptions& options);
    void showQuestionText(Wording wording);
    void showPicture(bool emptyMissingPicture);
    // The fields without marking them changed.
    void showFields(const EditorFields& fields, bool withQuestion);
    // Numbers, count, title, the changes note and the question's hint.
    void render();
    void restoreNormalLayout(); // Img1Begin
    void applyPictureLayout();
    void enableNavigation();

    // Reads question i and shows it; reports a failure.
    bool goTo(qint64 i, Wording wording = Wording::Show);
    // Go to as typed in Edit2: checked, then the save prompt.
    void goToTyped(const QString& typed);
    void lastQuestion();
    void appendQuestion();
    void markDirty();
    void setClean();
    void fieldEdited(); // a field changed by the teacher

    // SaveRecordYes / SaveRecordNo: the answers of the save prompt.
    bool saveFromPrompt();
    void revertFromPrompt();
    // Memo1 into the record by the long-question rules; false when the user
    // called the save off.
    bool takeQuestion(bool trim);
    bool chooseFieldTextFile();
    bool writeRecord();
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
    TestKind kind() const { return model_.kind(); }

    AppContext& ctx_;
    EditorModel model_;
    QRect normalFrame_;
    bool rendering_ = false; // fields set from the model are no edit
    QuestionListOpener questionListOpener_;
};

} // namespace zorvik
