// The program's pictures, drawn rather than shipped, so they stay sharp at
// every screen scale.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace zorvik {

// A test sheet with ticked answers and a pencil: the program's picture.
QPixmap programPicture(const QSize& size);
QIcon programIcon();
// An open door with an arrow: the exit buttons.
QPixmap exitPicture(int size);

} // namespace zorvik
