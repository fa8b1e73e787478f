// The read-only lists of whole rows the windows show.
#pragma once

#include <QAbstractItemView>

class QTableView;

namespace zorvik {

// Rows selected whole, nothing typed in, no row numbers, one line a row at a
// fixed height (fast for many thousand rows), columns the teacher can widen
// under left-aligned headers.
void setUpRowGrid(QTableView* grid, QAbstractItemView::SelectionMode mode);

} // namespace zorvik
