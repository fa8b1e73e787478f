// Rounding of marks: an exact half goes to the even neighbour, and values are
// rounded as the decimals a teacher reads, not as their binary approximations
// (0.285 rounds to 0.28 as written, 9.7 of 10 is exactly 97 %).
#pragma once

#include <QtGlobal>

namespace zorvik {

// x × 10^decimals rounded half to even, as an exact integer. x is taken as the
// shortest decimal text that reads back as x.
qint64 scaledRound(double x, int decimals);
// x rounded half to even to `decimals` places.
double roundTo(double x, int decimals);
// x rounded half to even to an integer.
qint64 roundHalfEven(double x);
// num / den rounded half to even; den != 0.
qint64 divRoundHalfEven(qint64 num, qint64 den);

} // namespace zorvik
