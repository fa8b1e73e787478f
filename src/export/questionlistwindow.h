// QuestionListWindow, "Список запитань" + the test file: every question of the file the
// editor works on, with its number, level and text; the answers of the
// selected one as the grid's hint; opening a question in the editor; the list
// as a document and as a workbook. Created by the editor's "Список", shown
// beside it, destroyed when it closes.
#pragma once

#include "core/questionlist.h"
#include "ui/context.h"

#include <QWidget>

#include <optional>
#include <vector>

class QPushButton;
class QTableWidget;

namespace zorvik {

class QuestionListWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own; `owner` (the editor) keeps it in front of itself.
    explicit QuestionListWindow(AppContext& ctx, QWidget* owner = nullptr);

    QTableWidget* StringGrid1 = nullptr;
    QPushButton* BitBtn1 = nullptr; // "Від&крити"
    QPushButton* BitBtn4 = nullptr; // "&В Excel"
    QPushButton* BitBtn2 = nullptr; // "В &Word"
    QPushButton* BitBtn3 = nullptr; // "Ви&хід"

    // The question "Від&крити" opens.
    int selectedQuestion() const { return selected_; }
    // The grid's hint as the program words it: "1) …" CR "2) …" … "5) …".
    const QString& hintText() const { return hint_; }
    const QString& testFile() const { return path_; }

public slots:
    // Each time the window becomes active: the list read again from the file.
    void FormActivate();
    // Row `row` of the grid (1 = the first question) was selected.
    void StringGrid1SelectCell(int row);
    void BitBtn1Click(); // open the selected question in the editor
    void BitBtn2Click(); // to a document
    void BitBtn3Click(); // leave
    void BitBtn4Click(); // to a workbook

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    // The file of the editor, or the current test file without an editor.
    void findSource();
    // The editor in front, at `question` or (without one) reloading its own.
    void returnToEditor(std::optional<int> question);
    // Opens a written document; tells where it is when nothing could open it.
    void openDocument(const QString& path);
    // The save dialog, proposing `proposed`; empty when cancelled.
    QString chooseTarget(const QString& proposed, const QString& title, const QString& filter);

    AppContext& ctx_;
    QString path_;
    TestKind kind_ = TestKind::None;
    std::vector<QuestionListEntry> entries_;
    std::vector<QStringList> cells_;
    int selected_ = 1;
    QString hint_;
};

// What the editor's "Список" does: a new list beside `editor`, shown and
// loaded; it destroys itself when it closes.
QuestionListWindow* openQuestionList(AppContext& ctx, QWidget* editor);

} // namespace zorvik
