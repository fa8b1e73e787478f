// TForm21: a question's picture shown large. Created when opened, destroyed
// when closed; a double click on the picture or the window closes it, and it
// is moved by dragging any point of it.
#pragma once

#include "ui/context.h"

#include <QDialog>
#include <QImage>

namespace zorvik {

class PictureBox;

class PictureWindow : public QDialog {
    Q_OBJECT
public:
    PictureWindow(AppContext& ctx, QWidget* parent);

    // The picture and the caption (the picture file's name).
    void setPicture(const QImage& picture, const QString& caption);

    // Shows a copy of `picture` modally in a new window, which is destroyed
    // when it closes.
    static void showPicture(AppContext& ctx, QWidget* parent, const QImage& picture,
                            const QString& caption);

    PictureBox* Image1 = nullptr;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace zorvik
