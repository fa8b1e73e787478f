#include "mediachooser.h"

#include "clientdrag.h"
#include "mediahelpers.h"
#include "mediaplayerpanel.h"

#include "ui/fonts.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {
const QString kTitle = u"Windows Media Player"_s;
const QString kPlayHint = u"Відтворити відео/аудіо"_s;
const QString kPauseHint = u"Пауза у відтворенні відео/аудіо"_s;
const QString kStopHint = u"Зупинити відео/аудіо "_s;
// The title types itself out, then flashes until the counter reaches this.
constexpr int kTitleEnd = 40;

QPushButton* button(QWidget* parent, const char16_t* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromUtf16(name));
    b->setCursor(Qt::PointingHandCursor);
    b->setFont(arialFont(11, true));
    return b;
}

// A button picture beside the program, or the built-in one.
QIcon picture(const QString& programDir, const QString& file, QStyle::StandardPixmap fallback,
              const QStyle* style) {
    const QString path = QDir(programDir).filePath(file);
    if (!programDir.isEmpty() && QFileInfo(path).isFile()) {
        const QPixmap pixmap(path);
        if (!pixmap.isNull())
            return QIcon(pixmap);
    }
    return style->standardIcon(fallback);
}
} // namespace

MediaChooser::MediaChooser(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(u"TForm20"_s);
    setWindowTitle(u"Вставити відео"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    buildControls();
    playPicture_ = picture(ctx.state.ProgramDir, u"1.bmp"_s, QStyle::SP_MediaPlay, style());
    pausePicture_ = picture(ctx.state.ProgramDir, u"2.bmp"_s, QStyle::SP_MediaPause, style());
    BitBtn6->setIcon(playPicture_);
    BitBtn7->setIcon(style()->standardIcon(QStyle::SP_MediaStop));

    connect(DriveComboBox1, &QComboBox::activated, this, &MediaChooser::DriveComboBox1Change);
    connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (index.isValid())
                    setDirectory(folders_->filePath(index));
            });
    // The folders are read in the background: once the one holding the
    // current folder is read, the current folder is brought into view.
    connect(folders_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
        if (QDir::cleanPath(path) == QFileInfo(directory_).absolutePath())
            DirectoryListBox1->scrollTo(DirectoryListBox1->currentIndex(),
                                        QAbstractItemView::PositionAtCenter);
    });
    connect(FilterComboBox1, &QComboBox::currentIndexChanged, this,
            &MediaChooser::FilterComboBox1Change);
    connect(FileListBox1, &QListWidget::itemDoubleClicked, this, &MediaChooser::BitBtn1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &MediaChooser::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &MediaChooser::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &MediaChooser::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &MediaChooser::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &MediaChooser::BitBtn6Click);
    connect(BitBtn7, &QPushButton::clicked, this, &MediaChooser::BitBtn7Click);
    connect(Timer1, &QTimer::timeout, this, &MediaChooser::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &MediaChooser::Timer2Timer);
    connect(WindowsMediaPlayer1, &MediaPlayerPanel::failed, this, &MediaChooser::reportCannotOpen);
    connect(qApp, &QApplication::focusChanged, this, &MediaChooser::focusChanged);

    auto* drag = new ClientDrag(this);
    drag->watch(Label1);
    drag->watch(Label2);

    fillDrives();
    setDirectory(QDir::currentPath());
}

MediaChooser::~MediaChooser() {
    WindowsMediaPlayer1->closeMedia();
}

