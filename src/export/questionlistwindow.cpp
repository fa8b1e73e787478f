#include "questionlistwindow.h"

#include "exportsupport.h"

#include "core/atomicfile.h"
#include "core/questiontext.h"
#include "editor/editorwindow.h"
#include "ui/fonts.h"
#include "ui/grid.h"

#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

constexpr int kFontPixels = 13;
constexpr int kColumnWidths[3] = {41, 60, 515};

// A hint shown as plain lines, whatever the answers hold.
QString hintToolTip(const QString& hint) {
    QString html = hint.toHtmlEscaped();
    html.replace(u'\r', u"<br>"_s);
    return u"<p style='white-space:pre'>"_s + html + u"</p>"_s;
}

} // namespace

QuestionListWindow::QuestionListWindow(AppContext& ctx, QWidget* owner)
    : QWidget(owner, Qt::Window), ctx_(ctx) {
    setObjectName(u"TForm23"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"Список запитань"_s);
    buildControls();
}

void QuestionListWindow::buildControls() {
    const Scale s = ctx_.scale();
    resize(s.width(640), s.height(420));
    // The grid's type keeps its size; its columns are widened by the scale.
    setFont(arialFont(kFontPixels));

    StringGrid1 = new QTableWidget(0, 3, this);
    StringGrid1->setObjectName(u"StringGrid1"_s);
    StringGrid1->setHorizontalHeaderLabels(questionListHeaders());
    setUpRowGrid(StringGrid1, QAbstractItemView::ExtendedSelection);
    StringGrid1->horizontalHeader()->setStretchLastSection(false);
    for (int c = 0; c < 3; ++c)
        StringGrid1->setColumnWidth(c, s.width(kColumnWidths[c]));
    s.place(StringGrid1, 4, 4, 632, 366);

    const auto button = [this, &s](QPushButton*& b, const QString& name, const QString& text,
                                   const QString& hint, int left, QStyle::StandardPixmap icon) {
        b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setToolTip(hint);
        b->setIcon(style()->standardIcon(icon));
        b->setCursor(Qt::PointingHandCursor);
        s.setFontPixels(b, kFontPixels);
        s.place(b, left, 380, 130, 30);
    };
    button(BitBtn1, u"BitBtn1"_s, u"Від&крити"_s,
           u"Відкрити запитання: Клікніть на запитанні, а потім на кнопці"_s, 22,
           QStyle::SP_DialogOpenButton);
    button(BitBtn4, u"BitBtn4"_s, u"&В Excel"_s, u"Експортувати в Excel"_s, 176,
           QStyle::SP_FileDialogDetailedView);
    button(BitBtn2, u"BitBtn2"_s, u"В &Word"_s, u"Експортувати в Word"_s, 330,
           QStyle::SP_FileDialogContentsView);
    button(BitBtn3, u"BitBtn3"_s, u"Ви&хід"_s, u"Закрити і вийти"_s, 484,
           QStyle::SP_DialogCloseButton);

    connect(StringGrid1, &QTableWidget::currentCellChanged, this,
            [this](int row) { StringGrid1SelectCell(row + 1); });
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, &QuestionListWindow::BitBtn1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QuestionListWindow::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QuestionListWindow::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &QuestionListWindow::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &QuestionListWindow::BitBtn4Click);
}

void QuestionListWindow::findSource() {
    auto* editor = ctx_.windows.find<EditorWindow>();
    if (editor && editor->isEditing()) {
        path_ = editor->model().session().path();
        kind_ = editor->model().kind();
        selected_ = int(std::max<qint64>(editor->model().position(), 1));
    } else {
        path_ = ctx_.state.TestFileName;
        kind_ = testKindOfExt(ctx_.state.TestFileExt);
        selected_ = 1;
    }
}

