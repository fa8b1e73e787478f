#include "questionview.h"

#include "rounding.h"

#include <QFileInfo>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace zorvik {

bool isExistingFile(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

int visibleMemoLines(int height, int fontPixels) {
    const int font = std::abs(fontPixels);
    if (font == 0)
        return 0;
    return static_cast<int>(roundHalfEven(height / (font * 1.4) - 0.5));
}

PictureDragResult dragPictureEdge(const PictureDrag& d, int x, int y) {
    PictureDragResult r;
    QRect img = d.image;
    const bool nearLeft = x > -16 && x < 16;
    const bool nearTop = y > -16 && y < 16;
    if (y > 4 && nearLeft && !d.pictureAnswers)
        r.cursor = DragCursor::SizeHor;
    else if (x > 4 && nearTop)
        r.cursor = DragCursor::SizeVer;
    else if (nearLeft && nearTop && !d.pictureAnswers)
        r.cursor = DragCursor::SizeFDiag;

    auto moveLeft = [&] {
        r.answersVisible = !(img.left() + x < d.memo2.left() + d.memo2.width());
        if (img.left() + x > d.memo2.left()) {
            const int width = img.width() - x;
            img.setLeft(img.left() + x);
            img.setWidth(width);
        }
    };
    auto narrowWhenEqual = [&] {
        if (d.pictureSize.width() == img.width())
            img.setWidth(img.width() - 2);
    };
    auto moveTop = [&] {
        r.questionVisible = d.memo1.top() + d.memo1.height() < img.top();
        if (img.top() + y > d.memo1.top()) {
            const int height = img.height() - y;
            img.setTop(img.top() + y);
            img.setHeight(height);
        }
    };
    auto lowerWhenEqual = [&] {
        if (d.pictureSize.height() == img.height())
            img.setHeight(img.height() - 2);
    };

    if (d.dragging && r.cursor == DragCursor::SizeHor && img.left() >= d.memo1.left())
        moveLeft();
    narrowWhenEqual();
    if (d.dragging && r.cursor == DragCursor::SizeVer && img.top() >= d.memo1.top())
        moveTop();
    lowerWhenEqual();
    if (d.dragging && r.cursor == DragCursor::SizeFDiag && img.top() > d.memo1.top()) {
        moveLeft();
        narrowWhenEqual();
        moveTop();
        lowerWhenEqual();
    }
    // Pushed inwards, the picture falls back to its normal frame.
    if (img.left() > d.normal.left()) {
        img.setLeft(d.normal.left());
        img.setWidth(d.normal.width());
    }
    if (img.top() > d.normal.top()) {
        img.setTop(d.normal.top());
        img.setHeight(d.normal.height());
    }
    r.image = img;
    return r;
}

} // namespace zorvik
