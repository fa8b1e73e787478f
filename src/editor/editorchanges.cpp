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
#include <QScopedValueRollback>
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

void EditorWindow::save() {
    if (!isEditing() || !takeQuestion(true))
        return;
    model_.takeFields(readFields(*this), true);
    if (writeRecord())
        afterSave();
}

bool EditorWindow::saveFromPrompt() {
    Gauge1->setValue(0);
    Gauge1->show();
    if (!takeQuestion(false))
        return false;
    restoreNormalLayout();
    model_.takeFields(readFields(*this), false);
    if (!writeRecord())
        return false;
    afterSave();
    return true;
}

void EditorWindow::revertFromPrompt() {
    try {
        model_.readCurrent();
    } catch (const FileError& e) {
        reportIoError(e);
    }
    restoreNormalLayout();
    showQuestion({Wording::Show, false, true});
    enableNavigation();
    Memo1->setFocus();
}

bool EditorWindow::takeQuestion(bool trim) {
    const QString shown = Memo1->toPlainText();
    try {
        if (model_.takeQuestion(shown, trim) == EditorModel::Take::AskFile) {
            if (ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNoCancel,
                                      kLongQuestion) == MsgAnswer::Yes)
                return chooseFieldTextFile();
            model_.takeQuestion(shown, trim, true);
        }
    } catch (const FileError& e) {
        reportIoError(e);
        return false;
    }
    Memo1->setToolTip(model_.display().questionTip);
    return true;
}

bool EditorWindow::chooseFieldTextFile() {
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
        model_.keepInFile(name, Memo1->toPlainText());
    } catch (const FileError& e) {
        reportIoError(e);
        return false;
    }
    Memo1->setToolTip(model_.display().questionTip);
    return true;
}

bool EditorWindow::ensureOwnFile() {
    EditSession& session = model_.session();
    const EditSession::OnDisk state = session.onDisk();
    if (state == EditSession::OnDisk::Same)
        return true;
    const QString path = session.path();
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
                session.saveAs(path);
            else
                session.reopen();
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
        session.saveAs(name);
        setWindowTitle(model_.display().title);
        return true;
    } catch (const FileError& e) {
        reportIoError(e);
    }
    return false;
}

bool EditorWindow::writeRecord() {
    if (!ensureOwnFile())
        return false;
    try {
        model_.save();
    } catch (const FileError& e) {
        reportIoError(e);
        return false;
    }
    return true;
}

void EditorWindow::afterSave() {
    setClean();
    render();
    Timer1->start();
    Gauge1->setValue(0);
    Gauge1->show();
    enableNavigation();
}

// ---- Inserting, appending, deleting ----

void EditorWindow::insertQuestion() {
    if (!isEditing() || !askSaveChanges())
        return;
    if (!ensureOwnFile())
        return;
    Image1->hide();
    {
        const QScopedValueRollback guard(rendering_, true);
        Memo6->clear();
    }
    try {
        model_.insertEmpty();
    } catch (const FileError& e) {
        reportIoError(e);
        discardChanges(); // the file is as it was: show its question again
        return;
    }
    showQuestion({});
    Memo1->setFocus();
    setClean();
}

void EditorWindow::appendQuestion() {
    if (!ensureOwnFile())
        return;
    // The new question takes the level shown before.
    const QuestionLevel level = readFields(*this).level;
    Image1->hide();
    try {
        model_.append(level);
    } catch (const FileError& e) {
        reportIoError(e);
        discardChanges();
        return;
    }
    showFields(fieldsOf(model_.record()), true);
    setClean();
    render();
    Memo1->setFocus();
}

void EditorWindow::deleteQuestion() {
    if (!isEditing())
        return;
    if (!model_.session().hasQuestions()) {
        ctx_.services.error(this, u"Дія неможлива!\rУ файлі відсутні запитання!"_s);
        return;
    }
    if (ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNoCancel,
                              u"Запис буде знищено!"_s) != MsgAnswer::Yes)
        return;
    if (!ensureOwnFile())
        return;
    if (model_.onlyQuestion()) {
        // The only question is emptied, keeping its picture name.
        model_.emptyOnlyQuestion(Memo6->text());
        showFields(fieldsOf(model_.record()), true);
        render();
        if (!writeRecord())
            return;
        Memo1->setFocus();
        Gauge1->setValue(0);
        Gauge1->show();
        Timer1->start();
        render();
        return;
    }
    const bool wasLast = model_.atLast();
    try {
        model_.removeCurrent();
    } catch (const FileError& e) {
        reportIoError(e);
        return;
    }
    render(); // unsaved changes went with the question
    if (wasLast)
        lastQuestion();
    else
        goTo(model_.position());
    Gauge1->setValue(0);
    Gauge1->show();
    Timer1->start();
    render();
}

} // namespace zorvik
