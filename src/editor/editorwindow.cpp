#include "editorwindow.h"

#include "core/recordfile.h"

#include "media/picturebox.h"
#include "recordfields.h"

#include "core/bytes.h"
#include "core/questiontext.h"
#include "core/rounding.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
const QString kSavePrompt = u"Текст змінено! Зберегти?"_s;
const QString kMissingPicture = u"Відсутній файл малюнку!\r"_s;
const QString kPictureHint = u"Подвійний Click-збільшує!\r ПКМ-меню!"_s;
constexpr int kGaugeStep = 10;

bool sameFile(const QString& a, const QString& b) {
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

// Lines as the field shows them, wrapped lines counted.
int shownLines(const QPlainTextEdit* memo) {
    int lines = 0;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next())
        lines += std::max(1, b.layout() ? b.layout()->lineCount() : 1);
    return lines;
}
} // namespace

EditorWindow::EditorWindow(AppContext& ctx, QWidget* owner)
    : QWidget(owner, Qt::Window), ctx_(ctx), model_(*ctx.state.storage) {
    setObjectName(u"TForm3"_s);
    setWindowTitle(u"Тестові запитання"_s);
    normalFrame_ = buildEditorControls(this, *this, ctx.scale());

    connect(Button1, &QPushButton::clicked, this, &EditorWindow::save);
    connect(Button2, &QPushButton::clicked, this, &EditorWindow::discardChanges);
    connect(Button3, &QPushButton::clicked, this, &EditorWindow::leave);
    connect(Button4, &QPushButton::clicked, this, &EditorWindow::goToFirst);
    connect(Button5, &QPushButton::clicked, this, &EditorWindow::goToPrevious);
    connect(Button6, &QPushButton::clicked, this, &EditorWindow::goToNext);
    connect(Button7, &QPushButton::clicked, this, &EditorWindow::goToLast);
    connect(Button8, &QPushButton::clicked, this, &EditorWindow::deleteQuestion);
    connect(Button9, &QPushButton::clicked, this, &EditorWindow::insertQuestion);
    connect(Edit2, &QLineEdit::returnPressed, this, &EditorWindow::Edit2GoTo);
    Edit2->installEventFilter(this);
    connect(Timer1, &QTimer::timeout, this, &EditorWindow::housekeeping);

    for (QPlainTextEdit* m : {Memo1, Memo2, Memo3, Memo4, Memo5, Memo7}) {
        connect(m, &QPlainTextEdit::textChanged, this, &EditorWindow::fieldEdited);
        connect(m, &QWidget::customContextMenuRequested, this,
                [this, m](const QPoint& at) { PopupMenu1->popup(m->mapToGlobal(at)); });
    }
    for (QLineEdit* e : {Memo6, Memo8, Memo9})
        connect(e, &QLineEdit::textChanged, this, &EditorWindow::fieldEdited);
    for (QCheckBox* b : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5})
        connect(b, &QCheckBox::toggled, this, &EditorWindow::fieldEdited);
    connect(CheckBox6, &QCheckBox::toggled, this, &EditorWindow::togglePictureLayout);
    for (QRadioButton* r : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
        connect(r, &QRadioButton::toggled, this, &EditorWindow::fieldEdited);
    connect(Image1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu2->popup(Image1->mapToGlobal(at)); });

    connect(BitBtn9, &QPushButton::clicked, this, &EditorWindow::openQuestionList);
    connectExchange();
    connectMedia();

    ctx_.state.stopEditorTimer = [this] { Timer1->stop(); };
}

EditorWindow::~EditorWindow() {
    ctx_.state.stopEditorTimer = nullptr;
}

// ---- Hand-over from the main window ----

bool EditorWindow::startNewFile(const QString& path, TestKind kind) {
    return start(path, kind, u"Новий тестовий файл - "_s);
}

bool EditorWindow::startEditing(const QString& path, TestKind kind) {
    return start(path, kind, u"Редагування тестового файлу - "_s);
}

bool EditorWindow::start(const QString& path, TestKind kind, const QString& caption) {
    if (!askSaveChanges())
        return false;
    try {
        model_.open(path, kind, caption);
    } catch (const FileError& e) {
        reportIoError(e);
        return false;
    }
    render();
    GroupBox1->setVisible(kind == TestKind::Tsr);
    showMaximized();
    if (partialTailBytes(path, recordSizeOf(kind)) != 0)
        ctx_.services.message(this, MsgIcon::Warning, MsgButtons::Ok,
                              damagedFileText(path, recordSizeOf(kind)) +
                                  u"\rПри першій зміні файлу їх буде збережено у файлі "_s +
                                  tornTailPath(path) + u"."_s);
    activateWindow();
    try {
        // A file without questions shows an empty question 1.
        model_.readCurrent();
    } catch (const FileError& e) {
        reportIoError(e);
    }
    // The name of a missing picture stays, in both kinds: emptied here, it
    // would be lost at the next Save.
    showQuestion({Wording::Open, true, false});
    enableNavigation();
    Timer1->start();
    Memo1->setFocus();
    setClean();
    return true;
}

