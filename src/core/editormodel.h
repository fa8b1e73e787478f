// The question editor without its window: the test file's session, the
// question shown, whether it has unsaved changes, where a long question's
// text lives, and the rules for saving, inserting, appending and deleting.
// The window shows an EditorDisplay and hands what the teacher typed back as
// EditorFields; asking the teacher (messages, file dialogs) stays its part.
#pragma once

#include "editing.h"
#include "questionline.h"

#include <QString>

#include <array>
#include <optional>

namespace zorvik {

// The editor's fields as the window shows them: line breaks as LF.
struct EditorFields {
    QString question;
    std::array<QString, 5> answers;
    QString picture;
    QString audio;
    QString video;
    std::array<bool, 5> correct{};
    bool questionAndPicture = false;
    QuestionLevel level = QuestionLevel::None; // four-level files only

    bool operator==(const EditorFields&) const = default;
};

// The fields of a stored question (the question text itself aside, which
// depends on its field text file).
EditorFields fieldsOf(const Question& q);
// `base` with the answers, media names, marks and (four-level) level taken
// from the fields, each text cut to 255 characters and, when `trim`, without
// leading and trailing blanks. The question and its flag are left as in base.
Question takeFields(const EditorFields& f, Question base, TestKind kind, bool trim);

// The clipboard line of the fields. `levelWord` is the word of the last copy
// or paste; a four-level question with a level replaces it, a one-level
// question makes it ",".
QuestionLine copyLine(const EditorFields& f, TestKind kind, QString& levelWord);
// The fields after pasting `line` over `shown`: texts and marks from the
// line, the picture flag and the level only where the line names a known
// word. `levelWord` takes the line's level word.
EditorFields pasteLine(const QuestionLine& line, EditorFields shown, TestKind kind,
                       QString& levelWord);

// How a missing field text file is reported when a question is shown.
enum class MissingWording { Show, Last, Open };

// What the question field shows, and the message when its file is missing.
struct QuestionShown {
    QString text;
    QString tip;     // the field text file it lives in
    QString message; // empty when there is nothing to report
};

struct EditorDisplay {
    QString title;
    qint64 position = 1;      // the question number shown
    qint64 questionCount = 1; // "із" M: at least 1
    bool levels = false;      // the level group of a four-level file
    bool dirty = false;       // the unsaved-changes note
    QString questionTip;
};

class EditorModel {
public:
    explicit EditorModel(const Storage& storage = Storage::system()) : session_(storage) {}

    // Opens an existing test file on question 1, with nothing read yet.
    // `caption` comes before the file's name in the title. Throws FileError.
    void open(const QString& path, TestKind kind, const QString& caption);
    void close();
    bool isOpen() const { return session_.isOpen(); }
    EditSession& session() { return session_; }
    const EditSession& session() const { return session_; }
    TestKind kind() const { return session_.kind(); }
    qint64 position() const { return session_.position(); }

    EditorDisplay display() const;
    // The question shown, as its record will be written.
    const Question& record() const { return record_; }

    // Reads the question at the position, or question i, and shows it.
    // Throws FileError, leaving the question shown as it was.
    void readCurrent();
    void goTo(qint64 i);
    // Shows an empty question (a file whose question could not be read).
    void showEmpty();

    // Previous has nowhere to go; Next goes to the last one's offer.
    bool atFirst() const { return position() <= 1 || !session_.hasQuestions(); }
    bool atLast() const { return position() >= session_.count() - 1; }
    qint64 lastQuestion() const { return session_.count() - 1; }
    // Go to the typed number: the number, or the refusal to show.
    struct GoToCheck {
        qint64 question = 0;
        QString refusal;
        bool keepTyped = false; // not a number: the field keeps what was typed
    };
    GoToCheck checkGoTo(const QString& typed) const;

    bool isDirty() const { return dirty_; }
    void markDirty() { dirty_ = true; }
    void setClean() { dirty_ = false; }

    // The question field's text for the record just read; a field text file
    // that is missing keeps its name in the record until typed over.
    QuestionShown showQuestion(MissingWording wording);

    // The question field into the record. A text longer than a record field
    // goes into the field text file the question already lives in; without
    // one, the teacher is asked (AskFile) whether to keep it in a file of
    // its own (keepInFile) or have it cut (take again with `cut`).
    enum class Take { Taken, AskFile };
    Take takeQuestion(const QString& shown, bool trim, bool cut = false); // throws FileError
    void keepInFile(const QString& file, const QString& shown);           // throws FileError
    // The rest of the fields into the record.
    void takeFields(const EditorFields& fields, bool trim);

    // Writes the record at the position. Throws FileError.
    void save();
    // A new empty question before the one shown. Throws FileError.
    void insertEmpty();
    // A new last question, of the level shown. Throws FileError.
    void append(QuestionLevel levelShown);
    // Deleting: a file with one question keeps it, emptied but for the
    // picture name shown and of level low, and still shown as changed
    // (emptyOnlyQuestion, then save); otherwise the question goes
    // (removeCurrent), and with it its unsaved changes. Throws FileError.
    bool onlyQuestion() const { return session_.count() == 2; }
    void emptyOnlyQuestion(const QString& pictureShown);
    void removeCurrent();

    // The level word of the clipboard line, kept from the last copy or paste.
    QString& levelWord() { return levelWord_; }

private:
    void forgetLinks();

    EditSession session_;
    Question record_ = emptyQuestion(TestKind::Tsm);
    bool dirty_ = false;
    QString caption_;
    // The field text file the question shown lives in (empty: in its record).
    QString questionLink_;
    // A missing field text file, and what the field showed in its place:
    // taken unchanged, the record keeps its link.
    QString missingLink_;
    QString missingPlaceholder_;
    QString levelWord_;
};

} // namespace zorvik
