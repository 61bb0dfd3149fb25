#pragma once

class QTableView;

namespace qv {

// A grid that lists rows to read, not to edit: whole rows selected one at a
// time, no row numbers, one text line per row of `rowHeight` pixels, columns
// the player resizes and that keep their widths (no stretched last column).
void SetUpListGrid(QTableView& grid, int rowHeight);

}  // namespace qv
