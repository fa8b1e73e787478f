#include "scaling.h"

#include "core/rounding.h"

#include <QWidget>

namespace zorvik {

int Scale::left(int v) const {
    return static_cast<int>(roundHalfEven(v * x));
}
int Scale::top(int v) const {
    return static_cast<int>(roundHalfEven(v * y));
}
int Scale::width(int v) const {
    return static_cast<int>(roundHalfEven(v * x));
}
int Scale::height(int v) const {
    return static_cast<int>(roundHalfEven(v * y));
}

QRect Scale::rect(int l, int t, int w, int h) const {
    const int st = top(t);
    const int sl = left(l);
    const int sh = height(h);
    const int sw = width(w);
    return {sl, st, sw, sh};
}

void Scale::place(QWidget* w, int l, int t, int width, int height) const {
    w->setGeometry(rect(l, t, width, height));
}

void Scale::setFontPixels(QWidget* w, int pixels) const {
    QFont f = w->font();
    f.setPixelSize(std::max(1, fontHeight(pixels)));
    w->setFont(f);
}

} // namespace zorvik
