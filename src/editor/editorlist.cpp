// The editor's side of the question list: "Список" opens it beside the editor.
#include "editorwindow.h"

namespace zorvik {

void EditorWindow::openQuestionList() {
    if (questionListOpener_)
        questionListOpener_(this);
}

} // namespace zorvik
