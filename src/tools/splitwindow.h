// SplitWindow, "Розбити файл - " + the source: splits a test file into two new
// ones. Created at start-up, shown beside the main window and on top of it.
// The source is read through a handle of its own, so the main window may use
// the shared test files meanwhile.
#pragma once

#include "core/testfile.h"
#include "ui/context.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvik {

class SplitWindow : public QDialog {
    Q_OBJECT
public:
    SplitWindow(AppContext& ctx, QWidget* parent);

    // Shows the window for `source`; false (and reported) when it cannot be read.
    bool openSource(const QString& source);
    const QString& source() const { return source_; }

    QLabel* Label1 = nullptr;   // "Всього запитань у тестовому файлі"
    QLabel* Label2 = nullptr;   // "Файл буде розбито на два!"
    QLabel* Label3 = nullptr;   // the question for Edit2
    QLineEdit* Edit1 = nullptr; // questions of the source
    QLineEdit* Edit2 = nullptr; // questions of the first new file
    QPushButton* BitBtn1 = nullptr; // "&ОК"
    QPushButton* BitBtn2 = nullptr; // "&Відміна"

public slots:
    void FormActivate();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void layOut();
    // Edit1 := the source's questions, counted now; throws FileError.
    void countQuestions();
    void refuse(const QString& text);

    AppContext& ctx_;
    QString source_;
    TestKind kind_ = TestKind::None;
};

} // namespace zorvik
