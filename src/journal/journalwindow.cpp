#include "journalwindow.h"

#include "core/atomicfile.h"
#include "core/journaledit.h"
#include "core/journalexport.h"
#include "core/journalfile.h"
#include "core/localetext.h"
#include "report/journalreport.h"
#include "ui/fonts.h"
#include "ui/grid.h"

#include <QEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QTableView>
#include <QTimer>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace zorvik {

// The column titles are long for their designed widths: a smaller type keeps
// every title whole.
void JournalWindow::fitHeaderFont() {
    QHeaderView* header = StringGrid1->horizontalHeader();
    QFont f = header->font();
    if (f.pixelSize() <= 0)
        f.setPixelSize(QFontMetrics(f).height() - 3);
    auto fits = [&] {
        const QFontMetrics fm(f);
        for (int c = 0; c < JournalModel::ColumnCount; ++c) {
            const QString title = model_->headerData(c, Qt::Horizontal).toString();
            if (fm.horizontalAdvance(title) + 8 > StringGrid1->columnWidth(c))
                return false;
        }
        return true;
    };
    while (f.pixelSize() > 8 && !fits())
        f.setPixelSize(f.pixelSize() - 1);
    header->setFont(f);
}

namespace {

const QString kNoEntries = u"Записи у журналі відсутні!"_s;
const QString kDeleteEntry = u"Запис буде знищено!"_s;

constexpr int kColumnWidths[JournalModel::ColumnCount] = {21, 42, 40, 180, 55, 82,
                                                          30, 27, 37, 37,  22, 30};

} // namespace

JournalWindow::JournalWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx) {
    setObjectName(u"TForm8"_s);
    setWindowTitle(u" Журнал успішності"_s);
    model_ = new JournalModel(this);
    buildControls();
}

void JournalWindow::buildControls() {
    const Scale s = ctx_.scale();
    resize(s.width(640), s.height(453));
    // The grid's type keeps its size; its columns are widened by the scale.
    setFont(arialFont(12));

    const auto button = [this, &s](QPushButton*& b, const QString& name, const QString& text,
                                   const QString& hint, int left) {
        b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setToolTip(hint);
        s.setFontPixels(b, 12);
        s.place(b, left, 388, 100, 28);
    };

    Label1 = new QLabel(u"Журнал успішності"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setFont(arialFont(18, true));
    s.setFontPixels(Label1, 18);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(u"color: navy"_s);
    s.place(Label1, 200, 5, 240, 24);

    BitBtn5 = new QPushButton(this);
    BitBtn5->setObjectName(u"BitBtn5"_s);
    BitBtn5->setToolTip(u"Оновити список"_s);
    BitBtn5->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    s.place(BitBtn5, 444, 6, 22, 22);

    Label3 = new QLabel(u"Дата"_s, this);
    Label3->setObjectName(u"Label3"_s);
    s.setFontPixels(Label3, 12);
    s.place(Label3, 10, 10, 110, 16);

    Label4 = new QLabel(u"Час"_s, this);
    Label4->setObjectName(u"Label4"_s);
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    s.setFontPixels(Label4, 12);
    s.place(Label4, 520, 10, 110, 16);

    StringGrid1 = new QTableView(this);
    StringGrid1->setObjectName(u"StringGrid1"_s);
    StringGrid1->setModel(model_);
    setUpRowGrid(StringGrid1, QAbstractItemView::SingleSelection);
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& now) {
                if (now.isValid())
                    choiceLost_ = false;
            });
    StringGrid1->horizontalHeader()->setMinimumSectionSize(8);
    for (int c = 0; c < JournalModel::ColumnCount; ++c)
        StringGrid1->setColumnWidth(c, s.width(kColumnWidths[c]));
    s.place(StringGrid1, 6, 34, 628, 344);
    gridHeight_ = StringGrid1->height();
    fitHeaderFont();

    button(BitBtn4, u"BitBtn4"_s, u"&В Excel"_s, u"Експорт у Excel"_s, 6);
    BitBtn4->setIcon(QIcon::fromTheme(u"x-office-spreadsheet"_s));
    button(Button1, u"Button1"_s, u"Ви&лучити запис"_s, u"Вилучити запис"_s, 111);
    button(Button2, u"Button2"_s, u"&Очистити журнал"_s, u"Очистити журнал"_s, 216);
    button(BitBtn2, u"BitBtn2"_s, u"&Форми"_s, u"Друк форми"_s, 324);
    BitBtn2->setIcon(QIcon::fromTheme(u"document-print"_s));
    button(BitBtn3, u"BitBtn3"_s, u"&Журналу  "_s, u"Друк журналу"_s, 429);
    BitBtn3->setIcon(QIcon::fromTheme(u"document-print"_s));
    button(BitBtn1, u"BitBtn1"_s, u"Ви&хід"_s, u"Закрити і вийти"_s, 534);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(1000);

    connect(Timer1, &QTimer::timeout, this, &JournalWindow::Timer1Timer);
    connect(BitBtn5, &QPushButton::clicked, this, &JournalWindow::BitBtn5Click);
    connect(Button1, &QPushButton::clicked, this, &JournalWindow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &JournalWindow::Button2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &JournalWindow::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &JournalWindow::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &JournalWindow::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &JournalWindow::BitBtn4Click);
}