void MediaChooser::buildControls() {
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(u"DriveComboBox1"_s);
    DriveComboBox1->setToolTip(u"Диск"_s);

    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    DirectoryListBox1 = new QTreeView(this);
    DirectoryListBox1->setObjectName(u"DirectoryListBox1"_s);
    DirectoryListBox1->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column)
        DirectoryListBox1->hideColumn(column);
    DirectoryListBox1->header()->hide();
    DirectoryListBox1->setToolTip(u"Папка"_s);

    FileListBox1 = new QListWidget(this);
    FileListBox1->setObjectName(u"FileListBox1"_s);
    FileListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    FilterComboBox1 = new QComboBox(this);
    FilterComboBox1->setObjectName(u"FilterComboBox1"_s);
    FilterComboBox1->setToolTip(u"Тип файлів"_s);

    Label1 = new QLabel(kTitle, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setFont(arialFont(18, true));
    Label1->setAlignment(Qt::AlignCenter);
    WindowsMediaPlayer1 = new MediaPlayerPanel(this, true);
    WindowsMediaPlayer1->setObjectName(u"WindowsMediaPlayer1"_s);
    WindowsMediaPlayer1->setFocusPolicy(Qt::ClickFocus);
    WindowsMediaPlayer1->setAutoFillBackground(true);
    // The chooser's own buttons play, pause and stop the panel.
    WindowsMediaPlayer1->playButton()->hide();
    WindowsMediaPlayer1->stopButton()->hide();
    Label2 = new QLabel(this);
    Label2->setObjectName(u"Label2"_s);
    Label2->setFont(arialFont(11));
    Label2->setTextInteractionFlags(Qt::NoTextInteraction);

    BitBtn6 = button(this, u"BitBtn6", QString());
    BitBtn6->setToolTip(kPlayHint);
    BitBtn6->setIconSize(QSize(22, 22));
    BitBtn7 = button(this, u"BitBtn7", QString());
    BitBtn7->setToolTip(kStopHint);
    BitBtn7->setIconSize(QSize(22, 22));
    BitBtn1 = button(this, u"BitBtn1", u"Відтворити у вікні"_s);
    BitBtn4 = button(this, u"BitBtn4", u"Відтворити на панелі"_s);
    BitBtn3 = button(this, u"BitBtn3", u"Вставити у запитання"_s);
    BitBtn5 = button(this, u"BitBtn5", u"Вийти"_s);
    BitBtn3->setDefault(true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(1000);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(u"Timer2"_s);
    Timer2->setInterval(100);

    const Scale s = ctx_.scale();
    s.place(this, 0, 0, 600, 392);
    setFixedSize(size());
    s.place(DriveComboBox1, 8, 8, 224, 24);
    s.place(DirectoryListBox1, 8, 36, 224, 168);
    s.place(FileListBox1, 8, 208, 224, 146);
    s.place(FilterComboBox1, 8, 360, 224, 24);
    s.place(Label1, 240, 6, 352, 28);
    s.place(WindowsMediaPlayer1, 240, 38, 352, 236);
    s.place(Label2, 240, 278, 352, 18);
    s.place(BitBtn6, 240, 304, 40, 32);
    s.place(BitBtn7, 284, 304, 40, 32);
    s.place(BitBtn1, 332, 304, 128, 32);
    s.place(BitBtn4, 464, 304, 128, 32);
    s.place(BitBtn3, 332, 352, 128, 32);
    s.place(BitBtn5, 464, 352, 128, 32);

    QWidget::setTabOrder(DriveComboBox1, DirectoryListBox1);
    QWidget::setTabOrder(DirectoryListBox1, FileListBox1);
    QWidget::setTabOrder(FileListBox1, FilterComboBox1);
    QWidget::setTabOrder(FilterComboBox1, BitBtn4);
    QWidget::setTabOrder(BitBtn4, BitBtn1);
    QWidget::setTabOrder(BitBtn1, BitBtn6);
    QWidget::setTabOrder(BitBtn6, BitBtn7);
    QWidget::setTabOrder(BitBtn7, BitBtn3);
    QWidget::setTabOrder(BitBtn3, BitBtn5);
}

void MediaChooser::choose(AppContext& ctx, QWidget* parent, const QString& caption,
                          const QString& filter, const QString& initialDir, InsertHandler insert) {
    const auto window = std::make_unique<MediaChooser>(ctx, parent);
    window->setWindowTitle(caption);
    window->setFilter(filter);
    if (!initialDir.isEmpty() && QFileInfo(initialDir).isDir())
        window->setDirectory(initialDir);
    window->setInsertHandler(std::move(insert));
    window->FormActivate();
    ctx.services.showModal(window.get());
}

// ---- Drive, folders, files and filter ----

void MediaChooser::fillDrives() {
    const QSignalBlocker quiet(DriveComboBox1);
    DriveComboBox1->clear();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        const QString name = volume.name();
        DriveComboBox1->addItem(name.isEmpty() ? root : root + u"  ["_s + name + u']', root);
    }
}

