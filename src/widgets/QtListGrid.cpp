#include "widgets/QtListGrid.h"

#include <QHeaderView>
#include <QTableView>

namespace qv {

void SetUpListGrid(QTableView& grid, int rowHeight) {
  grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid.setSelectionBehavior(QAbstractItemView::SelectRows);
  grid.setSelectionMode(QAbstractItemView::SingleSelection);
  grid.setWordWrap(false);
  grid.verticalHeader()->hide();
  grid.verticalHeader()->setMinimumSectionSize(1);
  grid.verticalHeader()->setDefaultSectionSize(rowHeight);
  QHeaderView* header = grid.horizontalHeader();
  header->setMinimumSectionSize(8);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setStretchLastSection(false);
  header->setHighlightSections(false);
}

}  // namespace qv
