// Windows are laid out in a 640 x 480 design space and scaled once, at
// creation, by the factors of the screen the program starts on.
#pragma once

#include <QRect>

class QWidget;

namespace zorvik {

struct Scale {
    double x = 1; // ScaleX: screen width / 640
    double y = 1; // ScaleY: screen height / 480

    static Scale forScreen(int width, int height) { return {width / 640.0, height / 480.0}; }

    int left(int v) const;
    int top(int v) const;
    int width(int v) const;
    int height(int v) const;
    int fontHeight(int pixels) const { return height(pixels); }
    // top, left, height, width, each rounded half to even, in that order.
    QRect rect(int left, int top, int width, int height) const;

    // Places a widget at its scaled design rectangle.
    void place(QWidget* w, int left, int top, int width, int height) const;
    // Sets a widget's font to `pixels` design pixels, scaled.
    void setFontPixels(QWidget* w, int pixels) const;
};

} // namespace zorvik