void JournalWindow::setJournalFile(const QString& path) {
    if (path != journalFile_)
        loaded_.reset();
    journalFile_ = path;
}

void JournalWindow::showJournal(const QString& path) {
    setJournalFile(path);
    // A hidden window comes up on top; one already shown is brought forward.
    if (isVisible())
        raise();
    showMaximized();
    activateWindow();
    FormActivate();
    StringGrid1->setFocus();
}

void JournalWindow::fitColumns() {
    // The row number and the group grow to their longest text (a journal of
    // 10,000 entries, a 19-character group); the others keep their widths.
    const Scale s = ctx_.scale();
    const QFontMetrics fm(StringGrid1->font());
    for (int c : {0, 4}) {
        int width = s.width(kColumnWidths[c]);
        for (int r = 0; r < model_->rowCount(); ++r)
            width =
                std::max(width, fm.horizontalAdvance(model_->index(r, c).data().toString()) + 12);
        StringGrid1->setColumnWidth(c, width);
    }
}

int JournalWindow::selectedRow() const {
    const QModelIndex current = StringGrid1->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void JournalWindow::selectRow(int row) {
    if (row < 0 || row >= model_->entryCount())
        return;
    choiceLost_ = false;
    StringGrid1->setCurrentIndex(model_->index(row, 0));
    StringGrid1->selectRow(row);
}

JournalWindow::FileStamp JournalWindow::stampNow() const {
    const QFileInfo info(journalFile_);
    return {journalFile_, info.isFile(), info.isFile() ? info.size() : -1,
            info.isFile() ? info.lastModified() : QDateTime()};
}

void JournalWindow::FormActivate() {
    Timer1->start();
    Timer1Timer();
    load(false);
}

void JournalWindow::BitBtn5Click() {
    Timer1->start();
    Timer1Timer();
    load(true);
}

void JournalWindow::load(bool force) {
    // Unchanged since the last loading: the grid shows it already, and the
    // view keeps its place. A failed loading is not retried on every
    // activation either (its message would bring the window back).
    if (!force && loaded_ && *loaded_ == stampNow())
        return;
    const int row = std::max(selectedRow(), 0);
    std::vector<JournalRecord> entries;
    try {
        const Storage& storage = *ctx_.state.storage;
        if (const QString refusal = journalRefusal(journalFile_, storage); !refusal.isEmpty()) {
            // Taken for a journal, another file would be rewritten by Delete.
            loaded_ = stampNow();
            model_->clear();
            ctx_.services.error(this, refusal);
            return;
        }
        if (storage.status(journalFile_).exists) {
            entries = readJournal(journalFile_, storage);
            setWindowTitle(u"Журнал успішності - "_s + journalFile_);
        } else {
            storage.replace(journalFile_, {});
            loaded_ = stampNow();
            model_->clear();
            ctx_.services.error(this, u"Був відсутній файл журналу! Створено!"_s);
        }
    } catch (const FileError& e) {
        loaded_ = stampNow();
        model_->clear();
        ctx_.services.error(this, e.message());
        return;
    }
    loaded_ = stampNow();
    model_->setRecords(std::move(entries));
    fitColumns();
    if (selectedRow() < 0 || selectedRow() >= model_->entryCount())
        selectRow(std::min(row, model_->entryCount() - 1));
}

void JournalWindow::Timer1Timer() {
    const QDateTime now = ctx_.services.clock().now();
    Label3->setText(shortDateText(now.date()));
    Label4->setText(longTimeText(now.time()));
}

void JournalWindow::Button1Click() {
    if (model_->entryCount() == 0) {
        ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::Yes, kNoEntries);
        return;
    }
    if (choiceLost_ && selectedRow() < 0) {
        ctx_.services.info(this, u"Журнал змінився. Перевірте вибраний запис."_s);
        return;
    }
    if (ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNo, kDeleteEntry) ==
        MsgAnswer::Yes) {
        const int row = std::max(selectedRow(), 0);
        bool deleted = false;
        try {
            deleted = deleteJournalEntry(journalFile_, row, model_->records()[size_t(row)],
                                         *ctx_.state.storage);
        } catch (const FileError&) {
            // Left as it was: the grid still shows the file's entries.
            return;
        }
        if (!deleted) {
            // The file no longer holds that entry: show what it holds now,
            // with nothing chosen, and say so, so that a second press cannot
            // delete a student the teacher never looked at.
            load(true);
            StringGrid1->clearSelection();
            StringGrid1->setCurrentIndex(QModelIndex());
            choiceLost_ = true;
            ctx_.services.info(this, u"Журнал змінився. Перевірте вибраний запис."_s);
            return;
        }
        loaded_ = stampNow();
        if (model_->entryCount() == 1) {
            model_->clear();
            return;
        }
        model_->removeEntry(row);
        selectRow(std::min(row, model_->entryCount() - 1));
    }
    StringGrid1->setFocus();
    Button1->setFocus();
}

void JournalWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && !event->isAutoRepeat()) {
        event->accept();
        if (ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNo, kDeleteEntry) ==
            MsgAnswer::Yes)
            Button1Click();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void JournalWindow::Button2Click() {
    if (model_->entryCount() == 0) {
        ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::Yes, kNoEntries);
        return;
    }
    if (ctx_.services.message(this, MsgIcon::Confirmation, MsgButtons::YesNo,
                              u"Всі записи будуть знищені!"_s) != MsgAnswer::Yes)
        return;
    try {
        // Entries other computers added since the window read the journal stay.
        clearJournal(journalFile_, qint64(model_->records().size()), *ctx_.state.storage);
    } catch (const FileError& e) {
        ctx_.services.error(this, e.message());
        return;
    }
    loaded_ = stampNow();
    model_->clear();
    StringGrid1->setFocus();
}

void JournalWindow::BitBtn1Click() {
    ctx_.state.JournalPath.clear();
    model_->clear();
    loaded_.reset();
    hide();
}

void JournalWindow::BitBtn2Click() {
    const QList<QPushButton*> buttons = {Button1, Button2, BitBtn1, BitBtn2, BitBtn3, BitBtn4};
    const QSize gridSize = StringGrid1->size();
    const bool ownPalette = testAttribute(Qt::WA_SetPalette);
    const QPalette oldPalette = palette();
    const bool oldAutoFill = autoFillBackground();
    // Everything is put back however the printing ends.
    const auto restore = qScopeGuard([&] {
        if (ownPalette)
            setPalette(oldPalette);
        else
            setPalette(QPalette());
        setAutoFillBackground(oldAutoFill);
        for (QPushButton* b : buttons)
            b->show();
        StringGrid1->resize(gridSize);
        StringGrid1->setFocus();
    });
    for (QPushButton* b : buttons)
        b->hide();
    StringGrid1->resize(gridSize.width(), int(std::lround(gridHeight_ * 1.12)));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    ctx_.services.printImage(this, grab().toImage());
}

void JournalWindow::BitBtn3Click() {
    const auto r = std::make_shared<report::Report>(
        journalReport(journalFile_, journalReportRows(*model_), ctx_.services.clock().now()));
    const PrintJob job{r->title, r->pageLayout,
                       [r](QPagedPaintDevice& device) { r->render(device); }};
    ctx_.services.printPreview(this, job);
    StringGrid1->setFocus();
}

void JournalWindow::BitBtn4Click() {
    if (model_->entryCount() == 0)
        return;
    const QFileInfo journal(journalFile_);
    FileDialogSpec request;
    request.title = u"Експорт у Excel"_s;
    request.filter = u"Книга Excel (*.xlsx)|*.xlsx"_s;
    request.defaultExt = u"xlsx"_s;
    request.initialDir = journal.absolutePath();
    request.fileName = journal.completeBaseName() + u".xlsx"_s;
    request.overwritePrompt = true;
    const FileDialogResult chosen = ctx_.services.saveFile(this, request);
    if (!chosen.accepted())
        return;
    try {
        writeJournalWorkbook(chosen.fileName, *model_, *ctx_.state.storage);
    } catch (const FileError& e) {
        ctx_.services.error(this, e.message());
        return;
    }
    // Without a spreadsheet program the workbook is still saved: say where.
    if (!ctx_.services.openWithSystem(chosen.fileName))
        ctx_.services.info(this, u"Журнал записано у файл\r"_s + chosen.fileName +
                                     u"\rале відкрити його не вдалося!"_s);
}

void JournalWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void JournalWindow::hideEvent(QHideEvent* event) {
    Timer1->stop();
    QWidget::hideEvent(event);
}

} // namespace zorvik
