// TForm20, the media chooser: a drive list, folder tree, file list and filter
// linked together, a built-in player panel, and "Вставити у запитання", which
// hands the selected file's full name to the caller. The caller sets the
// caption and the filter; the filter (not the filter combo) decides whether
// the chooser serves a sound or a video. Created when opened, destroyed when
// closed; the player is unloaded then.
#pragma once

#include "core/mediafilter.h"
#include "ui/context.h"

#include <QDialog>
#include <QIcon>

#include <functional>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class QTreeView;

namespace zorvik {

class MediaPlayerPanel;

class MediaChooser : public QDialog {
    Q_OBJECT
public:
    // Receives the kind and the full name (empty with no file selected).
    using InsertHandler = std::function<void(MediaKind kind, const QString& path)>;

    MediaChooser(AppContext& ctx, QWidget* parent);
    ~MediaChooser() override;

    void setFilter(const QString& filter);
    const QString& filter() const { return filter_; }
    MediaKind kind() const { return mediaKindOfFilter(filter_); }
    void setInsertHandler(InsertHandler handler) { insert_ = std::move(handler); }

    // The folder the file list shows; the tree and the drive follow it.
    void setDirectory(const QString& path);
    const QString& directory() const { return directory_; }
    // Full name of the file selected in the list; empty when none is.
    QString selectedFile() const;
    // BitBtn6 shows the pause picture (the player plays).
    bool showsPausePicture() const { return pauseShown_; }

    // Opens a chooser modally in `initialDir` and destroys it when it closes.
    static void choose(AppContext& ctx, QWidget* parent, const QString& caption,
                       const QString& filter, const QString& initialDir, InsertHandler insert);

    QComboBox* DriveComboBox1 = nullptr;
    QTreeView* DirectoryListBox1 = nullptr;
    QListWidget* FileListBox1 = nullptr;
    QComboBox* FilterComboBox1 = nullptr;
    QLabel* Label1 = nullptr; // the animated title
    QLabel* Label2 = nullptr; // the file last played
    MediaPlayerPanel* WindowsMediaPlayer1 = nullptr;
    QPushButton* BitBtn1 = nullptr; // play in the system's program
    QPushButton* BitBtn4 = nullptr; // load into the panel
    QPushButton* BitBtn6 = nullptr; // play / pause
    QPushButton* BitBtn7 = nullptr; // stop
    QPushButton* BitBtn3 = nullptr; // insert into the question
    QPushButton* BitBtn5 = nullptr; // leave
    QTimer* Timer1 = nullptr;       // 1000 ms: the buttons follow the player
    QTimer* Timer2 = nullptr;       // 100 ms: the title

public slots:
    void FormActivate();
    void BitBtn1Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void BitBtn7Click();
    void Timer1Timer();
    void Timer2Timer();
    void DriveComboBox1Change();
    void FilterComboBox1Change();
    // The player panel lost the input focus to another control.
    void WindowsMediaPlayer1Exit();
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void fillDrives();
    void fillFiles();
    void showPlayState(bool playing);
    void focusChanged(QWidget* old, QWidget* now);
    bool inPlayer(const QWidget* w) const;
    void reportCannotOpen();

    AppContext& ctx_;
    QString filter_;
    QList<FilterEntry> entries_;
    QString directory_;
    InsertHandler insert_;
    QFileSystemModel* folders_ = nullptr;
    QIcon playPicture_;
    QIcon pausePicture_;
    bool pauseShown_ = false;
    int titleCounter_ = 1;
};

} // namespace zorvik