void QuestionListWindow::FormActivate() {
    findSource();
    if (kind_ == TestKind::None)
        return;
    setWindowTitle(questionListCaption(path_, kind_));
    // A file that cannot be read gives an empty list, without a message.
    try {
        entries_ = loadQuestionList(path_, kind_);
    } catch (const FileError&) {
        entries_.clear();
    }
    cells_ = questionListCells(entries_, kind_);

    const QSignalBlocker quiet(StringGrid1);
    StringGrid1->clearContents();
    StringGrid1->setRowCount(int(cells_.size()) - 1);
    for (size_t r = 1; r < cells_.size(); ++r)
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(cells_[r][c]);
            if (c == 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            StringGrid1->setItem(int(r) - 1, c, item);
        }
    hint_.clear();
    StringGrid1->setToolTip(QString());

    StringGrid1->setFocus();
    const int row = std::clamp(selected_, 1, StringGrid1->rowCount());
    StringGrid1->setCurrentCell(row - 1, 0);
    StringGrid1->scrollToItem(StringGrid1->item(row - 1, 0), QAbstractItemView::PositionAtCenter);
    StringGrid1SelectCell(row);
}

void QuestionListWindow::StringGrid1SelectCell(int row) {
    if (row < 1)
        return;
    selected_ = row;
    if (row <= int(entries_.size())) {
        hint_ = questionListHint(entries_[size_t(row - 1)]);
        StringGrid1->setToolTip(hintToolTip(hint_));
    }
}

void QuestionListWindow::returnToEditor(std::optional<int> question) {
    EditorWindow* editor = ctx_.windows.find<EditorWindow>();
    if (!editor)
        return;
    editor->raise();
    editor->activateWindow();
    if (question)
        editor->goToQuestion(*question);
    else
        editor->reloadRecord();
}

void QuestionListWindow::BitBtn1Click() {
    hide();
    returnToEditor(selected_);
    close();
}

void QuestionListWindow::BitBtn3Click() {
    hide();
    returnToEditor(std::nullopt);
    close();
}

void QuestionListWindow::openDocument(const QString& path) {
    if (!ctx_.services.openWithSystem(path))
        ctx_.services.info(this, u"Список записано у файл\r"_s + path +
                                     u"\rале відкрити його не вдалося!"_s);
}

QString QuestionListWindow::chooseTarget(const QString& proposed, const QString& title,
                                         const QString& filter) {
    // An earlier list of that name may be one the teacher keeps: asked first.
    const QFileInfo info(proposed);
    FileDialogSpec request;
    request.title = title;
    request.filter = filter;
    request.defaultExt = info.suffix();
    request.initialDir = info.absolutePath();
    request.fileName = info.fileName();
    request.overwritePrompt = true;
    return ctx_.services.saveFile(this, request).fileName;
}

void QuestionListWindow::BitBtn2Click() {
    if (kind_ == TestKind::None)
        return;
    const QString target =
        chooseTarget(questionListDocumentName(path_), u"Список запитань у Word"_s,
                     u"Документ Word (*.doc)|*.doc"_s);
    if (target.isEmpty())
        return;
    try {
        const std::vector<QuestionListEntry> entries = loadQuestionList(path_, kind_);
        ctx_.state.storage->replace(target,
                                    rtf::write(questionListDocument(path_, kind_, entries)));
    } catch (const FileError& e) {
        ctx_.services.error(this, exportFailureText(e));
        return;
    }
    openDocument(target);
    StringGrid1->setFocus();
}

void QuestionListWindow::BitBtn4Click() {
    if (entries_.empty())
        return;
    const QString target =
        chooseTarget(questionListWorkbookName(path_), u"Список запитань у Excel"_s,
                     u"Книга Excel (*.xlsx)|*.xlsx"_s);
    if (target.isEmpty())
        return;
    try {
        questionListWorkbook(cells_).save(target, *ctx_.state.storage);
    } catch (const FileError& e) {
        ctx_.services.error(this, exportFailureText(e));
        return;
    }
    openDocument(target);
}

QuestionListWindow* openQuestionList(AppContext& ctx, QWidget* editor) {
    auto* list = new QuestionListWindow(ctx, editor);
    list->show();
    list->raise();
    list->activateWindow();
    // Loaded now, whether or not the window system makes it active.
    list->FormActivate();
    return list;
}

void QuestionListWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        FormActivate();
}

} // namespace zorvik
