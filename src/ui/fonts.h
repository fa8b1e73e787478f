// The design's fonts, mapped to metric-compatible fonts with Cyrillic.
#pragma once

#include <QFont>
#include <QString>

class QWidget;

namespace zorvik {

// Arial -> Liberation Sans, Times New Roman -> Liberation Serif.
void installFontSubstitutions();
QFont arialFont(int pixels, bool bold = false);
QFont serifFont(int pixels, bool bold = false);
// Makes the widget's type smaller, down to `smallest` pixels, until `text`
// fits in `room` pixels: a caption shrinks rather than lose its end.
void shrinkFontToFit(QWidget* w, const QString& text, int room, int smallest = 8);

} // namespace zorvik
