// What the testing window needs to show a question, without widgets: the
// media references, the memo scroll bars and the dragging of the picture's
// edges.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace zorvik {

// Media and field text files are used only when they are existing regular
// files: a directory or a device named in a test file is never opened.
bool isExistingFile(const QString& path);

// Lines a memo of `height` pixels shows with a font of `fontPixels`:
// height / (font × 1.4) − 0.5, rounded half to even.
int visibleMemoLines(int height, int fontPixels);

// Dragging the picture's left and top edges over the answers and the
// question (the plain testing window).
enum class DragCursor { Default, SizeHor, SizeVer, SizeFDiag };

struct PictureDrag {
    QRect image;                 // Image1 as it stands
    QRect normal;                // its normal frame
    QRect memo1;                 // the question
    QRect memo2;                 // the first answer
    QSize pictureSize;           // the picture's own size
    bool pictureAnswers = false; // the question-and-picture layout is on
    bool dragging = false;       // the left button went down on the picture
};

struct PictureDragResult {
    QRect image;
    DragCursor cursor = DragCursor::Default;
    std::optional<bool> answersVisible;  // Memo2..Memo6
    std::optional<bool> questionVisible; // Memo1
};

// One mouse move at (x, y) relative to the picture's top-left corner.
PictureDragResult dragPictureEdge(const PictureDrag& drag, int x, int y);

} // namespace zorvik