bool EditorWindow::releaseFile(const QString& path) {
    if (!model_.isOpen() || !sameFile(model_.session().path(), path))
        return true;
    if (!askSaveChanges())
        return false;
    try {
        model_.close();
    } catch (const FileError&) {
        // Every save was written and flushed when it was made.
    }
    setClean();
    hide();
    return true;
}

// ---- Showing a question ----

void EditorWindow::render() {
    const EditorDisplay d = model_.display();
    const QString n = QString::number(d.position);
    Edit2->setText(n);
    Label2->setText(n);
    Label11->setText(QString::number(d.questionCount));
    Label12->setVisible(d.dirty);
    Memo1->setToolTip(d.questionTip);
    if (model_.isOpen())
        setWindowTitle(d.title);
}

void EditorWindow::showFields(const EditorFields& fields, bool withQuestion) {
    const QScopedValueRollback guard(rendering_, true);
    zorvik::showFields(*this, fields, withQuestion, kind() == TestKind::Tsr);
}

void EditorWindow::showQuestionText(Wording wording) {
    const QuestionShown shown = model_.showQuestion(wording);
    if (!shown.message.isEmpty())
        ctx_.services.error(this, shown.message);
    const QScopedValueRollback guard(rendering_, true);
    Memo1->setToolTip(shown.tip);
    Memo1->setPlainText(shown.text);
}

void EditorWindow::showPicture(bool emptyMissingPicture) {
    const QString name = model_.record().PictureFile;
    if (name.isEmpty()) {
        Image1->hide();
        Image1->clear();
        return;
    }
    if (!QFileInfo(name).isFile()) {
        Image1->hide();
        Image1->clear();
        ctx_.services.error(this, kMissingPicture + name);
        if (emptyMissingPicture)
            Memo6->clear();
        return;
    }
    if (model_.record().QuestionAndPicture)
        applyPictureLayout();
    QString reason;
    if (Image1->load(name, *ctx_.state.storage, &reason)) {
        Image1->show();
        return;
    }
    Image1->hide();
    ctx_.services.error(this, u"Помилка читання малюнку!\r"_s + name + u"\r"_s + reason);
}

void EditorWindow::showQuestion(const ShowOptions& options) {
    render();
    showQuestionText(options.wording);
    showFields(fieldsOf(model_.record()), false);
    if (options.resetLayout)
        restoreNormalLayout();
    showPicture(options.emptyMissingPicture);
    setClean();
}

bool EditorWindow::goTo(qint64 i, Wording wording) {
    try {
        model_.goTo(i);
    } catch (const FileError& e) {
        reportIoError(e);
        return false;
    }
    showQuestion({wording});
    return true;
}

void EditorWindow::restoreNormalLayout() {
    for (QPlainTextEdit* m : {Memo2, Memo3, Memo4, Memo5, Memo7})
        m->show();
    Image1->setGeometry(normalFrame_);
}

void EditorWindow::applyPictureLayout() {
    for (QPlainTextEdit* m : {Memo2, Memo3, Memo4, Memo5, Memo7})
        m->hide();
    const QRect first = Memo2->geometry();
    const int bottom = Memo7->geometry().y() + Memo7->geometry().height();
    Image1->setGeometry(first.x(), first.y(), Memo1->width() - first.x(), bottom - first.y());
}

void EditorWindow::enableNavigation() {
    for (QPushButton* b : {Button4, Button5, Button6, Button7})
        b->setEnabled(true);
    Edit2->setEnabled(true);
}

void EditorWindow::fieldEdited() {
    if (!rendering_)
        markDirty();
}
void EditorWindow::markDirty() {
    model_.markDirty();
    Label12->show();
}
void EditorWindow::setClean() {
    model_.setClean();
    Label12->hide();
}

// ---- Navigation ----

bool EditorWindow::askSaveChanges() {
    if (!isDirty())
        return true;
    switch (
        ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNoCancel, kSavePrompt)) {
    case MsgAnswer::Yes:
        return saveFromPrompt();
    case MsgAnswer::No:
        revertFromPrompt();
        return true;
    default:
        return false;
    }
}

void EditorWindow::goToFirst() {
    if (!isEditing() || !askSaveChanges())
        return;
    if (model_.session().hasQuestions())
        goTo(1);
}

