// The editor's commands that change the test file: saving (with the long
// question rules), inserting, appending and deleting.
#include "editorwindow.h"

#include "media/picturebox.h"
#include "recordfields.h"

#include "core/bytes.h"
#include "core/questiontext.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
const QString kLongQuestion =
    u"Довжина запису у полі більша за 255 символів!\r"
    u"Запис у тестовому файлі буде урізано до 255 символів!\r"
    u"Для збереження всього тексту у полі його можна зберегти в окремому файлі.\r"
    u"Так - збереже текст поля повністю в окремому файлі\r"
    u"Ні або Скасувати - відбудеться урізання тексту до 255 символів"_s;
} // namespace

void EditorWindow::Button1Click() {
    if (!isEditing() || !takeQuestion(true))
        return;
    buffer_ = takeFields(*this, buffer_, kind(), true);
    if (writeBuffer())
        afterSave();
}

bool EditorWindow::saveFromPrompt() {
    Gauge1->setValue(0);
    Gauge1->show();
    if (!takeQuestion(false))
        return false;
    restoreNormalLayout();
    buffer_ = takeFields(*this, buffer_, kind(), false);
    if (!writeBuffer())
        return false;
    afterSave();
    return true;
}

void EditorWindow::revertFromPrompt() {
    try {
        buffer_ = session_.readCurrent();
    } catch (const FileError& e) {
        reportIoError(e);
    }
    restoreNormalLayout();
    showQuestion({Wording::Show, false, true});
    enableNavigation();
    Memo1->setFocus();
}

bool EditorWindow::takeQuestion(bool trim) {
    if (!missingLink_.isEmpty() && Memo1->toPlainText() == missingPlaceholder_) {
        // Nothing typed over the note of a missing field text file: the record
        // keeps naming its file.
        buffer_.Question = missingLink_;
        buffer_.QuestionInTextFile = true;
        return true;
    }
    const QString text = fieldTextToRecord(Memo1->toPlainText());
    const QString q = trim ? trimField(text) : text;
    if (exceedsField(q)) {
        if (!questionLink_.isEmpty()) {
            // Already kept in a field text file: that file gets the new text.
            try {
                writeFieldTextFile(questionLink_, text, *ctx_.state.storage);
            } catch (const FileError& e) {
                reportIoError(e);
                return false;
            }
            buffer_.Question = cutToCapacity(questionLink_, kShortStringCapacity);
            buffer_.QuestionInTextFile = true;
            return true;
        }
        if (ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNoCancel,
                                  kLongQuestion) == MsgAnswer::Yes)
            return chooseFieldTextFile(text);
    }
    buffer_.Question = cutToCapacity(q, kShortStringCapacity);
    buffer_.QuestionInTextFile = false;
    questionLink_.clear();
    missingLink_.clear();
    Memo1->setToolTip(QString());
    return true;
}

bool EditorWindow::chooseFieldTextFile(const QString& text) {
    FileDialogSpec request;
    request.title = u"Записати запитання у текстовий файл"_s;
    request.filter = u"Текстові файли (*.txt)|*.txt"_s;
    request.defaultExt = u"txt"_s;
    request.initialDir = currentDir();
    // Without a file nothing is saved: the long text stays in the window.
    const QString name = ctx_.services.saveFile(this, request).fileName;
    if (name.isEmpty())
        return false;
    if (QFileInfo::exists(name) &&
        ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNoCancel,
                              u"Файл "_s + name + u" вже існує!"_s + u"\r"_s + u"Переписати?"_s) !=
            MsgAnswer::Yes)
        return false;
    try {
        writeFieldTextFile(name, text, *ctx_.state.storage);
    } catch (const FileError& e) {
        reportIoError(e);
        return false;
    }
    buffer_.Question = cutToCapacity(name, kShortStringCapacity);
    buffer_.QuestionInTextFile = true;
    questionLink_ = name;
    missingLink_.clear();
    Memo1->setToolTip(buffer_.Question);
    return true;
}

