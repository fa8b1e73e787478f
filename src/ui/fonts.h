// The design's fonts, mapped to metric-compatible fonts with Cyrillic.
#pragma once

#include <QFont>
#include <QString>

namespace zorvik {

// Arial -> Liberation Sans, Times New Roman -> Liberation Serif.
void installFontSubstitutions();
QFont arialFont(int pixels, bool bold = false);
QFont serifFont(int pixels, bool bold = false);

} // namespace zorvik
