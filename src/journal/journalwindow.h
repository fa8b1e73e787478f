// JournalWindow, the journal window: the entries of one journal file in a grid,
// deleting one or all of them, printing the window or the journal report,
// and the workbook export. Non-modal and maximised; it reloads the file each
// time it becomes the active window, so the entries of a run made meanwhile
// appear.
#pragma once

#include "ui/context.h"

#include "core/journalmodel.h"

#include <QDateTime>
#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;
class QTableView;
class QTimer;

namespace zorvik {

class JournalWindow : public QWidget {
    Q_OBJECT
public:
    JournalWindow(AppContext& ctx, QWidget* parent);

    // The journal window file: the journal shown, apart from JournalPath.
    const QString& journalFile() const { return journalFile_; }
    void setJournalFile(const QString& path);
    // Shows the window maximised with `path` loaded (from OpenJournalDialog).
    void showJournal(const QString& path);

    JournalModel* model() const { return model_; }
    // The selected entry row (from 0), or -1.
    int selectedRow() const;
    void fitColumns();
    void selectRow(int row);

    QLabel* Label1 = nullptr; // "Журнал успішності"
    QLabel* Label3 = nullptr; // date
    QLabel* Label4 = nullptr; // time
    QTableView* StringGrid1 = nullptr;
    QPushButton* BitBtn4 = nullptr; // "&В Excel"
    QPushButton* Button1 = nullptr; // "Ви&лучити запис"
    QPushButton* Button2 = nullptr; // "&Очистити журнал"
    QPushButton* BitBtn2 = nullptr; // "&Форми"
    QPushButton* BitBtn3 = nullptr; // "&Журналу  "
    QPushButton* BitBtn1 = nullptr; // "Ви&хід"
    QPushButton* BitBtn5 = nullptr; // "Оновити список"
    QTimer* Timer1 = nullptr;

public slots:
    // Loading: on activation (skipped while the file is as last loaded).
    void FormActivate();
    void BitBtn5Click();
    void Timer1Timer();
    void Button1Click();
    void Button2Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();

protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void fitHeaderFont();
    // What the journal file was like when last loaded or written.
    struct FileStamp {
        QString path;
        bool exists = false;
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const FileStamp&) const = default;
    };
    FileStamp stampNow() const;
    void load(bool force);
    void buildControls();

    AppContext& ctx_;
    JournalModel* model_ = nullptr;
    QString journalFile_;
    std::optional<FileStamp> loaded_;
    // The entry about to be deleted vanished from the file: nothing is
    // chosen until the teacher chooses again.
    bool choiceLost_ = false;
    int gridHeight_ = 0; // after scaling at creation
};

} // namespace zorvik