bool EditorWindow::ensureOwnFile() {
    const EditSession::OnDisk state = session_.onDisk();
    if (state == EditSession::OnDisk::Same)
        return true;
    const QString path = session_.path();
    const bool missing = state == EditSession::OnDisk::Missing;
    const QString text =
        missing ? u"Файл "_s + path +
                      u" вилучено після того, як його було відкрито!\r"
                      u"Так - створити його знову з усіма запитаннями та записати зміни\r"
                      u"Ні - записати тестовий файл під іншою назвою\r"
                      u"Скасувати - нічого не записувати"_s
                : u"Файл "_s + path +
                      u" замінено іншим файлом після того, як його було відкрито!\r"
                      u"Так - записати зміни у файл, що тепер має цю назву\r"
                      u"Ні - записати відкритий тестовий файл під іншою назвою\r"
                      u"Скасувати - нічого не записувати"_s;
    const MsgAnswer answer =
        ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNoCancel, text);
    try {
        if (answer == MsgAnswer::Yes) {
            if (missing)
                session_.saveAs(path);
            else
                session_.reopen();
            return true;
        }
        if (answer != MsgAnswer::No)
            return false;
        const QString ext = kind() == TestKind::Tsr ? u"tsr"_s : u"tsm"_s;
        FileDialogSpec request;
        request.title = u"Записати тестовий файл як"_s;
        request.filter = kind() == TestKind::Tsr ? u"Тестові файли 4-ох рівнів (*.tsr)|*.tsr"_s
                                                 : u"Тестові файли одного рівня (*.tsm)|*.tsm"_s;
        request.defaultExt = ext;
        request.initialDir = QFileInfo(path).absolutePath();
        const QString name = ctx_.services.saveFile(this, request).fileName;
        if (name.isEmpty())
            return false;
        if (QFileInfo(name).suffix().toLower() != ext) {
            ctx_.services.error(this, u"Помилка в назві файлу!"_s);
            return false;
        }
        if (ctx_.state.storage->status(name).exists &&
            ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNoCancel,
                                  u"Файл "_s + name + u" вже існує!"_s + u"\r"_s +
                                      u"Переписати?"_s) != MsgAnswer::Yes)
            return false;
        session_.saveAs(name);
        setWindowTitle(caption_ + name);
        return true;
    } catch (const FileError& e) {
        reportIoError(e);
    }
    return false;
}

bool EditorWindow::writeBuffer() {
    if (!ensureOwnFile())
        return false;
    try {
        session_.save(buffer_);
    } catch (const FileError& e) {
        reportIoError(e);
        return false;
    }
    return true;
}

void EditorWindow::afterSave() {
    showNumbers(session_.position());
    showQuestionCount();
    Timer1->start();
    Gauge1->setValue(0);
    Gauge1->show();
    enableNavigation();
    setClean();
}

// ---- Inserting, appending, deleting ----

void EditorWindow::Button9Click() {
    if (!isEditing() || !askSaveChanges())
        return;
    if (!ensureOwnFile())
        return;
    Image1->hide();
    Memo6->clear();
    try {
        session_.insertEmpty();
    } catch (const FileError& e) {
        reportIoError(e);
        Button2Click(); // the file is as it was: show its question again
        return;
    }
    buffer_ = emptyQuestion(kind());
    showQuestion({});
    Memo1->setFocus();
    setClean();
}

void EditorWindow::appendQuestion() {
    if (!ensureOwnFile())
        return;
    clearTexts(*this);
    clearMarks(*this);
    Image1->hide();
    // The new question takes the level shown before.
    Question q = takeFields(*this, emptyQuestion(kind()), kind(), false);
    try {
        session_.append(q);
    } catch (const FileError& e) {
        reportIoError(e);
        Button2Click();
        return;
    }
    buffer_ = q;
    questionLink_.clear();
    missingLink_.clear();
    Memo1->setToolTip(QString());
    showNumbers(session_.position());
    showQuestionCount();
    Memo1->setFocus();
    setClean();
}

void EditorWindow::Button8Click() {
    if (!isEditing())
        return;
    if (!session_.hasQuestions()) {
        ctx_.services.error(this, u"Дія неможлива!\rУ файлі відсутні запитання!"_s);
        return;
    }
    if (ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNoCancel,
                              u"Запис буде знищено!"_s) != MsgAnswer::Yes)
        return;
    if (!ensureOwnFile())
        return;
    const qint64 n = session_.count();
    const qint64 p = session_.position();
    if (n == 2) {
        // The only question is emptied, keeping its picture name.
        showNumbers(p);
        clearTexts(*this, true);
        clearMarks(*this);
        selectLowLevel(*this);
        Question q = takeFields(*this, emptyQuestion(kind()), kind(), false);
        buffer_ = q;
        questionLink_.clear();
        missingLink_.clear();
        Memo1->setToolTip(QString());
        if (!writeBuffer())
            return;
        Memo1->setFocus();
        Gauge1->setValue(0);
        Gauge1->show();
        Timer1->start();
        showQuestionCount();
        markDirty();
        return;
    }
    try {
        session_.removeCurrent();
    } catch (const FileError& e) {
        reportIoError(e);
        return;
    }
    setClean(); // unsaved changes went with the question
    if (p == n - 1)
        lastQuestion();
    else
        goTo(session_.position());
    Gauge1->setValue(0);
    Gauge1->show();
    Timer1->start();
    showQuestionCount();
}

} // namespace zorvik
