// The editor's exchange: the question as one line of clipboard text (copy and
// paste), opening a text file with the system's program, and the font and
// background of the six text fields. None of them writes the test file.
#include "editorwindow.h"

#include "media/picturebox.h"

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

namespace {
const QString kTrue = u"True"_s;
const QString kFalse = u"False"_s;
} // namespace

void EditorWindow::connectExchange() {
    connect(Button11, &QPushButton::clicked, this, &EditorWindow::Button11Click);
    connect(Button12, &QPushButton::clicked, this, &EditorWindow::Button12Click);
    connect(N6, &QAction::triggered, this, &EditorWindow::N6Click);
    connect(N1, &QAction::triggered, this, &EditorWindow::N1Click);
    connect(N2, &QAction::triggered, this, &EditorWindow::N2Click);
}

// ---- The question line ----

void EditorWindow::Button11Click() {
    QuestionLine line;
    // The question as the window shows it, line breaks as CR LF.
    line.texts = {fieldTextToRecord(Memo1->toPlainText()),
                  fieldTextToRecord(Memo2->toPlainText()),
                  fieldTextToRecord(Memo3->toPlainText()),
                  fieldTextToRecord(Memo4->toPlainText()),
                  fieldTextToRecord(Memo5->toPlainText()),
                  fieldTextToRecord(Memo7->toPlainText()),
                  Memo6->text(),
                  Memo8->text(),
                  Memo9->text()};
    line.questionAndPicture = flagWord(CheckBox6->isChecked());
    if (kind() == TestKind::Tsr) {
        // Without a selected level the word of the last copy or paste stays.
        const QRadioButton* order[] = {RadioButton1, RadioButton2, RadioButton4, RadioButton3};
        for (int i = 0; i < 4; ++i)
            if (order[i]->isChecked())
                ctx_.state.LevelText = levelWords()[i];
    } else {
        ctx_.state.LevelText = u","_s;
    }
    line.level = ctx_.state.LevelText;
    const QCheckBox* marks[] = {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5};
    for (size_t k = 0; k < 5; ++k)
        line.correct[k] = flagWord(marks[k]->isChecked());
    ctx_.services.setClipboardText(buildQuestionLine(line));
}

void EditorWindow::Button12Click() {
    const QuestionLine line = parseQuestionLine(ctx_.services.clipboardText());
    if (ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNo,
                              u"Вставити запис із буфера обміну?"_s) != MsgAnswer::Yes)
        return;

    QPlainTextEdit* texts[] = {Memo1, Memo2, Memo3, Memo4, Memo5, Memo7};
    for (size_t k = 0; k < 6; ++k)
        texts[k]->setPlainText(recordTextToField(line.texts[k]));
    Memo6->setText(line.texts[6]);
    Memo8->setText(line.texts[7]);
    Memo9->setText(line.texts[8]);

    if (line.questionAndPicture == kTrue)
        CheckBox6->setChecked(true);
    else if (line.questionAndPicture == kFalse)
        CheckBox6->setChecked(false);

    ctx_.state.LevelText = line.level;
    if (kind() == TestKind::Tsr) {
        QRadioButton* order[] = {RadioButton1, RadioButton2, RadioButton4, RadioButton3};
        const qsizetype word = levelWords().indexOf(line.level);
        if (word >= 0)
            order[word]->setChecked(true);
    }
    QCheckBox* marks[] = {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5};
    for (size_t k = 0; k < 5; ++k)
        marks[k]->setChecked(line.correct[k] == kTrue);

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

void EditorWindow::N6Click() {
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

void EditorWindow::N1Click() {
    if (const std::optional<QFont> font = ctx_.services.chooseFont(this, Memo1->font()))
        for (QPlainTextEdit* m : {Memo1, Memo2, Memo3, Memo4, Memo5, Memo7})
            m->setFont(*font);
}

void EditorWindow::N2Click() {
    const QColor current = Memo1->palette().color(QPalette::Base);
    if (const std::optional<QColor> colour = ctx_.services.chooseColor(this, current))
        for (QPlainTextEdit* m : {Memo1, Memo2, Memo3, Memo4, Memo5, Memo7}) {
            QPalette palette = m->palette();
            palette.setColor(QPalette::Base, *colour);
            m->setPalette(palette);
        }
}

} // namespace zorvik