void EditorWindow::goToPrevious() {
    if (!isEditing() || !askSaveChanges())
        return;
    if (model_.atFirst()) {
        restoreNormalLayout();
        if (CheckBox6->isChecked())
            applyPictureLayout();
        setClean();
        return;
    }
    goTo(model_.position() - 1);
}

void EditorWindow::goToNext() {
    if (!isEditing() || !askSaveChanges())
        return;
    if (model_.atLast())
        lastQuestion();
    else
        goTo(model_.position() + 1);
}

void EditorWindow::goToLast() {
    if (!isEditing() || !askSaveChanges())
        return;
    lastQuestion();
}

void EditorWindow::lastQuestion() {
    if (model_.session().hasQuestions() &&
        !goTo(model_.lastQuestion(), kind() == TestKind::Tsm ? Wording::Last : Wording::Show))
        return;
    if (ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNoCancel,
                              u"Останній запис! Добавити запис?"_s) == MsgAnswer::Yes)
        appendQuestion();
    setClean();
}

void EditorWindow::Edit2GoTo() {
    goToTyped(Edit2->text());
}

void EditorWindow::goToQuestion(int n) {
    goToTyped(QString::number(n));
}

void EditorWindow::goToTyped(const QString& typed) {
    if (!isEditing())
        return;
    const EditorModel::GoToCheck check = model_.checkGoTo(typed);
    if (!check.refusal.isEmpty()) {
        ctx_.services.error(this, check.refusal);
        if (!check.keepTyped)
            render();
        return;
    }
    // Going to another question asks about the unsaved changes like the
    // buttons do, instead of dropping them.
    if (!askSaveChanges()) {
        render();
        return;
    }
    try {
        model_.goTo(check.question);
    } catch (const FileError&) {
        ctx_.services.error(this, u"Помилка введення значення!"_s);
        return;
    }
    showQuestion({});
}

void EditorWindow::reloadRecord() {
    if (isEditing() && model_.session().hasQuestions())
        goToQuestion(int(model_.position()));
}

void EditorWindow::discardChanges() {
    if (!isEditing())
        return;
    try {
        model_.readCurrent();
    } catch (const FileError& e) {
        reportIoError(e);
        return;
    }
    showQuestion({Wording::Show, false});
    enableNavigation();
    Memo1->setFocus();
}

void EditorWindow::leave() {
    close();
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    restoreNormalLayout();
    if (!askSaveChanges()) {
        event->ignore();
        return;
    }
    for (QPushButton* b : {Button4, Button5, Button6, Button7})
        b->setEnabled(true);
    Edit2->setEnabled(false);
    event->accept();
}

void EditorWindow::togglePictureLayout() {
    if (!rendering_)
        markDirty();
    if (CheckBox6->isChecked())
        applyPictureLayout();
    else
        restoreNormalLayout();
}

// ---- Housekeeping ----

void EditorWindow::housekeeping() {
    Timer1->setInterval(10);
    for (QPlainTextEdit* m : {Memo1, Memo2, Memo3, Memo4, Memo5, Memo7}) {
        const double pixels = QFontInfo(m->font()).pixelSize();
        const qint64 fit = roundHalfEven(m->height() / (pixels * 1.4) - 0.5);
        m->setVerticalScrollBarPolicy(shownLines(m) > fit ? Qt::ScrollBarAlwaysOn
                                                          : Qt::ScrollBarAlwaysOff);
    }
    Gauge1->setValue(std::min(Gauge1->value() + kGaugeStep, Gauge1->maximum()));
    if (Gauge1->value() >= Gauge1->maximum())
        Gauge1->hide();
    // A tooltip breaks its lines at LF, not at the hint's CR.
    Image1->setToolTip(QString(kPictureHint).replace(u'\r', u'\n'));
}

void EditorWindow::FormActivate() {
    Timer1->start();
    Edit2->setEnabled(true);
    if (CheckBox6->isChecked() && !Image1->isHidden())
        applyPictureLayout();
}

void EditorWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Owned by the main window, but not kept above it: the main window's
    // commands stay at hand beside the maximised editor.
    if (QWindow* handle = windowHandle())
        handle->setTransientParent(nullptr);
}

void EditorWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit2 && event->type() == QEvent::MouseButtonDblClick) {
        Edit2GoTo();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void EditorWindow::reportIoError(const std::exception& e) {
    const auto* fileError = dynamic_cast<const FileError*>(&e);
    ctx_.services.error(this,
                        u"Помилка вводу/виводу!\r"_s +
                            (fileError ? fileError->message() : QString::fromLocal8Bit(e.what())));
}

QString EditorWindow::currentDir() const {
    return ctx_.state.TestDir.isEmpty() ? ctx_.state.ProgramDir : ctx_.state.TestDir;
}

} // namespace zorvik
