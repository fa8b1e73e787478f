// OpenJournalDialog, "Відкрити журнал": choosing the journal file the journal window
// shows, starting from JournalPath or the default journal.
#pragma once

#include "ui/context.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvik {

class OpenJournalDialog : public QDialog {
    Q_OBJECT
public:
    OpenJournalDialog(AppContext& ctx, QWidget* parent);

    // The journal window file as this dialog has chosen it so far.
    const QString& journalFile() const { return journalFile_; }

    QLabel* Label1 = nullptr; // "Журнал"
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr; // "..."
    QPushButton* Button2 = nullptr; // "&ТАК"
    QPushButton* BitBtn1 = nullptr; // "&ЗАКРИТИ"

public slots:
    void FormShow();
    void Button1Click();
    void Button2Click();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Closes this dialog and shows the journal window with the file.
    void openJournal();
    void refuse();

    AppContext& ctx_;
    QString journalFile_;
};

} // namespace zorvik
