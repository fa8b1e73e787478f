#include "fonts.h"

#include <QFontMetrics>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace zorvik {

void installFontSubstitutions() {
    QFont::insertSubstitution(u"Arial"_s, u"Liberation Sans"_s);
    QFont::insertSubstitution(u"Times New Roman"_s, u"Liberation Serif"_s);
    QFont::insertSubstitution(u"Times New Roman Cyr"_s, u"Liberation Serif"_s);
    QFont::insertSubstitution(u"MS Sans Serif"_s, u"Liberation Sans"_s);
}

QFont arialFont(int pixels, bool bold) {
    QFont f(u"Arial"_s);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void shrinkFontToFit(QWidget* w, const QString& text, int room, int smallest) {
    QFont f = w->font();
    while (f.pixelSize() > smallest && QFontMetrics(f).horizontalAdvance(text) > room)
        f.setPixelSize(f.pixelSize() - 1);
    w->setFont(f);
}

QFont serifFont(int pixels, bool bold) {
    QFont f(u"Times New Roman"_s);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace zorvik
