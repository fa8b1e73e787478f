// The editor's side of the question list: "Список" opens it, and the list
// brings the editor to a question or has it show its question again.
#include "editorwindow.h"

#include <QLineEdit>
#include <QPushButton>

namespace zorvik {

void EditorWindow::BitBtn9Click() {
    if (questionListOpener_)
        questionListOpener_(this);
}

void EditorWindow::goToQuestion(int n) {
    Edit2->setText(QString::number(n));
    Edit2GoTo();
}

void EditorWindow::reloadRecord() {
    if (isEditing() && session_.hasQuestions())
        goToQuestion(int(session_.position()));
}

} // namespace zorvik
