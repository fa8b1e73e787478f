// The editor's exchange: the question as one line of clipboard text (copy and
// paste), opening a text file with the system's program, and the font and
// background of the six text fields. None of them writes the test file.
#include "editorwindow.h"

#include "media/picturebox.h"
#include "recordfields.h"

#include "core/questionline.h"
#include "core/questiontext.h"
#include "media/mediahelpers.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace zorvik {

void EditorWindow::connectExchange() {
    connect(Button11, &QPushButton::clicked, this, &EditorWindow::copyQuestion);
    connect(Button12, &QPushButton::clicked, this, &EditorWindow::pasteQuestion);
    connect(N6, &QAction::triggered, this, &EditorWindow::openTextFile);
    connect(N1, &QAction::triggered, this, &EditorWindow::chooseFieldFont);
    connect(N2, &QAction::triggered, this, &EditorWindow::chooseFieldBackground);
}

// ---- The question line ----

void EditorWindow::copyQuestion() {
    ctx_.services.setClipboardText(
        buildQuestionLine(copyLine(readFields(*this), kind(), model_.levelWord())));
}

void EditorWindow::pasteQuestion() {
    const QuestionLine line = parseQuestionLine(ctx_.services.clipboardText());
    if (ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNo,
                              u"Вставити запис із буфера обміну?"_s) != MsgAnswer::Yes)
        return;
    showFields(pasteLine(line, readFields(*this), kind(), model_.levelWord()), true);
    markDirty();

    // The picture named by the line, in the layout its flag asks for.
    const QString picture = line.texts[6];
    if (!QFileInfo(picture).isFile()) {
        // Without a picture the answers stay in sight, as for a stored question.
        restoreNormalLayout();
        Image1->hide();
        Image1->clear();
        Memo6->clear();
        return;
    }
    if (CheckBox6->isChecked())
        applyPictureLayout();
    else
        restoreNormalLayout();
    if (loadPicture(picture)) {
        Image1->show();
        return;
    }
    restoreNormalLayout();
    Image1->hide();
    Image1->clear();
}

// ---- Text files and the fields' look ----

void EditorWindow::openTextFile() {
    FileDialogSpec request;
    request.title = u"Відкрити текстовий файл"_s;
    request.defaultExt = u"txt"_s;
    request.filter = u"Текстові файли (*.txt)|*.txt|Всі файли (*.*)|*.*"_s;
    request.initialDir = QDir::currentPath();
    const QString name = ctx_.services.openFile(this, request).fileName;
    if (name.isEmpty())
        return;
    if (!QFileInfo(name).isFile()) {
        ctx_.services.error(this, u"Помилка в назві файлу або файла \r"_s + name + u"\r"_s +
                                      u" не існує!"_s);
        return;
    }
    // The system's program for the file's type edits it; the editor does not
    // read it back.
    openInSystem(ctx_, this, name);
}

void EditorWindow::chooseFieldFont() {
    if (const std::optional<QFont> font = ctx_.services.chooseFont(this, Memo1->font()))
        for (QPlainTextEdit* m : {Memo1, Memo2, Memo3, Memo4, Memo5, Memo7})
            m->setFont(*font);
}

void EditorWindow::chooseFieldBackground() {
    const QColor current = Memo1->palette().color(QPalette::Base);
    if (const std::optional<QColor> colour = ctx_.services.chooseColor(this, current))
        for (QPlainTextEdit* m : {Memo1, Memo2, Memo3, Memo4, Memo5, Memo7}) {
            QPalette palette = m->palette();
            palette.setColor(QPalette::Base, *colour);
            m->setPalette(palette);
        }
}

} // namespace zorvik
