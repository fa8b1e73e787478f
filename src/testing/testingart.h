// The testing windows' small pictures, drawn so they stay sharp at any scale.
#pragma once

#include "core/grading.h"

#include <QPixmap>

namespace zorvik {

// A clock face: the countdowns.
QPixmap clockPicture(int size);
// A face for the verdict of a question: smiling, content or sad.
QPixmap verdictPicture(Verdict verdict, int size);

} // namespace zorvik