void MediaChooser::setDirectory(const QString& path) {
    QString dir = QDir::cleanPath(QDir(path).absolutePath());
    if (!QFileInfo(dir).isDir())
        dir = QDir::rootPath();
    if (dir == directory_)
        return;
    directory_ = dir;

    const QString root = QStorageInfo(dir).rootPath();
    int drive = DriveComboBox1->findData(root);
    if (drive < 0) {
        const QSignalBlocker quiet(DriveComboBox1);
        DriveComboBox1->addItem(root, root);
        drive = DriveComboBox1->count() - 1;
    }
    {
        const QSignalBlocker quiet(DriveComboBox1);
        DriveComboBox1->setCurrentIndex(drive);
    }
    if (folders_->rootPath() != root) {
        folders_->setRootPath(root);
        DirectoryListBox1->setRootIndex(folders_->index(root));
    }
    const QModelIndex index = folders_->index(dir);
    DirectoryListBox1->setCurrentIndex(index);
    for (QModelIndex open = index; open.isValid(); open = open.parent())
        DirectoryListBox1->expand(open);
    DirectoryListBox1->scrollTo(index, QAbstractItemView::PositionAtCenter);
    fillFiles();
}

void MediaChooser::fillFiles() {
    FileListBox1->clear();
    const int entry = FilterComboBox1->currentIndex();
    QStringList patterns =
        entry >= 0 && entry < entries_.size() ? entries_[entry].patterns : QStringList{u"*"_s};
    // "*.*" means every file, also those without a dot in their names.
    if (patterns.contains(u"*.*"_s))
        patterns = {u"*"_s};
    const QStringList files =
        QDir(directory_)
            .entryList(patterns, QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    FileListBox1->addItems(files);
}

void MediaChooser::setFilter(const QString& filter) {
    filter_ = filter;
    entries_ = parseFilter(filter);
    {
        const QSignalBlocker quiet(FilterComboBox1);
        FilterComboBox1->clear();
        for (const FilterEntry& e : std::as_const(entries_))
            FilterComboBox1->addItem(e.description);
        FilterComboBox1->setCurrentIndex(entries_.isEmpty() ? -1 : 0);
    }
    fillFiles();
}

QString MediaChooser::selectedFile() const {
    const QList<QListWidgetItem*> selected = FileListBox1->selectedItems();
    if (selected.isEmpty())
        return {};
    return QDir(directory_).filePath(selected.first()->text());
}

void MediaChooser::DriveComboBox1Change() {
    const QString root = DriveComboBox1->currentData().toString();
    if (!root.isEmpty())
        setDirectory(root);
}

void MediaChooser::FilterComboBox1Change() {
    fillFiles();
}

// ---- The player ----

void MediaChooser::FormActivate() {
    BitBtn6->setEnabled(false);
    BitBtn7->setEnabled(false);
    WindowsMediaPlayer1->setSource(QString());
    Label1->clear();
    titleCounter_ = 1;
    Timer1->start();
    Timer2->start();
}

void MediaChooser::BitBtn1Click() {
    const QString name = selectedFile();
    if (name.isEmpty())
        return;
    Label2->setText(name);
    setWindowTitle(u"Відтворення в окремому вікні"_s);
    openInSystem(ctx_, this, name);
}

void MediaChooser::BitBtn4Click() {
    WindowsMediaPlayer1->closeMedia();
    WindowsMediaPlayer1->update();
    WindowsMediaPlayer1->setSource(selectedFile());
    Label2->setText(WindowsMediaPlayer1->source());
    setWindowTitle(u"Відтворення на панелі"_s);
    WindowsMediaPlayer1->stop();
    BitBtn6->setToolTip(kPlayHint);
    const bool loaded = !WindowsMediaPlayer1->source().isEmpty();
    BitBtn6->setEnabled(loaded);
    BitBtn6->setIcon(playPicture_);
    pauseShown_ = false;
    BitBtn7->setEnabled(false);
}

void MediaChooser::BitBtn6Click() {
    if (WindowsMediaPlayer1->isPlaying()) {
        WindowsMediaPlayer1->pause();
        showPlayState(false);
        return;
    }
    reportMissingAudioOnce(ctx_, this);
    WindowsMediaPlayer1->play();
    showPlayState(true);
}

void MediaChooser::BitBtn7Click() {
    if (!WindowsMediaPlayer1->isPlaying())
        return;
    WindowsMediaPlayer1->stop();
    showPlayState(false);
    BitBtn7->setToolTip(kStopHint);
}

void MediaChooser::Timer1Timer() {
    showPlayState(WindowsMediaPlayer1->isPlaying());
}

void MediaChooser::showPlayState(bool playing) {
    pauseShown_ = playing;
    BitBtn6->setIcon(playing ? pausePicture_ : playPicture_);
    BitBtn6->setToolTip(playing ? kPauseHint : kPlayHint);
    BitBtn7->setEnabled(playing);
    if (playing)
        BitBtn7->setToolTip(kStopHint);
}

void MediaChooser::reportCannotOpen() {
    showPlayState(false);
    ctx_.services.error(this, u"Не можна відкрити файл"_s + WindowsMediaPlayer1->source() + u"!"_s);
}

bool MediaChooser::inPlayer(const QWidget* w) const {
    return w && (w == WindowsMediaPlayer1 || WindowsMediaPlayer1->isAncestorOf(w) || w == BitBtn6 ||
                 w == BitBtn7);
}

void MediaChooser::focusChanged(QWidget* old, QWidget* now) {
    // Only a move to another control of this window counts: a message box or
    // another program taking the focus leaves the player alone.
    if (inPlayer(old) && now && now->window() == this && !inPlayer(now))
        WindowsMediaPlayer1Exit();
}

void MediaChooser::WindowsMediaPlayer1Exit() {
    WindowsMediaPlayer1->closeMedia();
    showPlayState(false);
    BitBtn6->setEnabled(false);
}

void MediaChooser::Timer2Timer() {
    if (titleCounter_ <= kTitle.size()) {
        Label1->setText(Label1->text() + kTitle[titleCounter_ - 1]);
        ++titleCounter_;
        return;
    }
    const int r = ctx_.services.random().bounded(255);
    ++titleCounter_;
    // A colour value with red in the low byte.
    const int value = r * 50 * titleCounter_;
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::WindowText,
                     QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF));
    Label1->setPalette(palette);
    if (titleCounter_ >= kTitleEnd) {
        Label1->clear();
        titleCounter_ = 1;
    }
}

// ---- Inserting and leaving ----

void MediaChooser::BitBtn3Click() {
    if (insert_ && kind() != MediaKind::None)
        insert_(kind(), selectedFile());
}

void MediaChooser::BitBtn5Click() {
    reject();
}

void MediaChooser::done(int result) {
    Timer1->stop();
    Timer2->stop();
    WindowsMediaPlayer1->closeMedia();
    QDialog::done(result);
}

void MediaChooser::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    DirectoryListBox1->scrollTo(DirectoryListBox1->currentIndex(),
                                QAbstractItemView::PositionAtCenter);
}

} // namespace zorvik
